// Pictures of the main window with each tab of the active project, and of
// the pages, dialogs and graph windows at work, for people who want to see
// the program without a display. Nothing in them waits for a person, so
// they work on any project.
#pragma once

#include <QString>

class CMainFrame;
class QWidget;

// What the pictures show where the project has it: the example project's
// discharge at South Outlet on the edit page, and its dissolved oxygen in
// 1995 on the availability page. Any other project shows its first series
// with points, its first parameter and its first year instead.
struct ScreenshotScene {
    const char* station;
    const char* parameter;
    const char* availabilityParameter;
    const char* year;
};
inline constexpr ScreenshotScene kExampleScene{"South Outlet", "Discharge", "Dissolved oxygen",
                                               "1995"};

// Writes one PNG per tab into `dir` (made when missing), named after the tab
// ("1-project-information.png", ...), those of the edit and availability
// pages at work (see EditScreenshots.h and AvailScreenshots.h), and one of
// the about box ("about.png"). False when one could not be written.
bool RenderScreenshots(CMainFrame& frame, const QString& dir);

// Pictures `widget`, once pending events have run, as `name` in `dir`; says
// on standard error when the file cannot be written.
bool SaveScreenshot(QWidget& widget, const QString& dir, const QString& name);
