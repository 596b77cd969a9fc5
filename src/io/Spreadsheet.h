// Spreadsheet text in the two fixed layouts: one station per input (layout
// 1: station line, comment line, then "ID, value, HH:MM:SS, date" rows) or
// one station per row with a header row of dates (layout 2). Comma- or
// tab-separated, read from a file or from the clipboard into a new source.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "store/DataSource.h"
#include "store/ZAVFieldManager.h"

namespace zav {

class UserInterface;

// What the "Choose Spreadsheet Options" dialog settles for layouts 1 and 2.
struct SpreadsheetOptions {
    int layout = 1;        // 1 or 2
    char separator = ',';  // ',' or '\t'
    std::string parameter = "new param";
    std::string units = "new units";
    int startColumn = 2;  // layout 2: first value column, counted from 1
};

// 1 to 12 for the first of "Jan" ... "Dec" found in `name` (case-sensitive,
// so "January" is 1 and "JAN" is not found); -1 when none is.
int MonthFromName(std::string_view name);

// Layout 1. False (after "Unable to read station data from line " + line)
// when a data line or the station line cannot be read; the source is then
// to be dropped whole.
bool ReadSingleStationLayout(DataSource& source, std::string text,
                             const SpreadsheetOptions& options, UserInterface& ui);
// Layout 2. False (after a message) when the header has fewer than two
// cells. A row of another width than the header stops the reading with a
// message; the rows before it are kept and the result is true.
bool ReadMultiStationLayout(DataSource& source, std::string text, const SpreadsheetOptions& options,
                            UserInterface& ui);

// Reads `text` with the reader of options.layout (1 or 2).
bool ReadSpreadsheetText(DataSource& source, std::string text, const SpreadsheetOptions& options,
                         UserInterface& ui);

// The clipboard's text, or nothing after "Failed to open clipboard".
std::optional<std::string> ReadClipboard(UserInterface& ui);

// Reads the file (or the clipboard's text) into a new source, whose file
// name stays empty, and appends it to the store (which rebuilds its
// indexes) only when the read succeeded. 1 when added, else 0. A file that
// cannot be opened is reported as "Unable to open file <path> for input.";
// a clipboard that cannot be opened adds nothing after its message.
int AddSpreadsheetFile(ZAVFieldManager& store, const std::string& path,
                       const SpreadsheetOptions& options);
int AddClipboardData(ZAVFieldManager& store, const SpreadsheetOptions& options);

}  // namespace zav
