// The rules of the "Edit Data" page, apart from its widgets: what the rows of
// its two tables say, how a row names its series, and what a date or value
// typed into the points table becomes. Number cells follow the units page
// (ReadNumberCell in UnitsEdits.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/rules/UnitsEdits.h"

namespace zav {

class DataSeries;
class KTRTime;
class ZAVFieldManager;
struct IndexInfo;

// Columns of the upper table, for each edit type, and of the points table.
enum StationColumn { kStationName, kStationParameter, kStationMultiplier, kStationOffset };
enum ParameterColumn { kParameterName, kParameterUnits };
enum PointColumn { kPointDate, kPointValue, kPointScaled, kPointMask };

extern const char* const kDuplicateTimeMessage;  // "Can't add data with duplicate times."
extern const char* const kNoParameterMessage;    // stations need a parameter first
extern const char* const kNotADateMessage;       // "Please enter a date."
extern const char* const kSeriesLabelStart;      // "Data for Station:"

// The name an index entry is listed under in the upper table: its own name,
// so that every stored series can be reached and changed, followed by its
// group mark: for a member of a group (its representative too), two blanks
// and the group's name in brackets, "Alder  [Trees]". A group's name stands
// for no series of its own and has no row.
std::string GroupMark(const IndexInfo& entry);
std::string ListedName(const IndexInfo& entry);
// The name typed over a name cell whose row has the group mark `mark`: the
// text without that mark when it ends with it (the cell's own text, edited).
std::string TypedName(std::string_view typed, std::string_view mark);

// Every aggregate of stations and of parameters with its members, as one
// text: the rows above depend on them, so a page whose text differs from
// the store's lists names that no longer lead to their own series.
std::string AggregateLayout(const ZAVFieldManager& store);

// A station row's parameter cell: the name, two blanks and the units alias
// in parentheses, "pH  (su)".
std::string StationRowParameter(const std::string& parameter, const std::string& unitsAlias);
// The parameter a station row names: its cell without the "  (alias)" at
// its end. A cell without that ending (a parameter chosen from the list
// shows its bare name) is the name as it stands.
std::string ParameterOfRow(std::string_view cell);
// The label over the points table: "pH  (su) for station Lake 3".
std::string SeriesLabel(const std::string& parameterCell, const std::string& station);

// "yes" for a point set aside (mask not 0), "no" for one that counts.
const char* MaskText(int32_t mask);
// The mask a click gives a point whose cell shows `shown`.
int32_t ToggledMask(std::string_view shown);

// The four cells of point i: date, value, scaled value, mask.
struct PointRow {
    std::string date;
    std::string value;
    std::string scaled;
    const char* mask;
};
PointRow PointRowTexts(const DataSeries& series, size_t i);
// One of them, by PointColumn; empty for another column.
std::string PointCellText(const DataSeries& series, size_t i, int column);
// The scaled value and the mask are shown, not typed.
bool IsPointColumnReadOnly(int column);

// A date typed into the Date column: accepted with its display form, or
// refused with kNotADateMessage when no date can be read from it, since a
// point without a time could be neither placed nor saved.
CellEdit ReadDateCell(const std::string& text, KTRTime& time);

}  // namespace zav
