// The summary tables of one station and parameter: year by year (calendar
// or water years) the count of values, the coverage and the chosen
// statistic; and the duration table, the value exceeded for a given
// percentage of the time over a span. Both as cells, which the desktop's
// summary window shows, and as the tab-delimited text of those cells that
// zav-cli prints (CR LF line ends).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/ReportRequest.h"
#include "analysis/Statistic.h"
#include "core/KTRTime.h"

namespace zav {

class ZAVFieldManager;

// A header line and rows of cells, every row as long as the header.
struct SummaryTable {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

// The cells with a tab between them and CR LF after every line.
std::string SummaryTableText(const SummaryTable& table);
// The cells as CSV records, for other programs.
std::string SummaryTableCsv(const SummaryTable& table);

// One line per year from the pair's first year with a value to its last:
// "Year", "Count", "Coverage (%)" and the statistic's column(s) ("Min",
// "Max" and "Mean" for min-max-mean). Years are labelled as the report
// labels them ("10/1994" for the year that begins in October 1994). No
// table when the pair has no value at all.
std::optional<SummaryTable> YearSummaryTable(ZAVFieldManager& store, const std::string& station,
                                             const std::string& parameter,
                                             const StatisticsOptions& options);
std::optional<std::string> YearSummaryText(ZAVFieldManager& store, const std::string& station,
                                           const std::string& parameter,
                                           const StatisticsOptions& options);

// The percentages of time of the duration table.
const std::vector<int>& DurationPercents();

// "Exceeded (%)" and "Value": for each of DurationPercents, the value that
// the pair's values from `start` to `end` exceed that share of the time
// (the quantile at 1 - p / 100). No table when there is no value.
std::optional<SummaryTable> DurationTable(ZAVFieldManager& store, const std::string& station,
                                          const std::string& parameter, const KTRTime& start,
                                          const KTRTime& end);
std::optional<std::string> DurationText(ZAVFieldManager& store, const std::string& station,
                                        const std::string& parameter, const KTRTime& start,
                                        const KTRTime& end);

// "No values of P at S.": what a summary of a pair without values says.
std::string NoValuesMessage(const std::string& station, const std::string& parameter);

// Both summaries of one station and parameter.
struct PairSummaries {
    std::string station;
    std::string parameter;
    std::optional<SummaryTable> years;     // none: the pair has no value
    std::optional<SummaryTable> duration;  // none: no value in the span
};

// What the page says when asked for summaries without a selection.
extern const char* const kSelectForSummariesMessage;

// The line above the summary tables: how years are counted, the statistic
// and the duration table's span, e.g. "Years begin in October. Statistic:
// Median. Duration table from 1990-10-01 to 2000-09-30."
std::string SummariesAbout(const AnalysisSettings& settings);

// The summaries of every pair of a page's selection, in the main list's
// order: its statistic and options (the page's own mean gives the mean, as
// zav-cli summary does without --stat) year by year, and the duration
// table over its span. Empty without a selection.
std::vector<PairSummaries> SummariseSelection(ZAVFieldManager& store, const ReportRequest& request);

}  // namespace zav
