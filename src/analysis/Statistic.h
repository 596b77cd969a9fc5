// Statistic: what one report cell says about the values of an interval.
// Besides the mean of the availability page there are counts, sums,
// the median and percentiles (linear between order statistics, the usual
// "type 7" rule of statistics packages), the standard deviation (n - 1)
// and the coverage against an expected number of samples.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zav {

enum class Statistic {
    kMinMaxMean,  // the page's own: the table shows the mean
    kMean,
    kMin,
    kMax,
    kCount,
    kSum,
    kMedian,
    kP10,
    kP25,
    kP75,
    kP90,
    kSd,
    kCoverage,
};

// The report's choices beyond the page's own; all at their defaults the
// report is exactly the page's.
struct StatisticsOptions {
    Statistic statistic = Statistic::kMinMaxMean;
    // Seconds between samples; 0: the pair's most common step.
    int64_t expectedStep = 0;
    // An interval is available when its coverage is at least this many
    // percent; 0: when it holds any value.
    double minCoverage = 0.0;
    // The first month of the year unit (10: water years from October).
    int yearStartMonth = 1;
    // Longest run of intervals filled by interpolation; 0: no limit.
    size_t maxGap = 0;
    // Exports append "*" to filled cells.
    bool markFilled = false;

    bool IsPageDefault() const {
        return statistic == Statistic::kMinMaxMean && expectedStep == 0 && minCoverage <= 0.0 &&
               yearStartMonth == 1 && maxGap == 0 && !markFilled;
    }
};

// The name on the command line ("min-max-mean", "median", "p10", ...).
std::string StatisticName(Statistic statistic);
// "min-max-mean|mean|min|...", for messages.
std::string StatisticNames();
std::optional<Statistic> StatisticFromName(const std::string& name);
// Every statistic, in the order of StatisticNames.
const std::vector<Statistic>& AllStatistics();
// The heading a column of it has ("Median", "P10", "Coverage (%)", ...).
std::string StatisticTitle(Statistic statistic);

// Count and coverage say something of an interval without values (0);
// the others have no value there.
bool DefinedWithoutValues(Statistic statistic);

// The p-quantile (p from 0 to 1) of `values`: the order statistics at
// floor((n - 1) p) and the one after it, joined by a straight line. Found by
// selection, so `values` is reordered. No value for an empty list.
std::optional<double> Quantile(std::vector<double>& values, double p);

// The statistic of one interval's values (not count or coverage, which
// need more than the values). No value where it is not defined: an empty
// interval, or a standard deviation of one value. `values` may be
// reordered.
std::optional<double> StatisticOf(Statistic statistic, std::vector<double>& values);

// A sampling step such as "15min", "1h", "1d", "30s" or "1w" in seconds; no
// value for anything else (a step must be a whole number above 0).
std::optional<int64_t> ParseStep(const std::string& text);

}  // namespace zav
