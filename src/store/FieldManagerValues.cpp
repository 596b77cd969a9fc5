// ZAVFieldManager: the values of each interval, for statistics that need
// every value rather than running sums (counts against an expected number,
// medians, percentiles, spread). The series of a pair are listed as for
// GetData or GetAvailability and scanned once across the grid.
#include <algorithm>
#include <unordered_map>

#include "core/IntervalGrid.h"
#include "store/ValueConversion.h"
#include "store/ZAVFieldManager.h"

namespace zav {

namespace {

constexpr int kBoundsBatch = 256;

}  // namespace

int64_t ZAVFieldManager::TypicalStep(const ScanList& list, const KTRTime& start,
                                     const KTRTime& end) {
    // Regular records repeat one step for long runs; counting a run at a
    // time keeps the tally off the per-point path.
    std::unordered_map<int64_t, size_t> tally;
    for (const SeriesScan& scan : list.scans) {
        const std::vector<KTRTime>& times = scan.series->Times();
        auto first = std::lower_bound(times.begin(), times.end(), start);
        auto last = std::upper_bound(first, times.end(), end);
        int64_t runStep = 0;
        size_t runLength = 0;
        for (auto it = first; it != last && it + 1 != last; ++it) {
            const int64_t step = (it + 1)->Instant() - it->Instant();
            if (step == runStep) {
                ++runLength;
                continue;
            }
            if (runStep > 0) {
                tally[runStep] += runLength;
            }
            runStep = step;
            runLength = 1;
        }
        if (runStep > 0) {
            tally[runStep] += runLength;
        }
    }
    int64_t best = 0;
    size_t bestCount = 0;
    for (const auto& [step, count] : tally) {
        if (count > bestCount || (count == bestCount && step < best)) {
            best = step;
            bestCount = count;
        }
    }
    return best;
}

int ZAVFieldManager::GetIntervalValues(const std::string& station, const std::string& parameter,
                                       PairSide side, const IntervalGrid& grid,
                                       const IntervalValuesVisitor& visit, PairScanInfo* info) {
    ScanList list = side == PairSide::kStation ? ListSeriesForData(station, parameter)
                                               : ListSeriesForAvailability(parameter, station);
    if (list.scans.empty()) {
        return 0;
    }
    const int n = grid.Count();
    StartScans(list, grid.Start());
    if (n > 0) {
        ReportMissingUnits(list);
    }
    if (info) {
        info->typicalStep = info->wantStep ? TypicalStep(list, grid.Start(), grid.End()) : 0;
        info->leading = LeadingValue(list, grid.Start());
    }
    std::vector<double> values;
    IntervalGrid::Bounds bounds[kBoundsBatch];
    for (int from = 0; from < n; from += kBoundsBatch) {
        const int count = std::min(kBoundsBatch, n - from);
        grid.FillBounds(from, count, bounds);
        for (int j = 0; j < count; ++j) {
            values.clear();
            const int64_t first = bounds[j].first;
            const int64_t last = bounds[j].last;
            for (SeriesScan& scan : list.scans) {
                const Conversion convert = ConversionOf(*scan.series, scan.units);
                const DataSeries& series = *scan.series;
                const KTRTime* times = series.Times().data();
                const double* stored = series.Values().data();
                const int32_t* masks = series.Masks().data();
                const size_t size = series.Size();
                size_t k = scan.position;
                for (; k < size && times[k].Instant() <= last; ++k) {
                    if (masks[k] != 0 || times[k].Instant() < first) {
                        continue;
                    }
                    const double v = convert(stored[k]);
                    if (IsValue(v)) {
                        values.push_back(v);
                    }
                }
                scan.position = k;
            }
            visit(static_cast<size_t>(from + j), values);
        }
    }
    return 1;
}

}  // namespace zav
