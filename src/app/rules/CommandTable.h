// The program's commands: identifier, menu text, status-bar prompt (the part
// after a line break is the toolbar tooltip), shortcut and toolbar picture.
// The frame builds its actions from this table.
#pragma once

#include <string>

namespace cmd {
enum Id {
    kFileNew = 57600,
    kFileOpen = 57601,
    kFileClose = 57602,
    kFileSave = 57603,
    kFileSaveAs = 57604,
    kRecentFile1 = 57616,  // to 57619
    kAppExit = 57665,
    kEditUndo = 57643,
    kEditRedo = 57644,
    kEditHistory = 32792,
    kAddAgencyFiles = 32771,
    kAddFromSpreadsheet = 32774,
    kAddFromCsv = 32790,
    kExportData = 32791,
    kAddCentury = 32775,
    kGenerateStationFiles = 32773,
    kSummaryTables = 32799,
    kViewToolbar = 59392,
    kViewStatusBar = 59393,
    kWindowNew = 57648,
    kWindowCascade = 57650,
    kWindowTile = 57651,
    kWindowArrange = 57649,
    kHelpFinder = 57667,
    kAppAbout = 57664,
};
}  // namespace cmd

struct CommandInfo {
    int id;
    const char* text;
    const char* prompt;    // may be null
    const char* shortcut;  // may be null
    const char* icon;      // resource path of the toolbar picture, may be null
};

// Every command with a menu entry, recent files excluded. Undo and Redo
// carry the name of the operation they would take in their menu text
// (UndoMenuText), which the frame sets as the project changes.
const CommandInfo* CommandTable(int& count);

// "&Undo Rename Station\tCtrl+Z", or "&Undo\tCtrl+Z" when there is nothing to undo.
std::string UndoMenuText(bool redo, const std::string& operation);
