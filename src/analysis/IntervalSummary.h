// IntervalSummary: one pair's statistic interval by interval, with what
// tells how complete each interval is: the count of values, the coverage
// against the number expected at the sampling step, whether that is enough
// to call the interval available, and whether its value was filled in.
// The report's statistics table, the summaries and the page's hints all
// come from here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/AnalysisSettings.h"
#include "analysis/Statistic.h"
#include "core/IntervalGrid.h"
#include "store/ZAVFieldManager.h"

namespace zav {

struct IntervalSummary {
    size_t count = 0;                // values in the interval
    std::optional<double> coverage;  // percent of the expected; none: no step known
    bool available = false;          // measured, and covered enough
    bool filled = false;             // the value was interpolated
    std::optional<double> value;     // the statistic; none: nothing to show
};

struct SummaryRow {
    bool answered = false;  // a series took part
    int64_t step = 0;       // the sampling step used, in seconds; 0: none known
    std::vector<IntervalSummary> intervals;
};

// Which series stand for a row of the page's table: the station side's for
// a main list of stations, the parameter side's for parameters.
ZAVFieldManager::PairSide PairSideOf(const AnalysisSettings& settings);

// The pair's summary over `grid`. With `fillGaps`, intervals without a
// value get one by interpolation (not for count and coverage, which an
// empty interval has); a filled interval is never available.
// Coverage is worked out when the statistic or the threshold needs it, or
// when `coverage` asks for it anyway (for hints); otherwise it stays none.
SummaryRow SummariseRow(ZAVFieldManager& store, const std::string& station,
                        const std::string& parameter, ZAVFieldManager::PairSide side,
                        const IntervalGrid& grid, const StatisticsOptions& options, bool fillGaps,
                        bool coverage = true);

// Percent of the expected number of values: `count` values between two
// instants (inclusive) sampled every `step` seconds; at most 100, since
// pooled series may hold more than one value per sample.
std::optional<double> Coverage(size_t count, int64_t first, int64_t last, int64_t step);

// A cell of the table: the value ("%g") or "-"; availability "1" or "0".
// `mark` appends "*" to a filled value.
std::string SummaryValueCell(const IntervalSummary& summary, bool mark);
std::string SummaryAvailabilityCell(const IntervalSummary& summary);

// "12 values, 38.7% of 31 expected" and "filled" for the page's hints.
std::string SummaryHint(const IntervalSummary& summary, int64_t step, int64_t first, int64_t last);

}  // namespace zav
