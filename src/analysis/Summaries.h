// The summary tables of one station and parameter: year by year (calendar
// or water years) the count of values, the coverage and the chosen
// statistic; and the duration table, the value exceeded for a given
// percentage of the time over a span. Both as the tab-delimited text the
// program writes for tables (CR LF line ends).
#pragma once

#include <optional>
#include <string>

#include "analysis/Statistic.h"
#include "core/KTRTime.h"

namespace zav {

class ZAVFieldManager;

// One line per year from the pair's first year with a value to its last:
// "Year", "Count", "Coverage (%)" and the statistic's column(s) ("Min",
// "Max" and "Mean" for min-max-mean). Years are labelled as the report
// labels them ("10/1994" for the year that begins in October 1994). No
// text when the pair has no value at all.
std::optional<std::string> YearSummaryText(ZAVFieldManager& store, const std::string& station,
                                           const std::string& parameter,
                                           const StatisticsOptions& options);

// The percentages of time of the duration table.
const std::vector<int>& DurationPercents();

// "Exceeded (%)" and "Value": for each of DurationPercents, the value that
// the pair's values from `start` to `end` exceed that share of the time
// (the quantile at 1 - p / 100). No text when there is no value.
std::optional<std::string> DurationText(ZAVFieldManager& store, const std::string& station,
                                        const std::string& parameter, const KTRTime& start,
                                        const KTRTime& end);

}  // namespace zav
