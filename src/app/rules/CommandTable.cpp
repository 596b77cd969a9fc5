#include "app/rules/CommandTable.h"

namespace {
const CommandInfo kCommands[] = {
    {cmd::kFileNew, "&New\tCtrl+N", "Create a new document\nNew", "Ctrl+N", ":/icons/new.svg"},
    {cmd::kFileOpen, "&Open...\tCtrl+O", "Open an existing document\nOpen", "Ctrl+O",
     ":/icons/open.svg"},
    // Ctrl+W is the project window's own close key, so Close has none.
    {cmd::kFileClose, "&Close", "Close the active document\nClose", nullptr, nullptr},
    {cmd::kFileSave, "&Save\tCtrl+S", "Save the active document\nSave", "Ctrl+S",
     ":/icons/save.svg"},
    {cmd::kFileSaveAs, "Save &As...", "Save the active document with a new name\nSave As", nullptr,
     nullptr},
    {cmd::kAppExit, "E&xit", "Quit the application; prompts to save documents", nullptr, nullptr},
    {cmd::kEditUndo, "&Undo\tCtrl+Z", "Undo the last action\nUndo", "Ctrl+Z", nullptr},
    {cmd::kEditRedo, "&Redo\tCtrl+Y", "Redo the previously undone action\nRedo", "Ctrl+Y", nullptr},
    {cmd::kEditHistory, "Undo &History...", "List the changes made to the project, to undo or redo",
     nullptr, nullptr},
    {cmd::kAddAgencyFiles, "&Add MOLVAN or PELLIDOR format",
     "Add MOLVAN or PELLIDOR formatted data files to the project.", nullptr, nullptr},
    {cmd::kAddFromSpreadsheet, "Add From &Spreadsheet", nullptr, nullptr, nullptr},
    {cmd::kAddFromCsv, "Add From CS&V...",
     "Add CSV or tab-delimited files with a header row to the project.", nullptr, nullptr},
    {cmd::kExportData, "&Export Data...", "Export the project's data as tidy CSV or netCDF.",
     nullptr, nullptr},
    {cmd::kAddCentury, "Add &Century", "Add a century to data within a range of years.", nullptr,
     nullptr},
    {cmd::kGenerateStationFiles, "&Generate new data files for each station",
     "Generate new data files for each station\nGenerate new data files for each station", nullptr,
     nullptr},
    {cmd::kSummaryTables, "Summary &Tables...",
     "Year-by-year and duration tables of the stations or parameters chosen on Data "
     "Availability.",
     nullptr, nullptr},
    {cmd::kViewToolbar, "&Toolbar", "Show or hide the toolbar\nToggle ToolBar", nullptr, nullptr},
    {cmd::kViewStatusBar, "&Status Bar", "Show or hide the status bar\nToggle StatusBar", nullptr,
     nullptr},
    {cmd::kWindowNew, "&New Window", "Open another window for the active document\nNew Window",
     nullptr, nullptr},
    {cmd::kWindowCascade, "&Cascade", "Arrange windows so they overlap\nCascade Windows", nullptr,
     nullptr},
    {cmd::kWindowTile, "&Tile", "Arrange windows as non-overlapping tiles\nTile Windows", nullptr,
     nullptr},
    {cmd::kWindowArrange, "&Arrange Icons",
     "Arrange icons at the bottom of the window\nArrange Icons", nullptr, nullptr},
    {cmd::kHelpFinder, "&ZAV Help", "List Help topics\nHelp Topics", nullptr, nullptr},
    {cmd::kAppAbout, "&About ZAV...",
     "Display program information, version number and copyright\nAbout", nullptr,
     ":/icons/about.svg"},
};
}  // namespace

std::string UndoMenuText(bool redo, const std::string& operation) {
    std::string text = redo ? "&Redo" : "&Undo";
    if (!operation.empty()) {
        text += " " + operation;
    }
    return text + (redo ? "\tCtrl+Y" : "\tCtrl+Z");
}

const CommandInfo* CommandTable(int& count) {
    count = static_cast<int>(sizeof kCommands / sizeof kCommands[0]);
    return kCommands;
}
