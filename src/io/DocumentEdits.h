// DocumentEdits: the changes a person or a command makes to a project, each
// one undoable operation of its document (CZAVDoc::Perform) under the name
// the Edit menu shows. Pages and zav-cli call these and never change a
// series themselves. Each returns true when it changed the project; they
// tell no view (the caller picks the hint), and messages about a refusal come
// from the store as before.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/KTRTime.h"
#include "store/IndexRecords.h"

namespace zav {

class CZAVDoc;
class DataSeries;

// --- names ---------------------------------------------------------------
bool RenameStation(CZAVDoc& doc, const std::string& oldName, const std::string& newName);
bool RenameParameter(CZAVDoc& doc, const std::string& oldName, const std::string& newName);
// Gives every series of the station the parameter name.
bool SetStationParameter(CZAVDoc& doc, const std::string& station, const std::string& parameter);

// --- adding and deleting -------------------------------------------------
// Makes `count` stations (asks for their parameters); false when none was made.
bool AddStations(CZAVDoc& doc, int count);
bool AddParameters(CZAVDoc& doc, int count, const std::string& name, const std::string& units);
// Names that are not stored are passed over; false when none was.
bool DeleteStations(CZAVDoc& doc, const std::vector<std::string>& names);
bool DeleteParameters(CZAVDoc& doc, const std::vector<std::string>& names);
bool AddEmptyPoints(CZAVDoc& doc, const std::string& station, const std::string& parameter,
                    int count);
// `indices`: positions in the series as it stands.
bool DeletePoints(CZAVDoc& doc, const std::string& station, const std::string& parameter,
                  const std::vector<int>& indices);

// --- units and scaling ---------------------------------------------------
bool ChangeParameterUnits(CZAVDoc& doc, const std::string& parameter, const std::string& oldUnits,
                          const std::string& newUnits);
// The series of the station and parameter takes the multiplier or offset.
bool SetMultiplier(CZAVDoc& doc, const std::string& station, const std::string& parameter,
                   double multiplier);
bool SetOffset(CZAVDoc& doc, const std::string& station, const std::string& parameter,
               double offset);
// Replaces the units record stored under `name` (a conversion applied, an
// alias or comment edited); `operation` names the step.
bool SetUnitsRecord(CZAVDoc& doc, const std::string& operation, const std::string& name,
                    const UnitsRecord& record);

// --- groups --------------------------------------------------------------
// `type`: kStationType, kParameterType or kCurrentType.
bool MakeGroup(CZAVDoc& doc, const std::vector<std::string>& names, const std::string& alias,
               int type);
// Dissolves the group; its members are left in `members`.
bool DissolveGroup(CZAVDoc& doc, const std::string& alias, int type,
                   std::vector<std::string>& members);

// --- points --------------------------------------------------------------
// These keep only the points they change, however large the series.
//
// Point `index` takes the value.
bool SetPointValue(CZAVDoc& doc, const std::string& station, const std::string& parameter,
                   size_t index, double value);
// Point `index` takes the time; refused when another point has it. The
// point stays where it is until PutInTimeOrder, so that a table showing the
// series keeps its rows meaning the same points.
bool SetPointTime(CZAVDoc& doc, const std::string& station, const std::string& parameter,
                  size_t index, const KTRTime& time);
// Each point at indices[k] takes masks[k]; one step for all of them.
bool SetPointMasks(CZAVDoc& doc, const std::string& station, const std::string& parameter,
                   const std::vector<size_t>& indices, const std::vector<int32_t>& masks);
// The positions of the points from `first` to `last`, both included.
std::vector<size_t> PointsBetween(CZAVDoc& doc, const std::string& station,
                                  const std::string& parameter, const KTRTime& first,
                                  const KTRTime& last);
// Points for the series from spreadsheet text laid out as the document's
// parse string says (its first VALUE column); true when any was stored.
bool PastePoints(CZAVDoc& doc, const std::string& station, const std::string& parameter,
                 const std::string& text);
// The parse string of layout 3.
bool ChangeParseFormat(CZAVDoc& doc, const std::string& parseString);

// --- spans of points ------------------------------------------------------
// What a span edit takes in a series: the points from `from` to `to` (both
// included; an end not given is open) and, when a limit is given, only those
// whose stored value lies below `below` or above `above`.
struct PointFilter {
    std::optional<KTRTime> from;
    std::optional<KTRTime> to;
    std::optional<double> below;
    std::optional<double> above;
};
// The global numbers of the series stored under exactly `station` and, when
// `parameter` is not empty, exactly `parameter`. No name is resolved
// through a group, so that a span edit touches the series it names and no
// other member's.
std::vector<int> SeriesNamed(CZAVDoc& doc, const std::string& station,
                             const std::string& parameter);
// The positions of the points `filter` takes in the series.
std::vector<size_t> PointsMatching(const DataSeries& series, const PointFilter& filter);
// The points `filter` takes in the series of exactly the station and
// parameter take `mask` (0 counts them again; a point masked already keeps
// its mask value); one step. The number of points whose mask changed.
size_t MaskPoints(CZAVDoc& doc, const std::string& station, const std::string& parameter,
                  const PointFilter& filter, int32_t mask);
// Deletes the points `filter` takes from the station's series of
// `parameter`, or from every series of the station when it is empty; one
// step. The number of points deleted.
size_t DeletePointsIn(CZAVDoc& doc, const std::string& station, const std::string& parameter,
                      const PointFilter& filter);

// Every series stored under exactly `station` and `parameter` takes the
// multiplier and the offset; one step. False when none changed.
bool SetSeriesScaling(CZAVDoc& doc, const std::string& station, const std::string& parameter,
                      double multiplier, double offset);

// A units record takes a standard conversion: its multiplier and offset,
// the conversion's name as alias, and " -> NAME" after its comment.
void ApplyConversionTo(UnitsRecord& record, const std::string& conversion, double multiplier,
                       double offset);
// The same to the record under `units`, as one step of the document.
bool ApplyConversion(CZAVDoc& doc, const std::string& units, const std::string& conversion,
                     double multiplier, double offset);

// Puts the series' points back in time order after time edits. Order is
// not content, so this is no step of its own.
void PutInTimeOrder(CZAVDoc& doc, const std::string& station, const std::string& parameter);

}  // namespace zav
