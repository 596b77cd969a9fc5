// The text form in which a project carries each loaded input: a data source
// block ("filename =", "number of stations =") followed by one station data
// block per series. Writers append to a string; readers take items from a
// TextReader and raise InputError naming the first missing item.
#pragma once

#include <string>
#include <string_view>

#include "core/FileIO.h"
#include "core/TextReader.h"
#include "store/DataSeries.h"
#include "store/DataSource.h"

namespace zav {

class ImportReport;
class SeriesBlockReader;

extern const char* const kLineEnd;  // CR LF, as every file of the program ends its lines

void WriteSeriesBlock(std::string& out, const DataSeries& series);
void WriteSourceBlock(std::string& out, const DataSource& source);
// The same, passing the text on every few thousand points.
void WriteSeriesBlock(PieceWriter& out, const DataSeries& series);
void WriteSourceBlock(PieceWriter& out, const DataSource& source);

// Points come back in time order: a block edited by hand with its points out
// of order is sorted (stably) after it is read. A stored value that is not a
// number (nan, inf) is not loaded; a multiplier or offset that is not one
// reads as 1 or 0. Each is noted in `report` with its line.
void ReadSeriesBlock(TextReader& in, DataSeries& series, ImportReport& report);
// With `blocks`, its series are read by it, on all cores.
void ReadSourceBlock(TextReader& in, DataSource& source, ImportReport& report,
                     SeriesBlockReader* blocks = nullptr);

// The rest of an item's line read as a number, as atof reads it; nan or inf
// is noted in `report` and gives `fallback`.
double ReadFiniteItem(TextReader& in, double fallback, ImportReport& report);

// Reads the header `keyword` or raises the missing-header error for
// `keyword` + " =" (the wording every reader of the program uses).
void ExpectHeader(TextReader& in, std::string_view keyword);
// The same, naming a different item in the message.
void ExpectHeader(TextReader& in, std::string_view keyword, std::string_view reported);

// Appends a text value on one line: a line break inside it would split
// the item, so CR and LF become blanks.
void AppendLineValue(std::string& out, const std::string& value);

// One item line: `key` (with its "=" and any blank after it), the value,
// the line end. Text as it is, doubles in their exact form, counts in
// plain decimal.
void AppendItem(std::string& out, const char* key, const std::string& value);
void AppendItem(std::string& out, const char* key, double value);
void AppendCount(std::string& out, const char* key, long long count);

}  // namespace zav
