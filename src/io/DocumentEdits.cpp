#include "io/DocumentEdits.h"

#include <algorithm>
#include <memory>

#include "io/CZAVDoc.h"
#include "io/ParsedColumns.h"
#include "store/ZAVFieldManager.h"

namespace zav {

namespace {

// One point before and after an edit. Times are unique within a series, so
// a point is found again by its time wherever a sort has put it.
struct PointState {
    KTRTime time;
    double value = 0.0;
    int32_t mask = 0;
};
struct PointChange {
    PointState before;
    PointState after;
    // Where the point stood: it stands there again whenever the step is
    // undone or redone, unless the series was changed outside the history.
    size_t index = 0;
};

// A step that keeps only the points it changed, in the series with the
// given global number (the same series whenever the step is undone or
// redone, since the steps before it are then as they were). A point keeps
// its place when its time changes, so undoing gives back the same order.
class PointStep : public UndoStep {
public:
    PointStep(std::string name, int series, std::vector<PointChange> changes, bool neededSort,
              bool needsSort)
        : UndoStep(std::move(name)),
          m_series(series),
          m_changes(std::move(changes)),
          m_neededSort(neededSort),
          m_needsSort(needsSort) {}

    void Undo(CZAVDoc& doc) override {
        DataSeries& series = doc.FieldManager().GetSeries(m_series);
        for (auto change = m_changes.rbegin(); change != m_changes.rend(); ++change) {
            Apply(series, change->index, change->after.time, change->before);
        }
        series.SetNeedsSort(m_neededSort);
    }
    void Redo(CZAVDoc& doc) override {
        DataSeries& series = doc.FieldManager().GetSeries(m_series);
        for (const PointChange& change : m_changes) {
            Apply(series, change.index, change.before.time, change.after);
        }
        series.SetNeedsSort(m_needsSort);
    }

private:
    // The point at `at` takes the state `to`. It is looked for where it
    // stood, and only then through the whole series: a step over every
    // point of a long series would otherwise search it once per point.
    static void Apply(DataSeries& series, size_t stood, const KTRTime& at, const PointState& to) {
        const std::vector<KTRTime>& times = series.Times();
        size_t i = stood;
        if (i >= times.size() || !(times[i] == at)) {
            i = static_cast<size_t>(std::find(times.begin(), times.end(), at) - times.begin());
        }
        if (i == times.size()) {
            return;
        }
        if (to.time == at) {
            series.SetValue(i, to.value);
            series.SetMask(i, to.mask);
        } else {
            series.ReplacePoint(i, to.time, to.value, to.mask);
        }
    }

