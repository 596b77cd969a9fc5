// Pictures of the "Edit Data" tab at work on a project, and of the dialogs of
// the spreadsheet import and the century command.
#pragma once

#include <QString>

class CMainFrame;
class DataEditPage;

// Shows a series on `page` (the current tab of `frame`'s active project),
// the scene's (Screenshots.h) or else the first with points, and writes
// "3-edit-data-series.png", then "spreadsheet-options.png",
// "parse-spreadsheet-information.png" and "century.png" into `dir`. False
// when one could not be written.
bool RenderEditScreenshots(CMainFrame& frame, DataEditPage& page, const QString& dir);
