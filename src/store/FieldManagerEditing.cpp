// ZAVFieldManager: editing the stored data in place, for the data edit page,
// the spreadsheet import and the century command. Every operation that adds
// or removes series renumbers them and refreshes the entries' series lists
// before it returns.
#include <algorithm>
#include <functional>
#include <optional>

#include "core/UserInterface.h"
#include "store/ZAVFieldManager.h"

namespace zav {

namespace {

// `base` itself when it is free, otherwise base1, base2, ...: the first free.
std::string FirstFreeName(const std::string& base,
                          const std::function<bool(const std::string&)>& taken) {
    if (!taken(base)) {
        return base;
    }
    for (int k = 1;; ++k) {
        std::string name = base + std::to_string(k);
        if (!taken(name)) {
            return name;
        }
    }
}

}  // namespace

int ZAVFieldManager::DeleteStationData(const std::string& station, const std::string& parameter,
                                       const std::vector<int>& indices) {
    DataSeries* series = FindSeries(station, parameter);
    if (series == nullptr) {
        m_ui.ShowMessage("ZAVFieldManager::DeleteStationData: Error: no data found for station " +
                         station + ", parameter " + parameter);
        return 0;
    }
    // The positions are those the caller saw, whatever order it listed
    // them in; all go in one pass.
    std::vector<size_t> positions;
    positions.reserve(indices.size());
    for (int index : indices) {
        if (index >= 0) {
            positions.push_back(static_cast<size_t>(index));
        }
    }
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    series->RemovePoints(positions);
    return 1;
}

void ZAVFieldManager::RemoveSeriesNamed(const std::string& name, bool byStation) {
    for (size_t s = m_sources.size(); s-- > 0;) {
        std::vector<DataSeries>& series = m_sources[s].series;
        const size_t before = series.size();
        series.erase(std::remove_if(series.begin(), series.end(),
                                    [&](const DataSeries& d) {
                                        return (byStation ? d.StationName() : d.ParameterName()) ==
                                               name;
                                    }),
                     series.end());
        if (before > 0 && series.empty()) {
            m_sources.erase(m_sources.begin() + static_cast<std::ptrdiff_t>(s));
        }
    }
}

int ZAVFieldManager::DeleteStations(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        RemoveSeriesNamed(name, true);
        m_stations.RemoveName(name, m_ui);
    }
    SourcesChanged();
    return 1;
}

int ZAVFieldManager::DeleteParameters(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        RemoveSeriesNamed(name, false);
        m_parameters.RemoveName(name, m_ui);
    }
    SourcesChanged();
    DropOrphanUnits();
    return 1;
}

// A group's name, or a name in a group, is taken in a way renaming cannot
// share: the group's entry would be overwritten, or its member's series
// would fall out of it.
bool ZAVFieldManager::RenameOntoGroupRefused(const NameIndex& index, const std::string& oldName,
                                             const std::string& newName) {
    const std::string group = index.GroupOf(newName);
    if (group.empty() || newName == oldName) {
        return false;
    }
    const std::string start = "Error: Can't change " + oldName + " to " + newName + " because ";
    m_ui.ShowMessage(group == newName ? start + newName + " is the name of a group."
                                      : start + newName + " belongs to the group " + group + ".");
    return true;
}

int ZAVFieldManager::RenameEntry(NameIndex& index, const std::string& oldName,
                                 const std::string& newName, bool byStation) {
    if (RenameOntoGroupRefused(index, oldName, newName)) {
        return 0;
    }
    std::vector<int> seriesIndices;
    if (!index.RenameName(oldName, newName, seriesIndices)) {
        return 0;
    }
    for (int i : seriesIndices) {
        if (i < 0 || i >= SeriesCount()) {
            continue;
        }
        DataSeries& series = *m_seriesTable[static_cast<size_t>(i)];
        if (byStation) {
            series.SetStationName(newName);
        } else {
            series.SetParameterName(newName);
        }
    }
    // Renaming onto a name that has series merges the two: the entry then
    // lists the series of both.
    RefreshSeriesLists(index, byStation);
    return 1;
}

int ZAVFieldManager::RenameStation(const std::string& oldName, const std::string& newName) {
    return RenameEntry(m_stations, oldName, newName, true);
}

int ZAVFieldManager::RenameParameter(const std::string& oldName, const std::string& newName) {
    if (ParameterExists(newName)) {
        m_ui.ShowMessage("Error: Can't change " + oldName + " to " + newName + " because " +
                         newName + " already exists.");
        return 0;
    }
    return RenameEntry(m_parameters, oldName, newName, false);
}

int ZAVFieldManager::ChangeParameterUnits(const std::string& parameter, const std::string& oldUnits,
                                          const std::string& newUnits) {
    IndexInfo* entry = EditedEntry(m_parameters, parameter);
    if (entry == nullptr) {
        return 0;
    }
    UnitsRecord record;
    if (!GetUnits(oldUnits, record)) {
        record = UnitsRecord::Identity(oldUnits);
    }
    record.name = newUnits;
    record.alias = newUnits;
    entry->units = newUnits;
    for (int i : entry->seriesIndices) {
        if (i >= 0 && i < SeriesCount()) {
            m_seriesTable[static_cast<size_t>(i)]->SetUnits(newUnits);
        }
    }
    // Units the project has already keep their record: the parameters
    // measured in them convert as before, and this one now converts as they
    // do. The old units' record goes only when nothing uses those units.
    m_units.emplace(newUnits, record);
    if (newUnits != oldUnits && !UnitsInUse(oldUnits)) {
        m_units.erase(oldUnits);
    }
    return 1;
}