    int m_series;
    std::vector<PointChange> m_changes;
    bool m_neededSort;  // before the step
    bool m_needsSort;   // after it
};

// Putting a series back in time order, kept with the step before it: the
// positions that moved, and the flag that asked for the sort.
class SortStep : public UndoStep {
public:
    SortStep(int series, size_t first, std::vector<size_t> order)
        : UndoStep("Sort"), m_series(series), m_first(first), m_order(std::move(order)) {}
    void Undo(CZAVDoc& doc) override {
        DataSeries& series = doc.FieldManager().GetSeries(m_series);
        series.UnReorderRange(m_first, m_order);
        series.SetNeedsSort(true);
    }
    void Redo(CZAVDoc& doc) override {
        DataSeries& series = doc.FieldManager().GetSeries(m_series);
        series.ReorderRange(m_first, m_order);
        series.SetNeedsSort(false);
    }

private:
    int m_series;
    size_t m_first;
    std::vector<size_t> m_order;
};

// Records a point edit made to series `number`, whose flag was `neededSort`.
void RecordPoints(CZAVDoc& doc, const char* name, int number, std::vector<PointChange> changes,
                  bool neededSort) {
    const bool needsSort = doc.FieldManager().GetSeries(number).NeedsSort();
    doc.Record(std::make_unique<PointStep>(name, number, std::move(changes), neededSort, needsSort),
               0);
}

// The global number of the series of exactly `station` and `parameter`
// (through the groups when there is none), or -1.
int SeriesNumber(CZAVDoc& doc, const std::string& station, const std::string& parameter) {
    ZAVFieldManager& store = doc.FieldManager();
    const DataSeries* series = store.FindSeries(station, parameter);
    for (int i = 0; series != nullptr && i < store.SeriesCount(); ++i) {
        if (&store.GetSeries(i) == series) {
            return i;
        }
    }
    return -1;
}

PointState StateOf(const DataSeries& series, size_t i) {
    return PointState{series.Time(i), series.Value(i), series.Mask(i)};
}

size_t EntryCount(const ZAVFieldManager& store) {
    return store.Stations().Entries().size() + store.Parameters().Entries().size();
}

}  // namespace

bool RenameStation(CZAVDoc& doc, const std::string& oldName, const std::string& newName) {
    return doc.Perform("Rename Station", 0,
                       [&] { return doc.FieldManager().RenameStation(oldName, newName) != 0; });
}

bool RenameParameter(CZAVDoc& doc, const std::string& oldName, const std::string& newName) {
    return doc.Perform("Rename Parameter", 0,
                       [&] { return doc.FieldManager().RenameParameter(oldName, newName) != 0; });
}

bool SetStationParameter(CZAVDoc& doc, const std::string& station, const std::string& parameter) {
    return doc.Perform("Set Station Parameter", 0, [&] {
        return doc.FieldManager().SetStationParameter(station, parameter) != 0;
    });
}

bool AddStations(CZAVDoc& doc, int count) {
    return doc.Perform("Add Stations", 0,
                       [&] { return !doc.FieldManager().AddNewStations(count).empty(); });
}

bool AddParameters(CZAVDoc& doc, int count, const std::string& name, const std::string& units) {
    return doc.Perform("Add Parameters", 0, [&] {
        return !doc.FieldManager().AddNewParameters(count, name, units).empty();
    });
}

bool DeleteStations(CZAVDoc& doc, const std::vector<std::string>& names) {
    return doc.Perform("Delete Stations", 0, [&] {
        ZAVFieldManager& store = doc.FieldManager();
        const size_t entries = EntryCount(store);
        const int series = store.SeriesCount();
        store.DeleteStations(names);
        return EntryCount(store) != entries || store.SeriesCount() != series;
    });
}

bool DeleteParameters(CZAVDoc& doc, const std::vector<std::string>& names) {
    return doc.Perform("Delete Parameters", 0, [&] {
        ZAVFieldManager& store = doc.FieldManager();
        const size_t entries = EntryCount(store);
        const int series = store.SeriesCount();
        store.DeleteParameters(names);
        return EntryCount(store) != entries || store.SeriesCount() != series;
    });
}

bool AddEmptyPoints(CZAVDoc& doc, const std::string& station, const std::string& parameter,
                    int count) {
    return doc.Perform("Add Points", 0, [&] {
        return count > 0 && doc.FieldManager().AddEmptyPoints(station, parameter, count);
    });
}

bool DeletePoints(CZAVDoc& doc, const std::string& station, const std::string& parameter,
                  const std::vector<int>& indices) {
    return doc.Perform("Delete Points", 0, [&] {
        const DataSeries* series = doc.FieldManager().FindSeries(station, parameter);
        const size_t before = series != nullptr ? series->Size() : 0;
        doc.FieldManager().DeleteStationData(station, parameter, indices);
        return series != nullptr && series->Size() != before;
    });
}

bool ChangeParameterUnits(CZAVDoc& doc, const std::string& parameter, const std::string& oldUnits,
                          const std::string& newUnits) {
    return doc.Perform("Change Units", 0, [&] {
        return doc.FieldManager().ChangeParameterUnits(parameter, oldUnits, newUnits) != 0;
    });
}

namespace {
bool SetScaling(CZAVDoc& doc, const char* name, const std::string& station,
                const std::string& parameter, void (DataSeries::*set)(double), double value) {
    return doc.Perform(name, 0, [&] {
        DataSeries* series = doc.FieldManager().FindSeries(station, parameter);
        if (series == nullptr) {
            return false;
        }
        (series->*set)(value);
        return true;
    });
}
}  // namespace

bool SetMultiplier(CZAVDoc& doc, const std::string& station, const std::string& parameter,
                   double multiplier) {
    return SetScaling(doc, "Change Multiplier", station, parameter, &DataSeries::SetMultiplier,
                      multiplier);
}

bool SetOffset(CZAVDoc& doc, const std::string& station, const std::string& parameter,
               double offset) {
    return SetScaling(doc, "Change Offset", station, parameter, &DataSeries::SetOffset, offset);
}

bool SetUnitsRecord(CZAVDoc& doc, const std::string& operation, const std::string& name,
                    const UnitsRecord& record) {
    return doc.Perform(operation, 0, [&] {
        UnitsRecord old;
        if (doc.FieldManager().GetUnits(name, old) == 0) {
            return false;
        }
        doc.FieldManager().SetUnits(name, record);
        return true;
    });
}

bool MakeGroup(CZAVDoc& doc, const std::vector<std::string>& names, const std::string& alias,
               int type) {
    return doc.Perform("Make Group", 0, [&] {
        return !names.empty() && doc.FieldManager().AddAggregate(names, alias, type) != 0;
    });
}

bool DissolveGroup(CZAVDoc& doc, const std::string& alias, int type,
                   std::vector<std::string>& members) {
    return doc.Perform("Dissolve Group", 0, [&] {
        return doc.FieldManager().RemoveAggregationItem(alias, members, type) != 0;
    });
}

bool SetPointValue(CZAVDoc& doc, const std::string& station, const std::string& parameter,
                   size_t index, double value) {
    const int number = SeriesNumber(doc, station, parameter);
    if (number < 0 || index >= doc.FieldManager().GetSeries(number).Size()) {
        return false;
    }
    DataSeries& series = doc.FieldManager().GetSeries(number);
    PointChange change{StateOf(series, index), StateOf(series, index), index};
    change.after.value = value;
    series.SetValue(index, value);
    RecordPoints(doc, "Edit Value", number, {change}, series.NeedsSort());
    return true;
}

bool SetPointTime(CZAVDoc& doc, const std::string& station, const std::string& parameter,
                  size_t index, const KTRTime& time) {
    const int number = SeriesNumber(doc, station, parameter);
    if (number < 0 || index >= doc.FieldManager().GetSeries(number).Size()) {
        return false;
    }
    DataSeries& series = doc.FieldManager().GetSeries(number);
    PointChange change{StateOf(series, index), StateOf(series, index), index};
    change.after.time = time;
    if (time == change.before.time) {
        return false;
    }
    const bool neededSort = series.NeedsSort();
    if (series.ReplacePoint(index, time, change.before.value, change.before.mask) == 0) {
        return false;
    }
    RecordPoints(doc, "Edit Time", number, {change}, neededSort);
    return true;
}

bool SetPointMasks(CZAVDoc& doc, const std::string& station, const std::string& parameter,
                   const std::vector<size_t>& indices, const std::vector<int32_t>& masks) {
    const int number = SeriesNumber(doc, station, parameter);
    if (number < 0) {
        return false;
    }
    DataSeries& series = doc.FieldManager().GetSeries(number);
    std::vector<PointChange> changes;
    for (size_t k = 0; k < indices.size() && k < masks.size(); ++k) {
        const size_t i = indices[k];
        if (i >= series.Size() || series.Mask(i) == masks[k]) {
            continue;
        }
        PointChange change{StateOf(series, i), StateOf(series, i), i};
        change.after.mask = masks[k];
        series.SetMask(i, masks[k]);
        changes.push_back(change);
    }
    if (changes.empty()) {
        return false;
    }
    const char* name = changes.size() == 1 ? "Mask Point" : "Mask Points";
    RecordPoints(doc, name, number, std::move(changes), series.NeedsSort());
    return true;
}

std::vector<size_t> PointsBetween(CZAVDoc& doc, const std::string& station,
                                  const std::string& parameter, const KTRTime& first,
                                  const KTRTime& last) {
    std::vector<size_t> found;
    const DataSeries* series = doc.FieldManager().FindSeries(station, parameter);
    for (size_t i = 0; series != nullptr && i < series->Size(); ++i) {
        if (!(series->Time(i) < first) && !(last < series->Time(i))) {
            found.push_back(i);
        }
    }
    return found;
}

bool PastePoints(CZAVDoc& doc, const std::string& station, const std::string& parameter,
                 const std::string& text) {
    return doc.Perform("Paste Points", 0, [&] {
        const DataSeries* series = doc.FieldManager().FindSeries(station, parameter);
        if (series == nullptr) {
            return false;
        }
        const size_t before = series->Size();
        ImportParsedColumn(doc.FieldManager(), station, parameter, doc.ParseString(), 1, text);
        return series->Size() != before;
    });
}

bool ChangeParseFormat(CZAVDoc& doc, const std::string& parseString) {
    return doc.Perform("Set Format", 0, [&] {
        if (parseString == doc.ParseString()) {
            return false;
        }
        doc.SetParseString(parseString);
        return true;
    });
}

std::vector<int> SeriesNamed(CZAVDoc& doc, const std::string& station,
                             const std::string& parameter) {
    ZAVFieldManager& store = doc.FieldManager();
    std::vector<int> numbers;
    for (int i = 0; i < store.SeriesCount(); ++i) {
        const DataSeries& series = store.GetSeries(i);
        if (series.StationName() == station &&
            (parameter.empty() || series.ParameterName() == parameter)) {
            numbers.push_back(i);
        }
    }
    return numbers;
}

std::vector<size_t> PointsMatching(const DataSeries& series, const PointFilter& filter) {
    // In a series in time order the span is one run of positions; one
    // waiting for its sort after a time edit is searched whole.
    const bool ordered = !series.NeedsSort();
    const size_t begin = filter.from && ordered ? series.LowerBound(*filter.from) : 0;
    std::vector<size_t> found;
    for (size_t i = begin; i < series.Size(); ++i) {
        const KTRTime& time = series.Time(i);
        if (filter.to && *filter.to < time) {
            if (ordered) {
                break;
            }
            continue;
        }
        if (filter.from && time < *filter.from) {
            continue;
        }
        const double value = series.Value(i);
        const bool limited = filter.below || filter.above;
        if (!limited || (filter.below && value < *filter.below) ||
            (filter.above && value > *filter.above)) {
            found.push_back(i);
        }
    }
    return found;
}

size_t MaskPoints(CZAVDoc& doc, const std::string& station, const std::string& parameter,
                  const PointFilter& filter, int32_t mask) {
    size_t changed = 0;
    doc.Perform(mask == 0 ? "Unmask Points" : "Mask Points", 0, [&] {
        for (int number : SeriesNamed(doc, station, parameter)) {
            DataSeries& series = doc.FieldManager().GetSeries(number);
            for (size_t i : PointsMatching(series, filter)) {
                // A point masked already keeps its own mask value.
                if ((series.Mask(i) == 0) != (mask == 0)) {
                    series.SetMask(i, mask);
                    ++changed;
                }
            }
        }
        return changed > 0;
    });
    return changed;
}

size_t DeletePointsIn(CZAVDoc& doc, const std::string& station, const std::string& parameter,
                      const PointFilter& filter) {
    size_t deleted = 0;
    doc.Perform("Delete Points", 0, [&] {
        for (int number : SeriesNamed(doc, station, parameter)) {
            DataSeries& series = doc.FieldManager().GetSeries(number);
            const std::vector<size_t> found = PointsMatching(series, filter);
            series.RemovePoints(found);
            deleted += found.size();
        }
        return deleted > 0;
    });
    return deleted;
}

bool SetSeriesScaling(CZAVDoc& doc, const std::string& station, const std::string& parameter,
                      double multiplier, double offset) {
    return doc.Perform("Change Scaling", 0, [&] {
        bool changed = false;
        for (int number : SeriesNamed(doc, station, parameter)) {
            DataSeries& series = doc.FieldManager().GetSeries(number);
            if (series.Multiplier() != multiplier || series.Offset() != offset) {
                series.SetMultiplier(multiplier);
                series.SetOffset(offset);
                changed = true;
            }
        }
        return changed;
    });
}

void ApplyConversionTo(UnitsRecord& record, const std::string& conversion, double multiplier,
                       double offset) {
    record.multiplier = multiplier;
    record.offset = offset;
    record.comment += " -> " + conversion;
    record.alias = conversion;
}

bool ApplyConversion(CZAVDoc& doc, const std::string& units, const std::string& conversion,
                     double multiplier, double offset) {
    return doc.Perform("Apply Conversion", 0, [&] {
        UnitsRecord record;
        if (doc.FieldManager().GetUnits(units, record) == 0) {
            return false;
        }
        ApplyConversionTo(record, conversion, multiplier, offset);
        doc.FieldManager().SetUnits(units, record);
        return true;
    });
}

void PutInTimeOrder(CZAVDoc& doc, const std::string& station, const std::string& parameter) {
    const int number = SeriesNumber(doc, station, parameter);
    if (number < 0 || !doc.FieldManager().GetSeries(number).NeedsSort()) {
        return;
    }
    DataSeries& series = doc.FieldManager().GetSeries(number);
    size_t first = 0;
    std::vector<size_t> order = series.SortedOrder(first);
    auto step = std::make_unique<SortStep>(number, first, std::move(order));
    series.SortByTime(0);
    // The order came from the edits of the step before; undoing that step
    // must find the points where the edits left them.
    if (UndoStep* top = doc.UndoTop()) {
        top->Attach(std::move(step));
    }
}

}  // namespace zav
