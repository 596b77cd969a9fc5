// Layout 3 of the spreadsheet import: rows of one station with several
// parameters and no header. The document's parse string, tokens joined by
// tabs, says what the first columns hold; one call reads one "VALUE"
// column into one series.
#pragma once

#include <string>
#include <string_view>

#include "store/ZAVFieldManager.h"

namespace zav {

// The eight tokens, in the order the "Parse Spreadsheet Information" dialog
// offers them.
constexpr int kParseTokenCount = 8;
extern const char* const kParseTokens[kParseTokenCount];

bool IsParseToken(std::string_view token);
// How many "VALUE" tokens the parse string holds.
int CountValueColumns(const std::string& parseString);

// Reads the `valueColumn`-th "VALUE" column (from 1) of every row of `text`
// into the series (station, parameter), which must exist. A row whose date
// or time cannot be read, or whose value is -999 or less, stores nothing;
// fields beyond the tokens are passed over. False when there is no such
// series, or after "Bad spreadsheet format." when a date-and-time token
// falls on a row's last field (points stored before stay).
bool ImportParsedColumn(ZAVFieldManager& store, const std::string& station,
                        const std::string& parameter, const std::string& parseString,
                        int valueColumn, const std::string& text);

}  // namespace zav
