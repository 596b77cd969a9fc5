// ZAVFieldManager: sources, the global series numbering, the name and units
// indexes and the lookups over them.
#include <algorithm>

#include "core/TextFormat.h"
#include "core/UserInterface.h"
#include "store/ZAVFieldManager.h"

namespace zav {

namespace {
// Handed out by GetSeries when the store has no series at all, so that a
// caller that asks anyway gets an empty series instead of a crash.
DataSeries& EmptySeries() {
    static thread_local DataSeries empty;
    empty = DataSeries();
    return empty;
}
}  // namespace

ZAVFieldManager::ZAVFieldManager(UserInterface& ui) : m_ui(ui) {}

int ZAVFieldManager::AddSource(DataSource source) {
    if (GroupNameClash(source)) {
        return 0;
    }
    AppendSource(std::move(source));
    RebuildStationIndex();
    RebuildParameterIndex();
    RebuildUnitsIndex();
    return 1;
}

// A station (or parameter) of the input named like a group (an alias)
// would take the group's key in the index: the group would be lost at the
// rebuild, with only a message. Nothing of the input is taken instead.
bool ZAVFieldManager::GroupNameClash(const DataSource& source) const {
    for (const DataSeries& series : source.series) {
        for (bool byStation : {true, false}) {
            const NameIndex& index = byStation ? m_stations : m_parameters;
            const std::string& name = byStation ? series.StationName() : series.ParameterName();
            const IndexInfo* entry = index.Find(name);
            if (entry == nullptr || !entry->isAggregate) {
                continue;
            }
            const std::string kind = byStation ? "station" : "parameter";
            m_ui.ShowMessage(
                "Nothing was added from " +
                (source.fileName.empty() ? std::string("the input") : source.fileName) + ": its " +
                kind + " " + name + " has the name of a group of " + kind +
                "s. Dissolve that group first, or rename the " + kind + " in the input.");
            return true;
        }
    }
    return false;
}

void ZAVFieldManager::AppendSource(DataSource source) {
    m_sources.push_back(std::move(source));
    RebuildSeriesTable();
}

void ZAVFieldManager::ClearSources() {
    m_sources.clear();
    RebuildSeriesTable();
}

void ZAVFieldManager::TakeContentsFrom(ZAVFieldManager& other) {
    // Moving the vectors keeps every series where it is, so the table of
    // series pointers moves along unchanged.
    m_sources = std::move(other.m_sources);
    m_seriesTable = std::move(other.m_seriesTable);
    m_stations = std::move(other.m_stations);
    m_parameters = std::move(other.m_parameters);
    m_units = std::move(other.m_units);
    m_aggregationType = other.m_aggregationType;
    other.m_sources.clear();
    other.m_seriesTable.clear();
    other.m_units.clear();
}

ZAVFieldManager::Contents ZAVFieldManager::SaveContents() const {
    return Contents{m_sources, m_stations, m_parameters, m_units, m_aggregationType};
}

void ZAVFieldManager::RestoreContents(const Contents& contents) {
    m_sources = contents.sources;
    m_stations = contents.stations;
    m_parameters = contents.parameters;
    m_units = contents.units;
    m_aggregationType = contents.aggregationType;
    RebuildSeriesTable();
}

void ZAVFieldManager::SourcesChanged() {
    RebuildSeriesTable();
    RefreshStationSeriesLists();
    RefreshParameterSeriesLists();
}

void ZAVFieldManager::RebuildSeriesTable() {
    m_seriesTable.clear();
    for (DataSource& source : m_sources) {
        for (DataSeries& series : source.series) {
            m_seriesTable.push_back(&series);
        }
    }
}

DataSeries& ZAVFieldManager::GetSeries(int index) {
    if (index >= 0 && index < SeriesCount()) {
        return *m_seriesTable[static_cast<size_t>(index)];
    }
    m_ui.ShowMessage("Error: Index " + std::to_string(index) +
                     " is greater than the number of stations in the project.");
    return m_seriesTable.empty() ? EmptySeries() : *m_seriesTable.front();
}

size_t ZAVFieldManager::PointCount() const {
    size_t n = 0;
    for (const DataSeries* series : m_seriesTable) {
        n += series->Size();
    }
    return n;
}

void ZAVFieldManager::RefreshSeriesLists(NameIndex& index, bool byStation) {
    std::map<std::string, std::vector<int>> byName;
    for (size_t i = 0; i < m_seriesTable.size(); ++i) {
        const DataSeries& s = *m_seriesTable[i];
        byName[byStation ? s.StationName() : s.ParameterName()].push_back(static_cast<int>(i));
    }
    for (auto& [key, info] : index.Entries()) {
        auto found = byName.find(info.name);
        if (found == byName.end()) {
            info.seriesIndices.clear();
        } else {
            info.seriesIndices = found->second;
        }
    }
}

// A fresh entry for every name the series carry, in the order first met.
// The aggregates the user made are put back afterwards: adding an input
// must not quietly undo the grouping (the project reader, which replays the
// stored aggregates itself, starts from an empty store).
void ZAVFieldManager::RebuildIndex(NameIndex& index, bool byStation) {
    std::vector<IndexInfo> groups;
    std::vector<std::string> aliases;
    index.GetAggregates(groups, aliases);
    auto& entries = index.Entries();
    entries.clear();
    index.Aliases().clear();
    for (const DataSeries* series : m_seriesTable) {
        const std::string& name = byStation ? series->StationName() : series->ParameterName();
        if (entries.count(name) == 0) {
            IndexInfo info;
            info.name = name;
            info.alias = name;
            if (!byStation) {
                info.units = series->Units();
            }
            entries.emplace(name, std::move(info));
        }
    }
    RefreshSeriesLists(index, byStation);
    for (const IndexInfo& group : groups) {
        std::vector<std::string> names{group.name};
        names.insert(names.end(), group.members.begin(), group.members.end());
        index.AddAggregate(names, group.alias, m_ui);
    }
}

void ZAVFieldManager::RebuildStationIndex() {
    RebuildIndex(m_stations, true);
}

void ZAVFieldManager::RefreshStationSeriesLists() {
    RefreshSeriesLists(m_stations, true);
}

void ZAVFieldManager::RebuildParameterIndex() {
    RebuildIndex(m_parameters, false);
}

void ZAVFieldManager::RefreshParameterSeriesLists() {
    RefreshSeriesLists(m_parameters, false);
}

// A record for every units name the series carry. Records the user set up
// (conversions, aliases, comments) stay as they were; only new units get
// the identity.
void ZAVFieldManager::RebuildUnitsIndex() {
    std::map<std::string, UnitsRecord> previous;
    previous.swap(m_units);
    for (const DataSeries* series : m_seriesTable) {
        const std::string& units = series->Units();
        if (m_units.count(units) == 0) {
            auto kept = previous.find(units);
            m_units.emplace(units,
                            kept != previous.end() ? kept->second : UnitsRecord::Identity(units));
        }
    }
}

// A series may be in units other than its parameter entry's (a parameter
// keeps the units it was first seen with): those units are in use too, and
// dropping their record would show that series' values unconverted.
bool ZAVFieldManager::UnitsInUse(const std::string& units) const {
    return std::any_of(m_parameters.Entries().begin(), m_parameters.Entries().end(),
                       [&](const auto& p) { return p.second.units == units; }) ||
           std::any_of(m_seriesTable.begin(), m_seriesTable.end(),
                       [&](const DataSeries* s) { return s->Units() == units; });
}

void ZAVFieldManager::DropOrphanUnits() {
    for (auto it = m_units.begin(); it != m_units.end();) {
        it = UnitsInUse(it->first) ? std::next(it) : m_units.erase(it);
    }
}

IndexInfo* ZAVFieldManager::EditedEntry(NameIndex& index, const std::string& name) {
    IndexInfo* own = index.OwnEntry(name);
    return own != nullptr ? own : index.Find(index.Resolve(name));
}

void ZAVFieldManager::GetDateRange(int& firstDay, int& firstMonth, int& firstYear, int& lastDay,
                                   int& lastMonth, int& lastYear) const {
    firstYear = -1;
    lastYear = -1;
    for (const DataSeries* series : m_seriesTable) {
        series->GetDateRange(firstDay, firstMonth, firstYear, lastDay, lastMonth, lastYear);
    }
}

int ZAVFieldManager::GetStation(const std::string& name, StationInfo& info) const {
    const IndexInfo* found = m_stations.Lookup(name);
    if (!found) {
        return 0;
    }
    info = *found;
    return 1;
}

int ZAVFieldManager::GetParameter(const std::string& name, ParameterInfo& info) const {
    const IndexInfo* found = m_parameters.Lookup(name);
    if (!found) {
        return 0;
    }
    info = *found;
    return 1;
}

void ZAVFieldManager::SetParameter(const std::string& name, const ParameterInfo& info) {
    m_parameters.Entries()[m_parameters.Resolve(name)] = info;
}

void ZAVFieldManager::RemoveStationEntry(const std::string& name) {
    m_stations.RemoveEntry(name);
}

void ZAVFieldManager::RemoveParameterEntry(const std::string& name) {
    m_parameters.RemoveEntry(name);
}

int ZAVFieldManager::ParameterExists(const std::string& name) const {
    for (const auto& [key, info] : m_parameters.Entries()) {
        if (info.name == name) {
            return 1;
        }
    }
    return 0;
}

std::string ZAVFieldManager::GetParameterUnits(const std::string& parameter) const {
    const IndexInfo* info = m_parameters.Find(parameter);
    return info ? info->units : "<error>";
}

std::string ZAVFieldManager::GetParameterUnitsAlias(const std::string& parameter) const {
    // A group's representative has its entry under the group's name.
    const IndexInfo* info = m_parameters.Find(parameter);
    if (!info) {
        info = m_parameters.OwnEntry(parameter);
    }
    if (!info) {
        return "<error>";
    }
    auto units = m_units.find(info->units);
    return units == m_units.end() ? std::string() : units->second.alias;
}

DataSeries* ZAVFieldManager::FindSeries(const std::string& station, const std::string& parameter) {
    // The series stored under exactly these names first: a member of a
    // group stands for itself here, not for its group's representative.
    if (const IndexInfo* own = m_stations.OwnEntry(station)) {
        for (int index : own->seriesIndices) {
            if (index >= 0 && index < SeriesCount() &&
                m_seriesTable[static_cast<size_t>(index)]->ParameterName() == parameter) {
                return m_seriesTable[static_cast<size_t>(index)];
            }
        }
    }
    const IndexInfo* stationInfo = m_stations.Lookup(station);
    const IndexInfo* parameterInfo = m_parameters.Lookup(parameter);
    if (!stationInfo || !parameterInfo) {
        return nullptr;
    }
    for (int index : stationInfo->seriesIndices) {
        if (index >= 0 && index < SeriesCount() &&
            m_seriesTable[static_cast<size_t>(index)]->ParameterName() == parameterInfo->name) {
            return m_seriesTable[static_cast<size_t>(index)];
        }
    }
    return nullptr;
}

void ZAVFieldManager::GetInfoList(std::vector<IndexInfo>& list, int type) const {
    list.clear();
    if (const NameIndex* index = IndexFor(type)) {
        index->GetInfoList(list);
    }
}

void ZAVFieldManager::GetRelatedNames(const std::string& name, std::vector<std::string>& list,
                                      int type) const {
    const bool stations = type == kStationType;
    const IndexInfo* entry = stations ? m_stations.Find(name) : m_parameters.Find(name);
    if (entry) {
        AppendRelatedNames(*entry, stations, true, list);
    }
}

void ZAVFieldManager::GetOwnParameters(const std::string& station,
                                       std::vector<std::string>& list) const {
    if (const IndexInfo* entry = m_stations.OwnEntry(station)) {
        AppendRelatedNames(*entry, true, false, list);
    }
}

void ZAVFieldManager::AppendRelatedNames(const IndexInfo& entry, bool stations, bool throughGroups,
                                         std::vector<std::string>& list) const {
    std::vector<std::string> seen;
    for (int index : entry.seriesIndices) {
        if (index < 0 || index >= SeriesCount()) {
            continue;
        }
        const DataSeries& series = *m_seriesTable[static_cast<size_t>(index)];
        const std::string& own = stations ? series.ParameterName() : series.StationName();
        std::string related = !throughGroups ? own
                              : stations     ? m_parameters.AliasOrName(own)
                                             : m_stations.AliasOrName(own);
        if (std::find(seen.begin(), seen.end(), related) != seen.end()) {
            continue;
        }
        seen.push_back(related);
        list.push_back(related);
        if (stations) {
            list.push_back(FormatG(series.Multiplier()));
            list.push_back(FormatG(series.Offset()));
        }
    }
}

void ZAVFieldManager::GetUnitsList(std::vector<UnitsRecord>& list) const {
    for (const auto& [key, record] : m_units) {
        list.push_back(record);
    }
}

int ZAVFieldManager::GetUnits(const std::string& name, UnitsRecord& record) const {
    auto it = m_units.find(name);
    if (it == m_units.end()) {
        return 0;
    }
    record = it->second;
    return 1;
}

void ZAVFieldManager::SetUnits(const std::string& oldName, const UnitsRecord& record) {
    m_units.erase(oldName);
    m_units[record.name] = record;
}

}  // namespace zav
