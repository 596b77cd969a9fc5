// ZAVFieldManager: the in-memory store of one project. It owns every data
// source and its series, keeps the station, parameter and units indexes and
// the aggregates, and answers interval queries. Pages and analyses reach the
// data only through its operations.
//
// Series are numbered globally from 0, source by source; index entries refer
// to series by that number, so every change to the sources refreshes them.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/IntervalGrid.h"
#include "core/KTRTime.h"
#include "core/Progress.h"
#include "store/DataSource.h"
#include "store/IndexRecords.h"
#include "store/NameIndex.h"

namespace zav {

class UserInterface;

class ZAVFieldManager {
public:
    explicit ZAVFieldManager(UserInterface& ui);
    ZAVFieldManager(const ZAVFieldManager&) = delete;
    ZAVFieldManager& operator=(const ZAVFieldManager&) = delete;

    UserInterface& UI() const { return m_ui; }

    // --- sources and series ---------------------------------------------
    // Appends a source that a reader filled and rebuilds the station,
    // parameter and units indexes. Returns 1; 0, after a message and with
    // nothing added, when a station or parameter of the source has the name
    // of a group (an aggregate's alias).
    int AddSource(DataSource source);
    // Appends a source without rebuilding; the project reader rebuilds once.
    void AppendSource(DataSource source);
    void ClearSources();
    // Everything the store holds, as a value: what an undo step keeps. The
    // copy shares its series' points with the store until either side
    // changes them, so it costs the names and indexes, not the data.
    struct Contents {
        std::vector<DataSource> sources;
        NameIndex stations{"station"};
        NameIndex parameters{"parameter"};
        std::map<std::string, UnitsRecord> units;
        int aggregationType = kCurrentType;
    };
    Contents SaveContents() const;
    void RestoreContents(const Contents& contents);
    // Takes over everything `other` holds (sources, indexes, units,
    // aggregation type); `other` is left empty.
    void TakeContentsFrom(ZAVFieldManager& other);
    const std::vector<DataSource>& Sources() const { return m_sources; }
    // Every source of the store, for the editing operations.
    std::vector<DataSource>& MutableSources() { return m_sources; }
    // The caller changed the sources' series directly: renumber them.
    void SourcesChanged();
    int SeriesCount() const { return static_cast<int>(m_seriesTable.size()); }
    int GetLastSeriesIndex() const { return SeriesCount() - 1; }
    DataSeries& GetSeries(int index);
    size_t PointCount() const;

    // --- indexes ---------------------------------------------------------
    void RebuildStationIndex();
    void RefreshStationSeriesLists();
    void RebuildParameterIndex();
    void RefreshParameterSeriesLists();
    void RebuildUnitsIndex();
    // Removes the units records that no parameter entry and no series uses.
    void DropOrphanUnits();

    void GetDateRange(int& firstDay, int& firstMonth, int& firstYear, int& lastDay, int& lastMonth,
                      int& lastYear) const;

    int GetStation(const std::string& name, StationInfo& info) const;
    int GetParameter(const std::string& name, ParameterInfo& info) const;
    void SetParameter(const std::string& name, const ParameterInfo& info);
    void RemoveStationEntry(const std::string& name);
    void RemoveParameterEntry(const std::string& name);
    int ParameterExists(const std::string& name) const;
    std::string GetParameterUnits(const std::string& parameter) const;
    std::string GetParameterUnitsAlias(const std::string& parameter) const;
    // The first series stored under exactly `station` and `parameter`;
    // failing that, the first one the names lead to through the aggregates.
    DataSeries* FindSeries(const std::string& station, const std::string& parameter);
    void GetInfoList(std::vector<IndexInfo>& list, int type) const;
    void GetRelatedNames(const std::string& name, std::vector<std::string>& list, int type) const;
    // As GetRelatedNames for a station, but for the series stored under
    // exactly `station` (a member or representative of a group by its own
    // name) and with their parameters' own names: what the edit page lists.
    void GetOwnParameters(const std::string& station, std::vector<std::string>& list) const;

