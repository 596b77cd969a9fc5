#include "analysis/IntervalSummary.h"

#include <algorithm>

#include "core/GapFilling.h"
#include "core/TextFormat.h"

namespace zav {

namespace {

double Expected(int64_t first, int64_t last, int64_t step) {
    return static_cast<double>(last - first + 1) / static_cast<double>(step);
}

// Counts and coverage need no filling: an empty interval has its 0.
void FillValues(SummaryRow& row, const StatisticsOptions& options,
                const std::optional<double>& leading) {
    const size_t n = row.intervals.size();
    std::vector<double> values(n, 0.0);
    std::vector<double> present(n, 0.0);
    for (size_t i = 0; i < n; ++i) {
        if (row.intervals[i].value) {
            values[i] = *row.intervals[i].value;
            present[i] = 1.0;
        }
    }
    std::vector<char> filled;
    FillGaps({&values}, present, n, GapFillOptions{leading, options.maxGap}, &filled);
    for (size_t i = 0; i < n; ++i) {
        if (filled[i]) {
            row.intervals[i].value = values[i];
            row.intervals[i].filled = true;
        }
    }
}

}  // namespace

ZAVFieldManager::PairSide PairSideOf(const AnalysisSettings& settings) {
    return settings.mainListKind == kMainStations ? ZAVFieldManager::PairSide::kStation
                                                  : ZAVFieldManager::PairSide::kParameter;
}

std::optional<double> Coverage(size_t count, int64_t first, int64_t last, int64_t step) {
    if (step <= 0 || last < first) {
        return std::nullopt;
    }
    const double percent = 100.0 * static_cast<double>(count) / Expected(first, last, step);
    return std::min(percent, 100.0);
}

SummaryRow SummariseRow(ZAVFieldManager& store, const std::string& station,
                        const std::string& parameter, ZAVFieldManager::PairSide side,
                        const IntervalGrid& grid, const StatisticsOptions& options, bool fillGaps,
                        bool coverage) {
    SummaryRow row;
    row.intervals.resize(static_cast<size_t>(std::max(grid.Count(), 0)));
    const Statistic statistic = options.statistic;
    auto visit = [&](size_t i, std::vector<double>& values) {
        row.intervals[i].count = values.size();
        if (!DefinedWithoutValues(statistic)) {
            row.intervals[i].value = StatisticOf(statistic, values);
        }
    };
    // The most common step costs a pass over the times; asked for only
    // when something shows coverage.
    const bool needCoverage =
        coverage || statistic == Statistic::kCoverage || options.minCoverage > 0.0;
    ZAVFieldManager::PairScanInfo info;
    info.wantStep = options.expectedStep == 0 && needCoverage;
    row.answered = store.GetIntervalValues(station, parameter, side, grid, visit, &info) != 0;
    row.step = options.expectedStep != 0 ? options.expectedStep : info.typicalStep;
    // Coverage needs the step, which the scan gives only at its end.
    for (size_t i = 0; i < row.intervals.size(); ++i) {
        IntervalSummary& s = row.intervals[i];
        const IntervalGrid::Bounds b = grid.IntervalBounds(static_cast<int>(i));
        if (needCoverage) {
            s.coverage = Coverage(s.count, b.first, b.last, row.step);
        }
        s.available = s.count > 0 && (options.minCoverage <= 0.0 ||
                                      (s.coverage && *s.coverage >= options.minCoverage));
        if (statistic == Statistic::kCoverage) {
            s.value = s.coverage;
        } else if (statistic == Statistic::kCount) {
            s.value = static_cast<double>(s.count);
        } else if (!s.available) {
            s.value.reset();
        }
    }
    if (row.answered && fillGaps && !DefinedWithoutValues(statistic)) {
        FillValues(row, options, info.leading);
    }
    return row;
}

std::string SummaryValueCell(const IntervalSummary& summary, bool mark) {
    if (!summary.value) {
        return "-";
    }
    return FormatG(*summary.value) + (mark && summary.filled ? "*" : "");
}

std::string SummaryAvailabilityCell(const IntervalSummary& summary) {
    return summary.available ? "1" : "0";
}

std::string SummaryHint(const IntervalSummary& summary, int64_t step, int64_t first, int64_t last) {
    std::string text = std::to_string(summary.count) + (summary.count == 1 ? " value" : " values");
    if (summary.coverage) {
        text += ", " + FormatG(*summary.coverage) + "% of " + FormatG(Expected(first, last, step)) +
                " expected";
    } else {
        text += ", no sampling step known";
    }
    if (summary.filled) {
        text += "; value filled by interpolation";
    }
    return text;
}

}  // namespace zav