int ZAVFieldManager::SetStationParameter(const std::string& station, const std::string& parameter) {
    const IndexInfo* info = EditedEntry(m_stations, station);
    if (info == nullptr) {
        return 0;
    }
    for (int i : info->seriesIndices) {
        if (i >= 0 && i < SeriesCount()) {
            m_seriesTable[static_cast<size_t>(i)]->SetParameterName(parameter);
        }
    }
    // The series moved from one parameter's list to the other's.
    RefreshParameterSeriesLists();
    return 1;
}

size_t ZAVFieldManager::AddCentury(int lastYear, Progress& progress) {
    size_t merged = 0;
    for (size_t i = 0; i < m_seriesTable.size() && !progress.Cancelled(); ++i) {
        progress.Report(i, m_seriesTable.size());
        merged += m_seriesTable[i]->AddCentury(lastYear);
    }
    return merged;
}

// Through the aliases: the names offered to the user include the
// representatives of aggregates, whose entry is kept under the alias.
std::string ZAVFieldManager::UnitsOfParameter(const std::string& parameter) const {
    const IndexInfo* info = m_parameters.Lookup(parameter);
    return info != nullptr ? info->units : GetParameterUnits(parameter);
}

std::string ZAVFieldManager::FirstFreeStation() const {
    StationInfo info;
    for (int k = 1;; ++k) {
        std::string name = "station" + std::to_string(k);
        if (!GetStation(name, info)) {
            return name;
        }
    }
}

std::string ZAVFieldManager::AddNewStations(int count) {
    std::vector<IndexInfo> infos;
    GetInfoList(infos, kParameterType);
    if (infos.empty() || count < 1) {
        return std::string();
    }
    std::vector<std::string> names;
    for (const IndexInfo& info : infos) {
        names.push_back(info.name);
    }
    std::optional<std::vector<int>> chosen = m_ui.ChooseSeveral("Choose Parameter(s)", names);
    std::vector<std::string> parameters;
    for (int c : chosen.value_or(std::vector<int>())) {
        if (c >= 0 && static_cast<size_t>(c) < names.size()) {
            parameters.push_back(names[static_cast<size_t>(c)]);
        }
    }
    // Nothing chosen makes no station, as Cancel does: a station without
    // series would have no entry to show.
    if (parameters.empty()) {
        return std::string();
    }
    std::string last;
    for (int n = 0; n < count; ++n) {
        last = FirstFreeStation();
        DataSource source;
        for (const std::string& parameter : parameters) {
            DataSeries series;
            series.SetStationName(last);
            series.SetParameterName(parameter);
            series.SetUnits(UnitsOfParameter(parameter));
            source.series.push_back(std::move(series));
        }
        AppendSource(std::move(source));
        RebuildStationIndex();
    }
    RefreshParameterSeriesLists();
    return last;
}

bool ZAVFieldManager::AddEmptyPoints(const std::string& station, const std::string& parameter,
                                     int count) {
    return AddEmptyPoints(station, parameter, count, KTRTime::Now());
}

bool ZAVFieldManager::AddEmptyPoints(const std::string& station, const std::string& parameter,
                                     int count, const KTRTime& now) {
    DataSeries* series = FindSeries(station, parameter);
    if (series == nullptr) {
        return false;
    }
    KTRTime time = now;
    time.SetMinute(0);
    time.SetSecond(0);
    // The latest point rather than the last one: after a date edit the
    // series may be out of order, and an hour after a point in the middle
    // could land on an existing point and overwrite its value.
    if (!series->Empty()) {
        time = *std::max_element(series->Times().begin(), series->Times().end());
    }
    for (int n = 0; n < count; ++n) {
        time = time + 3600;
        if (!time.IsValid()) {
            break;  // past the last hour of year 9999: no time to store it at
        }
        series->InsertPoint(time, 0.0, 0);
    }
    return true;
}

std::string ZAVFieldManager::AddNewParameters(int count, const std::string& name,
                                              const std::string& units) {
    if (count < 1) {
        return std::string();
    }
    const std::string unitsName =
        FirstFreeName(units, [this](const std::string& u) { return m_units.count(u) != 0; });
    std::string last;
    for (int n = 0; n < count; ++n) {
        last = FirstFreeName(name, [this](const std::string& p) {
            return m_parameters.Find(p) != nullptr || ParameterExists(p) != 0;
        });
        ParameterInfo info;
        info.name = last;
        info.alias = last;
        info.units = unitsName;
        SetParameter(last, info);
    }
    m_units[unitsName] = UnitsRecord::Identity(unitsName);
    return last;
}

std::string ZAVFieldManager::CreateStationForParameter(const std::string& parameter,
                                                       const std::string& preferred) {
    // Without an entry the parameter has no units and the new series could
    // never be found again.
    if (m_parameters.Lookup(parameter) == nullptr) {
        return std::string();
    }
    std::string station = preferred;
    // A group's name is no station of its own: series under it would be
    // hidden by the group and break it at the next rebuild.
    if (FindSeries(station, parameter) != nullptr || !m_stations.GroupOf(station).empty()) {
        station = FirstFreeStation();
    }
    DataSeries series;
    series.SetStationName(station);
    series.SetParameterName(parameter);
    series.SetUnits(UnitsOfParameter(parameter));
    DataSource source;
    source.series.push_back(std::move(series));
    AppendSource(std::move(source));
    RebuildStationIndex();
    RefreshParameterSeriesLists();
    return station;
}

}  // namespace zav