    void GetUnitsList(std::vector<UnitsRecord>& list) const;
    int GetUnits(const std::string& name, UnitsRecord& record) const;
    void SetUnits(const std::string& oldName, const UnitsRecord& record);
    void ClearUnits() { m_units.clear(); }
    const std::map<std::string, UnitsRecord>& UnitsMap() const { return m_units; }

    // --- aggregates ------------------------------------------------------
    void SetAggregationType(int type) { m_aggregationType = type; }
    int GetAggregationType() const { return m_aggregationType; }
    int AddAggregate(const std::vector<std::string>& names, const std::string& alias, int type);
    int RemoveAggregationItem(const std::string& alias, std::vector<std::string>& names, int type);
    void GetAggregates(std::vector<IndexInfo>& infos, std::vector<std::string>& aliases,
                       int type) const;
    int GetAggregateMembers(const std::string& name, std::vector<std::string>& names,
                            int type) const;
    void GetNameList(std::vector<std::string>& list, int type, bool aggregatesOnly) const;

    const NameIndex& Stations() const { return m_stations; }
    const NameIndex& Parameters() const { return m_parameters; }

    // --- editing ---------------------------------------------------------
    // Each keeps the index entries in step with the series before it
    // returns; the caller marks its document modified and refreshes views.
    //
    // Removes the points at `indices` (positions before any removal, in any
    // order; repeats and positions out of range are passed over). 0 after
    // a message when the station has no series of the parameter.
    int DeleteStationData(const std::string& station, const std::string& parameter,
                          const std::vector<int>& indices);
    // Removes every series of the named stations or parameters and their
    // index entries; a source left without series goes too. Names that are
    // not stored change nothing. Returns 1.
    int DeleteStations(const std::vector<std::string>& names);
    int DeleteParameters(const std::vector<std::string>& names);
    // Renames the entry and every series it lists. Renaming a station onto
    // another merges the two. 0 when nothing is stored under the old name;
    // 0 after a message when the new name is a group's or belongs to one.
    int RenameStation(const std::string& oldName, const std::string& newName);
    // The same for a parameter; refused (0, after a message) as well when
    // the new name is already a parameter.
    int RenameParameter(const std::string& oldName, const std::string& newName);
    // Moves the parameter (by its own name: a member is not its group) and
    // its series to other units. New units take the old units' record
    // (conversion and comment) along; units the project has keep theirs.
    // The old units' record goes when nothing uses them any more.
    int ChangeParameterUnits(const std::string& parameter, const std::string& oldUnits,
                             const std::string& newUnits);
    // Gives every series of the station (by its own name) the parameter name.
    int SetStationParameter(const std::string& station, const std::string& parameter);
    // Moves every point whose calendar year is at most `lastYear` forward
    // by 100 years, series by series. A point moved onto the time of one
    // that stayed takes its place (DataSeries::AddCentury); returns how many
    // points were merged so. Cancelled through `progress`, it stops between series: the caller
    // puts back what it had.
    size_t AddCentury(int lastYear, Progress& progress = NoProgress());
    // Asks "Choose Parameter(s)" and makes `count` stations station<k>, each
    // in a source of its own with an empty series per chosen parameter.
    // Returns the last name made, or "" when none was (no parameters,
    // cancelled, nothing chosen, count below 1).
    std::string AddNewStations(int count);
    // Appends `count` points of value 0, an hour apart, after the series'
    // latest point or after the current hour (`now` in the second form).
    // False when the station has no series of the parameter.
    bool AddEmptyPoints(const std::string& station, const std::string& parameter, int count);
    bool AddEmptyPoints(const std::string& station, const std::string& parameter, int count,
                        const KTRTime& now);
    // Makes `count` parameters without series, named `name` or name<k>, in
    // `units` or units<k> when a record of those units exists, and the units'
    // record. Returns the last parameter name made ("" for count below 1).
    std::string AddNewParameters(int count, const std::string& name, const std::string& units);
    // A new source with one empty series of the parameter for the station
    // `preferred` when it has no series of the parameter yet, otherwise for
    // the first free station<k>; returns the station name ("" when the
    // parameter has no entry). The columns of one spreadsheet pass the
    // station of their first column, so they stay one station.
    std::string CreateStationForParameter(const std::string& parameter,
                                          const std::string& preferred = "station1");

