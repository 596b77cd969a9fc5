// The zav-cli commands. Each takes the words after its name and the output
// streams, and returns the exit status.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace zav::cli {

using Words = std::vector<std::string>;

int AddCommand(const Words& words, std::ostream& out, std::ostream& err);
int AddSpreadsheetCommand(const Words& words, std::ostream& out, std::ostream& err);
int CenturyCommand(const Words& words, std::ostream& out, std::ostream& err);
int ExportCommand(const Words& words, std::ostream& out, std::ostream& err);
int GenerateCommand(const Words& words, std::ostream& out, std::ostream& err);
int ImportCommand(const Words& words, std::ostream& out, std::ostream& err);
int InfoCommand(const Words& words, std::ostream& out, std::ostream& err);
int NewCommand(const Words& words, std::ostream& out, std::ostream& err);
int ReportCommand(const Words& words, std::ostream& out, std::ostream& err);
// Only in a build with the desktop program, whose drawing it uses.
int PlotCommand(const Words& words, std::ostream& out, std::ostream& err);
int SummaryCommand(const Words& words, std::ostream& out, std::ostream& err);
int DurationCommand(const Words& words, std::ostream& out, std::ostream& err);
// The editing commands (EditCommands.cpp) and the command file that runs them.
int RenameStationCommand(const Words& words, std::ostream& out, std::ostream& err);
int RenameParameterCommand(const Words& words, std::ostream& out, std::ostream& err);
int GroupStationsCommand(const Words& words, std::ostream& out, std::ostream& err);
int UngroupStationsCommand(const Words& words, std::ostream& out, std::ostream& err);
int GroupParametersCommand(const Words& words, std::ostream& out, std::ostream& err);
int UngroupParametersCommand(const Words& words, std::ostream& out, std::ostream& err);
int SetScalingCommand(const Words& words, std::ostream& out, std::ostream& err);
int SetUnitsCommand(const Words& words, std::ostream& out, std::ostream& err);
int MaskCommand(const Words& words, std::ostream& out, std::ostream& err);
int DeleteCommand(const Words& words, std::ostream& out, std::ostream& err);
int RunCommand(const Words& words, std::ostream& out, std::ostream& err);

}  // namespace zav::cli
