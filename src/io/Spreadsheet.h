// Spreadsheet text in the two fixed layouts: one station per input (layout
// 1: station line, comment line, then "ID, value, HH:MM:SS, date" rows) or
// one station per row with a header row of dates (layout 2). Comma- or
// tab-separated, read from a file or from the clipboard into a new source.
// Cells are cut as CellSplitter cuts them: every separator ends a cell and
// blanks around a cell are trimmed. A value cell that is not one whole
// number is skipped and noted in the import report, never stored as 0.
#pragma once

#include <optional>
#include <string>

#include "core/Progress.h"
#include "store/DataSource.h"
#include "store/ZAVFieldManager.h"

namespace zav {

class ImportReport;
class UserInterface;

// What the "Choose Spreadsheet Options" dialog settles for layouts 1 and 2.
struct SpreadsheetOptions {
    int layout = 1;        // 1 or 2
    char separator = ',';  // ',' or '\t'
    std::string parameter = "new param";
    std::string units = "new units";
    int startColumn = 2;  // layout 2: first value column, counted from 1
};

// Layout 1. False (after "Unable to read station data from line " + line)
// when the station line is empty or a data line is not a layout 1 row (an
// integer ID, then a value cell, an H:M:S cell and a date cell in either
// form); the source is then to be dropped whole. A row whose value cell is
// empty or not a number, or whose date and time make no time a project can
// hold (a month name that names no month, 12/31/9999 24:00:00), is skipped
// and noted.
bool ReadSingleStationLayout(DataSource& source, std::string text,
                             const SpreadsheetOptions& options, UserInterface& ui,
                             ImportReport& report);
// Layout 2. False (after a message) when the header has fewer than two
// cells. A row of another width than the header stops the reading with a
// message; the rows before it are kept and the result is true. Cells that
// begin with a minus sign are skipped by the layout's rule; they, empty
// cells, cells that are not numbers and cells under a header that is not a
// date are noted.
bool ReadMultiStationLayout(DataSource& source, std::string text, const SpreadsheetOptions& options,
                            UserInterface& ui, ImportReport& report);

// Reads `text` with the reader of options.layout (1 or 2).
bool ReadSpreadsheetText(DataSource& source, std::string text, const SpreadsheetOptions& options,
                         UserInterface& ui, ImportReport& report);

// The clipboard's text, or nothing after "Failed to open clipboard".
std::optional<std::string> ReadClipboard(UserInterface& ui);

// Reads the file (or the clipboard's text) into a new source, whose file
// name stays empty, and appends it to the store (which rebuilds its
// indexes) only when the read succeeded. 1 when added, else 0. A file that
// cannot be opened is reported as "Unable to open file <path> for input.";
// a clipboard that cannot be opened adds nothing after its message. Each
// starts its input in `report` (named by the path, or kClipboardInput).
// A file's reading reports its bytes to `progress`; a cancelled one adds
// nothing, without a message.
int AddSpreadsheetFile(ZAVFieldManager& store, const std::string& path,
                       const SpreadsheetOptions& options, ImportReport& report,
                       Progress& progress = NoProgress());
int AddClipboardData(ZAVFieldManager& store, const SpreadsheetOptions& options,
                     ImportReport& report);

}  // namespace zav
