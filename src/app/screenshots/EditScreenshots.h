// Pictures of the "Edit Data" tab at work on the example project, and of the
// dialogs of the spreadsheet import and the century command.
#pragma once

#include <QString>

class CMainFrame;
class DataEditPage;

// Shows the discharge series of "South Outlet" on `page` (the current tab
// of `frame`'s active project) and writes "3-edit-data-series.png", then
// "spreadsheet-options.png", "parse-spreadsheet-information.png" and
// "century.png" into `dir`. False when one could not be written.
bool RenderEditScreenshots(CMainFrame& frame, DataEditPage& page, const QString& dir);