    // --- retrieval over an interval grid --------------------------------
    // Per interval of the grid from `start` to `end` in `every` units of
    // `unit`: min, max and mean of the converted unmasked values and a
    // present flag (all 0.0 where none falls). Arrays must hold the interval
    // count. Returns 1 when at least one series took part.
    int GetData(const std::string& station, const std::string& parameter, const KTRTime& start,
                const KTRTime& end, int unit, int every, std::vector<double>& min,
                std::vector<double>& max, std::vector<double>& mean, std::vector<double>& present,
                int fillGaps);
    // Each value of `series` (one of the store's) as reports and graphs take
    // it: the series' scaling, then its units record's conversion; and the
    // units it is then in (the record's alias, or the series' own units
    // when it has no record).
    std::vector<double> ConvertedValues(const DataSeries& series) const;
    std::string ConvertedUnits(const DataSeries& series) const;
    // Presence only, pooled from the parameter side. Returns 1.
    int GetAvailability(const std::string& parameter, const std::string& station,
                        const KTRTime& start, const KTRTime& end, int unit, int every,
                        std::vector<double>& present);

    // Every converted unmasked value of the pair from `start` to `end`
    // (both included), pooled over aggregates as GetData pools them, in time
    // order: instants in seconds into `times`, values beside them. Values
    // that are no finite number are no values, as everywhere. Returns the
    // number of points.
    size_t GetPoints(const std::string& station, const std::string& parameter, const KTRTime& start,
                     const KTRTime& end, std::vector<double>& times, std::vector<double>& values);
    // --- the values of each interval (FieldManagerValues.cpp) -------------
    // Which series stand for a pair: those GetData lists (from the station's
    // side) or those GetAvailability lists (from the parameter's side).
    enum class PairSide { kStation, kParameter };
    // What a scan of the pair learned besides the values.
    struct PairScanInfo {
        bool wantStep = true;  // whether to work out the step below
        // The most common time step between consecutive points of one
        // series inside the grid's span, in seconds (the shorter of two as
        // common; masked points count, since they were sampled); 0 with
        // fewer than two points.
        int64_t typicalStep = 0;
        // The value of the latest unmasked point before the span, as
        // GetData's gap filling starts from.
        std::optional<double> leading;
    };
    // Called once per interval, in order, with the interval's converted
    // unmasked values that are numbers (series in list order, each in time
    // order). The visitor may reorder the values.
    using IntervalValuesVisitor = std::function<void(size_t interval, std::vector<double>& values)>;
    // Visits every interval of `grid` for the pair; 0 (nothing visited)
    // when no series takes part. Messages as GetData and GetAvailability
    // show them. `info`, when given, is filled as well.
    int GetIntervalValues(const std::string& station, const std::string& parameter, PairSide side,
                          const IntervalGrid& grid, const IntervalValuesVisitor& visit,
                          PairScanInfo* info = nullptr);

private:
    // One series taking part in a retrieval call and where its scan stands.
    struct SeriesScan {
        const DataSeries* series;
        const UnitsRecord* units;  // null: no record for the series' units
        size_t position;
    };
    struct ScanList {
        std::vector<SeriesScan> scans;
        int missingUnits = 0;  // scans without a units record
    };
    // Per-interval results of GetData, as the caller's arrays.
    struct IntervalStats {
        std::vector<double>& min;
        std::vector<double>& max;
        std::vector<double>& mean;
        std::vector<double>& present;
    };

