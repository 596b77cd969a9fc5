// Layout 3 of the spreadsheet import: rows of one station with several
// parameters and no header. The document's parse string, tokens joined by
// tabs, says what the first columns hold; one call reads one "VALUE"
// column into one series.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/TextReader.h"
#include "store/ZAVFieldManager.h"

namespace zav {

class ImportReport;
class UserInterface;

// The eight tokens, in the order the "Parse Spreadsheet Information" dialog
// offers them.
constexpr int kParseTokenCount = 8;
extern const char* const kParseTokens[kParseTokenCount];

bool IsParseToken(std::string_view token);
// How many "VALUE" tokens the parse string holds.
int CountValueColumns(const std::string& parseString);
// Whether one of its tokens reads a date: without one no row has a date.
bool HasDateToken(const std::string& parseString);
// What is shown when a parse string without a date token is to be read.
extern const char* const kNoDateTokenMessage;

// Reads every "VALUE" column k (from 1) with wanted[k-1] true from every
// row of `text` into columns[k-1] (times and values only; `columns` is
// sized to match `wanted`). A row with a comma or tab is cut into cells at
// them (CellSplitter), any other at runs of blanks. Each token takes one
// cell, in order; a two-field token takes a cell holding its date and time
// apart by a blank, or else that cell and the next. Cells beyond the tokens
// are passed over; a time-only token past a row's last cell leaves the
// time 00:00:00. A date or time token reads its whole cell. A row whose
// date or time cannot be read, or is outside the years 1000 to 9999,
// stores nothing; a value cell that is empty or not a number, or a value
// of -999 or less, stores nothing in its column. Each is noted in
// `report`. False after "Bad spreadsheet format." when a two-field token
// falls on a row's last cell and that cell holds no time; the rows before
// it are kept.
bool ReadParsedColumns(const std::string& parseString, const std::string& text,
                       const std::vector<bool>& wanted, std::vector<DataSeries>& columns,
                       UserInterface& ui, ImportReport& report);
// How a long text is read: pieces of it at a time, each cut at line ends
// into parts read on `threads` threads (0: every core). Tests make the
// pieces small and the threads many to put the cuts everywhere; the result
// is the same as one reading line by line.
struct ParsedReading {
    unsigned threads = 0;
    size_t pieceBytes = size_t{4} << 20;
    // A part is at least this long; a few per thread keep every thread busy
    // when some parts read faster than others.
    size_t leastPartBytes = size_t{64} << 10;
};

// The same from a reader, a file's read piece by piece.
bool ReadParsedColumns(const std::string& parseString, TextReader& in,
                       const std::vector<bool>& wanted, std::vector<DataSeries>& columns,
                       UserInterface& ui, ImportReport& report, const ParsedReading& how = {});

// The Edit Data page's paste: the `valueColumn`-th "VALUE" column of `text`
// (the clipboard's) into the series (station, parameter), which must exist.
// What was skipped is shown in one message through the store's user
// interface. False when there is no such series, the parse string has no
// date token, or after "Bad spreadsheet format." (points read before it
// are stored).
bool ImportParsedColumn(ZAVFieldManager& store, const std::string& station,
                        const std::string& parameter, const std::string& parseString,
                        int valueColumn, const std::string& text);

}  // namespace zav
