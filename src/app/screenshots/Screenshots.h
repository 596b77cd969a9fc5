// Pictures of the main window with each tab of the active project, for
// people who want to see the program without a display.
#pragma once

#include <QString>

class CMainFrame;
class QWidget;

// Writes one PNG per tab into `dir` (made when missing), named after the tab
// ("1-project-information.png", ...), those of the edit and availability
// pages at work (see EditScreenshots.h and AvailScreenshots.h), and one of
// the about box ("about.png"). False when one could not be written.
bool RenderScreenshots(CMainFrame& frame, const QString& dir);

// Pictures `widget`, once pending events have run, as `name` in `dir`; says
// on standard error when the file cannot be written.
bool SaveScreenshot(QWidget& widget, const QString& dir, const QString& name);
