// ZAVFieldManager: retrieval over an interval grid. Each call lists the
// series that belong to one station/parameter pair (aggregates pooled), then
// walks the grid once, every series carrying its scan position from one
// interval to the next, so a call costs one pass over the points.
#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "core/GapFilling.h"
#include "core/IntervalGrid.h"
#include "core/Pages.h"
#include "core/UserInterface.h"
#include "store/ValueConversion.h"
#include "store/ZAVFieldManager.h"

namespace zav {

namespace {

using IntervalBounds = IntervalGrid::Bounds;

// Intervals are scanned in runs of this many, their bounds worked out
// together beforehand.
constexpr size_t kIntervalBatch = 256;

// Grids up to this many intervals keep their bounds for the next call.
constexpr size_t kCachedIntervals = size_t{1} << 20;

// Runs `scan(bounds, from, count)` over the whole grid, run by run, from
// `all` when the bounds are known already.
template <class Scan>
void ForEachRun(const IntervalGrid& grid, const IntervalBounds* all, Scan scan) {
    const size_t n = static_cast<size_t>(grid.Count());
    IntervalBounds bounds[kIntervalBatch];
    for (size_t from = 0; from < n; from += kIntervalBatch) {
        const size_t count = std::min(kIntervalBatch, n - from);
        if (all) {
            scan(all + from, from, count);
        } else {
            grid.FillBounds(static_cast<int>(from), static_cast<int>(count), bounds);
            scan(bounds, from, count);
        }
    }
}

bool NamedBy(const IndexInfo& entry, const std::string& name) {
    return name == entry.name ||
           std::find(entry.members.begin(), entry.members.end(), name) != entry.members.end();
}

// First point at or after `instant` at or beyond `from`.
size_t FirstAtOrAfter(const std::vector<KTRTime>& times, size_t from, int64_t instant) {
    auto it =
        std::lower_bound(times.begin() + static_cast<std::ptrdiff_t>(from), times.end(), instant,
                         [](const KTRTime& t, int64_t value) { return t.Instant() < value; });
    return static_cast<size_t>(it - times.begin());
}

size_t FirstAfter(const std::vector<KTRTime>& times, size_t from, int64_t instant) {
    auto it =
        std::upper_bound(times.begin() + static_cast<std::ptrdiff_t>(from), times.end(), instant,
                         [](int64_t value, const KTRTime& t) { return value < t.Instant(); });
    return static_cast<size_t>(it - times.begin());
}

// Whether the points from k on at or before `last` are exactly `count`.
// Regular data put as many points in each interval as in the one before;
// checking that first spares the scan a wrongly predicted branch per
// interval, which at fine intervals costs more than the points themselves.
bool SameCountAgain(const KTRTime* times, size_t k, size_t size, int64_t last, size_t count) {
    const size_t end = k + count;
    return count > 0 && end <= size && times[end - 1].Instant() <= last &&
           (end == size || times[end].Instant() > last);
}

// The result arrays must hold every interval; a caller that sized them short
// gets them widened rather than written past their end.
void EnsureSize(std::vector<double>& values, size_t n) {
    if (values.size() < n) {
        values.resize(n, 0.0);
    }
}

}  // namespace

const IntervalBounds* ZAVFieldManager::CachedBounds(const IntervalGrid& grid, const KTRTime& start,
                                                    const KTRTime& end, int unit, int every) {
    const size_t n = static_cast<size_t>(grid.Count());
    if (n > kCachedIntervals) {
        return nullptr;
    }
    BoundsCache& cache = m_boundsCache;
    if (cache.start != start.Instant() || cache.end != end.Instant() || cache.unit != unit ||
        cache.every != every || cache.bounds.size() != n) {
        cache.bounds.resize(n);
        grid.FillBounds(0, static_cast<int>(n), cache.bounds.data());
        cache = BoundsCache{start.Instant(), end.Instant(), unit, every, std::move(cache.bounds)};
    }
    return cache.bounds.data();
}

std::vector<double> ZAVFieldManager::ConvertedValues(const DataSeries& series) const {
    auto units = m_units.find(series.Units());
    const Conversion convert =
        ConversionOf(series, units == m_units.end() ? nullptr : &units->second);
    std::vector<double> values(series.Values());
    for (double& v : values) {
        v = convert(v);
    }
    return values;
}

std::string ZAVFieldManager::ConvertedUnits(const DataSeries& series) const {
    auto units = m_units.find(series.Units());
    return units == m_units.end() ? series.Units() : units->second.alias;
}

void ZAVFieldManager::AddScan(ScanList& list, int index) const {
    const DataSeries& series = *m_seriesTable[static_cast<size_t>(index)];
    auto units = m_units.find(series.Units());
    const bool missing = units == m_units.end();
    list.missingUnits += missing ? 1 : 0;
    list.scans.push_back({&series, missing ? nullptr : &units->second, 0});
}

void ZAVFieldManager::AddScansNamedBy(ScanList& list, const IndexInfo& entry,
                                      const IndexInfo& other,
                                      const std::string& (DataSeries::*name)() const) const {
    for (int index : entry.seriesIndices) {
        if (index >= 0 && index < SeriesCount() &&
            NamedBy(other, (m_seriesTable[static_cast<size_t>(index)]->*name)())) {
            AddScan(list, index);
        }
    }
}

bool ZAVFieldManager::FindPair(const std::string& station, const std::string& parameter,
                               const IndexInfo*& stationEntry,
                               const IndexInfo*& parameterEntry) const {
    // Keys are used as given: an aggregate is named by its alias.
    stationEntry = m_stations.Find(station);
    if (!stationEntry) {
        m_ui.ShowMessage("ZAVFieldManager::GetData: Unable to find station " + station);
    }
    parameterEntry = m_parameters.Find(parameter);
    if (!parameterEntry) {
        m_ui.ShowMessage("ZAVFieldManager::GetData: Unable to find parameter " + parameter);
    }
    return stationEntry && parameterEntry;
}

ZAVFieldManager::ScanList ZAVFieldManager::ListSeriesForData(const std::string& station,
                                                             const std::string& parameter) {
    ScanList list;
    const IndexInfo* stationEntry = nullptr;
    const IndexInfo* parameterEntry = nullptr;
    if (!FindPair(station, parameter, stationEntry, parameterEntry)) {
        return list;
    }
    auto addMatching = [&](const IndexInfo& entry) {
        AddScansNamedBy(list, entry, *parameterEntry, &DataSeries::ParameterName);
    };
    addMatching(*stationEntry);
    // An aggregate station answers only when its representative holds the
    // parameter; its members are consulted after that.
    if (list.scans.empty()) {
        return list;
    }
    for (const std::string& member : stationEntry->members) {
        if (const IndexInfo* memberEntry = m_stations.Find(member)) {
            addMatching(*memberEntry);
        } else {
            m_ui.ShowMessage("ZAVFieldManager::GetData: Unable to find station " + member);
        }
    }
    return list;
}

ZAVFieldManager::ScanList ZAVFieldManager::ListSeriesForAvailability(const std::string& parameter,
                                                                     const std::string& station) {
    ScanList list;
    const IndexInfo* stationEntry = nullptr;
    const IndexInfo* parameterEntry = nullptr;
    if (!FindPair(station, parameter, stationEntry, parameterEntry)) {
        return list;
    }
    auto addMatching = [&](const IndexInfo& entry) {
        AddScansNamedBy(list, entry, *stationEntry, &DataSeries::StationName);
    };
    addMatching(*parameterEntry);
    for (const std::string& member : parameterEntry->members) {
        if (const IndexInfo* memberEntry = m_parameters.Find(member)) {
            addMatching(*memberEntry);
        } else {
            m_ui.ShowMessage("ZAVFieldManager::GetData: Unable to find param " + member);
        }
    }
    return list;
}

void ZAVFieldManager::StartScans(ScanList& list, const KTRTime& start) {
    // Points before the span never count; the first scan starts past them.
    for (SeriesScan& scan : list.scans) {
        scan.position = FirstAtOrAfter(scan.series->Times(), 0, start.Instant());
    }
}

// Once per call, not once per interval: a report of a few hundred intervals
// would otherwise stop the user with as many identical message boxes.
void ZAVFieldManager::ReportMissingUnits(const ScanList& list) {
    if (list.missingUnits == 0) {
        return;
    }
    for (const SeriesScan& scan : list.scans) {
        if (!scan.units) {
            m_ui.ShowMessage("SearchRecords: Units lookup failed.");
        }
    }
}

void ZAVFieldManager::SearchRecords(ScanList& list, const IntervalBounds* bounds, size_t from,
                                    size_t count, IntervalStats& stats) {
    // Running statistics per interval. Series are taken one after another
    // over the whole run, which adds each interval's values in the same
    // order as taking the intervals one after another would. "Nothing yet"
    // is a count of 0, never a special value: the extremes start beyond any
    // value, so the first value sets both, whatever it is.
    struct Running {
        double sum = 0.0;
        double low = std::numeric_limits<double>::infinity();
        double high = -std::numeric_limits<double>::infinity();
        size_t count = 0;
    };
    Running running[kIntervalBatch];
    for (SeriesScan& scan : list.scans) {
        const Conversion convert = ConversionOf(*scan.series, scan.units);
        const KTRTime* times = scan.series->Times().data();
        const double* values = scan.series->Values().data();
        const int32_t* masks = scan.series->Masks().data();
        const size_t size = scan.series->Size();
        size_t k = scan.position;
        size_t previous = 0;  // points in this series' previous interval
        for (size_t j = 0; j < count && k < size; ++j) {
            const int64_t first = bounds[j].first;
            const int64_t last = bounds[j].last;
            // Plain locals, not the array slot, so the loop keeps them in
            // registers.
            double sum = running[j].sum;
            double low = running[j].low;
            double high = running[j].high;
            size_t n = running[j].count;
            // A value that is no finite number is not looked for here, to
            // keep the loop lean: it leaves the sum not finite, and the
            // interval is counted again below.
            auto add = [&](size_t i) {
                const double v = convert(values[i]);
                low = v < low ? v : low;
                high = v > high ? v : high;
                sum += v;
                ++n;
            };
            size_t end = k + previous;
            if (SameCountAgain(times, k, size, last, previous)) {
                // The scan never stops before an interval's first instant
                // (intervals meet or overlap, and the scan starts at the
                // span), so inside a known run only the masks matter and
                // the times need not be read at all.
                for (size_t i = k; i < end; ++i) {
                    if (masks[i] == 0) {
                        add(i);
                    }
                }
            } else {
                for (end = k; end < size && times[end].Instant() <= last; ++end) {
                    if (masks[end] == 0 && times[end].Instant() >= first) {
                        add(end);
                    }
                }
            }
            running[j] = Running{sum, low, high, n};
            previous = end - k;
            k = end;
        }
        scan.position = k;
    }
    double* min = stats.min.data() + from;
    double* max = stats.max.data() + from;
    double* mean = stats.mean.data() + from;
    double* present = stats.present.data() + from;
    for (size_t j = 0; j < count; ++j) {
        const Running& r = running[j];
        const bool any = r.count > 0;
        if (any && !IsValue(r.sum)) {
            CountAgain(list, bounds[j], min[j], max[j], mean[j], present[j]);
            continue;
        }
        min[j] = any ? r.low : 0.0;
        max[j] = any ? r.high : 0.0;
        // One value is its own mean; skipping the division matters when
        // intervals are as fine as the points.
        mean[j] = !any ? 0.0 : r.count == 1 ? r.sum : r.sum / static_cast<double>(r.count);
        present[j] = any ? 1.0 : 0.0;
    }
}

void ZAVFieldManager::SearchRecords(ScanList& list, const IntervalBounds* bounds, size_t from,
                                    size_t count, std::vector<double>& present) {
    for (SeriesScan& scan : list.scans) {
        const Conversion convert = ConversionOf(*scan.series, scan.units);
        const std::vector<KTRTime>& times = scan.series->Times();
        const double* values = scan.series->Values().data();
        const int32_t* masks = scan.series->Masks().data();
        const size_t size = times.size();
        size_t k = scan.position;
        for (size_t j = 0; j < count && k < size; ++j) {
            const int64_t first = bounds[j].first;
            const int64_t last = bounds[j].last;
            for (; k < size; ++k) {
                const int64_t t = times[k].Instant();
                if (t > last) {
                    break;
                }
                if (masks[k] == 0 && t >= first && IsValue(convert(values[k]))) {
                    present[from + j] = 1.0;
                    // Nothing more of this interval matters: jump past it.
                    k = FirstAfter(times, k, last);
                    break;
                }
            }
        }
        scan.position = k;
    }
}

// An interval whose sum is not finite: it holds a value that is no finite
// number (which counts as missing), or finite values whose sum went past the
// largest double. Rare, so the interval is scanned again, slowly: the
// statistics of its finite values, the mean as the sum of each value's
// share when the plain sum overflows, which stays within their range.
void ZAVFieldManager::CountAgain(const ScanList& list, const IntervalBounds& bounds, double& min,
                                 double& max, double& mean, double& present) {
    std::vector<double> values;
    for (const SeriesScan& scan : list.scans) {
        const Conversion convert = ConversionOf(*scan.series, scan.units);
        const DataSeries& series = *scan.series;
        for (size_t k = FirstAtOrAfter(series.Times(), 0, bounds.first);
             k < series.Size() && series.Time(k).Instant() <= bounds.last; ++k) {
            const double v = convert(series.Value(k));
            if (series.Mask(k) == 0 && IsValue(v)) {
                values.push_back(v);
            }
        }
    }
    min = max = mean = present = 0.0;
    if (values.empty()) {
        return;
    }
    min = *std::min_element(values.begin(), values.end());
    max = *std::max_element(values.begin(), values.end());
    double sum = 0.0;
    for (double v : values) {
        sum += v;
    }
    const double n = static_cast<double>(values.size());
    mean = values.size() == 1 ? sum : sum / n;
    if (!IsValue(mean)) {
        mean = 0.0;
        for (double v : values) {
            mean += v / n;
        }
    }
    present = 1.0;
}

// The last value the pair had before the span: the latest unmasked point
// before `start` with a value, over every listed series (of two at the same
// time, the one listed later). None when no such point exists.
std::optional<double> ZAVFieldManager::LeadingValue(const ScanList& list, const KTRTime& start) {
    std::optional<double> leading;
    int64_t latest = 0;
    for (const SeriesScan& scan : list.scans) {
        const Conversion convert = ConversionOf(*scan.series, scan.units);
        const DataSeries& series = *scan.series;
        for (size_t k = FirstAtOrAfter(series.Times(), 0, start.Instant()); k-- > 0;) {
            const double v = convert(series.Value(k));
            if (series.Mask(k) != 0 || !IsValue(v)) {
                continue;
            }
            const int64_t t = series.Time(k).Instant();
            if (!leading || t >= latest) {
                leading = v;
                latest = t;
            }
            break;
        }
    }
    return leading;
}

int ZAVFieldManager::GetData(const std::string& station, const std::string& parameter,
                             const KTRTime& start, const KTRTime& end, int unit, int every,
                             std::vector<double>& min, std::vector<double>& max,
                             std::vector<double>& mean, std::vector<double>& present,
                             int fillGaps) {
    ScanList list = ListSeriesForData(station, parameter);
    if (list.scans.empty()) {
        return 0;
    }
    const IntervalGrid grid(start, end, unit, every);
    const size_t n = static_cast<size_t>(grid.Count());
    for (std::vector<double>* values : {&min, &max, &mean, &present}) {
        EnsureSize(*values, n);
    }
    StartScans(list, start);
    if (n > 0) {
        ReportMissingUnits(list);
    }
    IntervalStats stats{min, max, mean, present};
    ForEachRun(grid, CachedBounds(grid, start, end, unit, every),
               [&](const IntervalBounds* bounds, size_t from, size_t count) {
                   SearchRecords(list, bounds, from, count, stats);
               });
    if (fillGaps && n > 0) {
        doFillGaps(stats, n, LeadingValue(list, start));
    }
    return 1;
}

int ZAVFieldManager::GetAvailability(const std::string& parameter, const std::string& station,
                                     const KTRTime& start, const KTRTime& end, int unit, int every,
                                     std::vector<double>& present) {
    ScanList list = ListSeriesForAvailability(parameter, station);
    const IntervalGrid grid(start, end, unit, every);
    const size_t n = static_cast<size_t>(grid.Count());
    EnsureSize(present, n);
    if (list.scans.empty()) {
        return 1;
    }
    StartScans(list, start);
    if (n > 0) {
        ReportMissingUnits(list);
    }
    ForEachRun(grid, CachedBounds(grid, start, end, unit, every),
               [&](const IntervalBounds* bounds, size_t from, size_t count) {
                   SearchRecords(list, bounds, from, count, present);
               });
    return 1;
}

void ZAVFieldManager::doFillGaps(IntervalStats& stats, size_t count,
                                 std::optional<double> leading) {
    FillGaps({&stats.min, &stats.max, &stats.mean}, stats.present, count,
             GapFillOptions{leading, 0});
}

size_t ZAVFieldManager::GetPoints(const std::string& station, const std::string& parameter,
                                  const KTRTime& start, const KTRTime& end,
                                  std::vector<double>& times, std::vector<double>& values) {
    times.clear();
    values.clear();
    ScanList list = ListSeriesForData(station, parameter);
    ReportMissingUnits(list);
    // Each series' points in the span, and room for all of them taken at
    // once: a graph of millions of points would otherwise grow its arrays
    // over and over.
    std::vector<std::pair<size_t, size_t>> spans;
    size_t most = 0;
    for (const SeriesScan& scan : list.scans) {
        const std::vector<KTRTime>& t = scan.series->Times();
        const size_t first = FirstAtOrAfter(t, 0, start.Instant());
        const size_t last = std::max(first, FirstAfter(t, 0, end.Instant()));
        spans.emplace_back(first, last);
        most += last - first;
    }
    times.reserve(most);
    values.reserve(most);
    PrepareReserved(times);
    PrepareReserved(values);
    for (size_t s = 0; s < list.scans.size(); ++s) {
        const SeriesScan& scan = list.scans[s];
        const Conversion convert = ConversionOf(*scan.series, scan.units);
        const std::vector<KTRTime>& t = scan.series->Times();
        const std::vector<double>& v = scan.series->Values();
        const std::vector<int32_t>& masks = scan.series->Masks();
        for (size_t i = spans[s].first; i < spans[s].second; ++i) {
            const double value = convert(v[i]);
            if (masks[i] == 0 && IsValue(value)) {
                times.push_back(static_cast<double>(t[i].Instant()));
                values.push_back(value);
            }
        }
    }
    // Members of an aggregate interleave; equal times keep the order of the
    // series, as the scans took them.
    if (list.scans.size() > 1) {
        std::vector<size_t> order(times.size());
        for (size_t i = 0; i < order.size(); ++i) {
            order[i] = i;
        }
        std::stable_sort(order.begin(), order.end(),
                         [&times](size_t a, size_t b) { return times[a] < times[b]; });
        std::vector<double> sortedTimes(order.size()), sortedValues(order.size());
        for (size_t i = 0; i < order.size(); ++i) {
            sortedTimes[i] = times[order[i]];
            sortedValues[i] = values[order[i]];
        }
        times.swap(sortedTimes);
        values.swap(sortedValues);
    }
    return times.size();
}

}  // namespace zav