    bool FindPair(const std::string& station, const std::string& parameter,
                  const IndexInfo*& stationEntry, const IndexInfo*& parameterEntry) const;
    ScanList ListSeriesForData(const std::string& station, const std::string& parameter);
    ScanList ListSeriesForAvailability(const std::string& parameter, const std::string& station);
    void AddScan(ScanList& list, int index) const;
    // Adds a scan of each series `entry` indexes whose station or parameter,
    // as `name` gives it, `other` names.
    void AddScansNamedBy(ScanList& list, const IndexInfo& entry, const IndexInfo& other,
                         const std::string& (DataSeries::*name)() const) const;
    static void StartScans(ScanList& list, const KTRTime& start);
    // The interval scans, over a run of consecutive intervals (results from
    // slot `from` on): statistics, or presence alone.
    void SearchRecords(ScanList& list, const IntervalGrid::Bounds* bounds, size_t from,
                       size_t count, IntervalStats& stats);
    void SearchRecords(ScanList& list, const IntervalGrid::Bounds* bounds, size_t from,
                       size_t count, std::vector<double>& present);
    void ReportMissingUnits(const ScanList& list);
    static void CountAgain(const ScanList& list, const IntervalGrid::Bounds& bounds, double& min,
                           double& max, double& mean, double& present);
    static std::optional<double> LeadingValue(const ScanList& list, const KTRTime& start);
    static int64_t TypicalStep(const ScanList& list, const KTRTime& start, const KTRTime& end);
    // Fills runs of intervals without values by straight lines, a run at
    // the end flat; `leading` stands before interval 0 when a run starts
    // there (without it that run stays empty). A span without any value is
    // left as it is.
    void doFillGaps(IntervalStats& stats, size_t count, std::optional<double> leading);

    // Type 2 means the stored aggregation type; null (after the message)
    // when no type is known.
    NameIndex* IndexFor(int type);
    const NameIndex* IndexFor(int type) const;
    void RebuildSeriesTable();
    void RefreshSeriesLists(NameIndex& index, bool byStation);
    // The names related to the series `entry` lists, through the groups or
    // as the series carry them (GetRelatedNames, GetOwnParameters).
    void AppendRelatedNames(const IndexInfo& entry, bool stations, bool throughGroups,
                            std::vector<std::string>& list) const;
    bool GroupNameClash(const DataSource& source) const;
    bool UnitsInUse(const std::string& units) const;
    // The entry the editing operations change for `name`: its own, else
    // the one it leads to through the aggregates.
    static IndexInfo* EditedEntry(NameIndex& index, const std::string& name);
    // Editing helpers (FieldManagerEditing.cpp).
    bool RenameOntoGroupRefused(const NameIndex& index, const std::string& oldName,
                                const std::string& newName);
    void RemoveSeriesNamed(const std::string& name, bool byStation);
    int RenameEntry(NameIndex& index, const std::string& oldName, const std::string& newName,
                    bool byStation);
    std::string FirstFreeStation() const;
    std::string UnitsOfParameter(const std::string& parameter) const;
    void RebuildIndex(NameIndex& index, bool byStation);

    // The bounds of the grid asked for last: a report asks for the same grid
    // once per row, and working them out is most of the cost of fine grids.
    struct BoundsCache {
        int64_t start = 0;
        int64_t end = 0;
        int unit = -1;
        int every = 0;
        std::vector<IntervalGrid::Bounds> bounds;
    };
    const IntervalGrid::Bounds* CachedBounds(const IntervalGrid& grid, const KTRTime& start,
                                             const KTRTime& end, int unit, int every);

    UserInterface& m_ui;
    BoundsCache m_boundsCache;
    std::vector<DataSource> m_sources;
    std::vector<DataSeries*> m_seriesTable;  // global index -> series
    NameIndex m_stations{"station"};
    NameIndex m_parameters{"parameter"};
    std::map<std::string, UnitsRecord> m_units;
    int m_aggregationType = kCurrentType;
};

}  // namespace zav
