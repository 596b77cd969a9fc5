#include "analysis/Summaries.h"

#include <algorithm>
#include <cstdio>

#include "analysis/IntervalLabels.h"
#include "analysis/IntervalSummary.h"
#include "core/CsvText.h"
#include "core/TextFormat.h"
#include "store/ZAVFieldManager.h"

namespace zav {

namespace {

const char* const kLineEnd = "\r\n";

std::string Cell(const std::optional<double>& value) {
    return value ? FormatG(*value) : std::string("-");
}

std::vector<Statistic> ShownStatistics(Statistic statistic) {
    if (statistic == Statistic::kMinMaxMean) {
        return {Statistic::kMin, Statistic::kMax, Statistic::kMean};
    }
    // Count and coverage have their own columns already.
    if (DefinedWithoutValues(statistic)) {
        return {};
    }
    return {statistic};
}

std::optional<std::string> TextOf(const std::optional<SummaryTable>& table) {
    return table ? std::optional<std::string>(SummaryTableText(*table)) : std::nullopt;
}

}  // namespace

std::string SummaryTableText(const SummaryTable& table) {
    std::string text;
    auto line = [&text](const std::vector<std::string>& cells) {
        for (size_t i = 0; i < cells.size(); ++i) {
            text += (i == 0 ? "" : "\t") + cells[i];
        }
        text += kLineEnd;
    };
    line(table.header);
    for (const std::vector<std::string>& row : table.rows) {
        line(row);
    }
    return text;
}

std::string SummaryTableCsv(const SummaryTable& table) {
    std::string text = CsvRecord(table.header);
    for (const std::vector<std::string>& row : table.rows) {
        text += CsvRecord(row);
    }
    return text;
}

std::optional<std::string> YearSummaryText(ZAVFieldManager& store, const std::string& station,
                                           const std::string& parameter,
                                           const StatisticsOptions& options) {
    return TextOf(YearSummaryTable(store, station, parameter, options));
}

std::optional<std::string> DurationText(ZAVFieldManager& store, const std::string& station,
                                        const std::string& parameter, const KTRTime& start,
                                        const KTRTime& end) {
    return TextOf(DurationTable(store, station, parameter, start, end));
}

std::optional<SummaryTable> YearSummaryTable(ZAVFieldManager& store, const std::string& station,
                                             const std::string& parameter,
                                             const StatisticsOptions& options) {
    int fd = 0, fm = 0, fy = -1, ld = 0, lm = 0, ly = -1;
    store.GetDateRange(fd, fm, fy, ld, lm, ly);
    if (fy == -1) {
        return std::nullopt;
    }
    const IntervalGrid grid(KTRTime(fy, fm, fd, 0, 0, 0), KTRTime(ly, lm, ld, 23, 59, 59), kYears,
                            1, options.yearStartMonth);
    const std::vector<Statistic> shown = ShownStatistics(options.statistic);
    std::vector<SummaryRow> rows;
    StatisticsOptions each = options;
    each.statistic = Statistic::kCount;
    rows.push_back(SummariseRow(store, station, parameter, ZAVFieldManager::PairSide::kStation,
                                grid, each, false));
    for (Statistic statistic : shown) {
        each.statistic = statistic;
        rows.push_back(SummariseRow(store, station, parameter, ZAVFieldManager::PairSide::kStation,
                                    grid, each, false));
    }
    // The project's span may be wider than the pair's: its empty years at
    // either end are left out.
    const std::vector<IntervalSummary>& counts = rows[0].intervals;
    size_t first = 0;
    size_t last = counts.size();
    while (first < last && counts[first].count == 0) {
        ++first;
    }
    while (last > first && counts[last - 1].count == 0) {
        --last;
    }
    if (first == last) {
        return std::nullopt;
    }
    SummaryTable table;
    table.header = {"Year", "Count", "Coverage (%)"};
    for (Statistic statistic : shown) {
        table.header.push_back(StatisticTitle(statistic));
    }
    for (size_t i = first; i < last; ++i) {
        std::vector<std::string> cells = {IntervalLabel(grid.Point(static_cast<int>(i)), kYears),
                                          std::to_string(counts[i].count),
                                          Cell(counts[i].coverage)};
        for (size_t s = 1; s < rows.size(); ++s) {
            cells.push_back(Cell(rows[s].intervals[i].value));
        }
        table.rows.push_back(std::move(cells));
    }
    return table;
}

const std::vector<int>& DurationPercents() {
    static const std::vector<int> percents = {1, 5, 10, 25, 50, 75, 90, 95, 99};
    return percents;
}

std::optional<SummaryTable> DurationTable(ZAVFieldManager& store, const std::string& station,
                                          const std::string& parameter, const KTRTime& start,
                                          const KTRTime& end) {
    // One interval over the whole span: a day grid taken all at once.
    const int days = start.UnitsBetween(end, kDays);
    if (days == 0) {
        return std::nullopt;
    }
    std::vector<double> all;
    store.GetIntervalValues(station, parameter, ZAVFieldManager::PairSide::kStation,
                            IntervalGrid(start, end, kDays, days),
                            [&](size_t, std::vector<double>& values) { all.swap(values); });
    if (all.empty()) {
        return std::nullopt;
    }
    SummaryTable table;
    table.header = {"Exceeded (%)", "Value"};
    for (int percent : DurationPercents()) {
        table.rows.push_back(
            {std::to_string(percent), Cell(Quantile(all, (100 - percent) / 100.0))});
    }
    return table;
}

const char* const kSelectForSummariesMessage =
    "Please select stations or parameters and the other item from the listboxes.";

namespace {

std::string IsoDate(int year, int month, int day) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

// The statistic the summaries show: the page's own mean is the mean.
StatisticsOptions SummaryOptions(const AnalysisSettings& settings) {
    StatisticsOptions options = settings.statistics;
    if (options.statistic == Statistic::kMinMaxMean) {
        options.statistic = Statistic::kMean;
    }
    return options;
}

}  // namespace

std::string SummariesAbout(const AnalysisSettings& s) {
    static const char* const kMonths[] = {"January",   "February", "March",    "April",
                                          "May",       "June",     "July",     "August",
                                          "September", "October",  "November", "December"};
    const int month = std::clamp(s.statistics.yearStartMonth, 1, 12);
    return std::string("Years begin in ") + kMonths[month - 1] +
           ". Statistic: " + StatisticTitle(SummaryOptions(s).statistic) +
           ". Duration table from " + IsoDate(s.startYear, s.startMonth, s.startDay) + " to " +
           IsoDate(s.endYear, s.endMonth, s.endDay) + ".";
}

std::string NoValuesMessage(const std::string& station, const std::string& parameter) {
    return "No values of " + parameter + " at " + station + ".";
}

std::vector<PairSummaries> SummariseSelection(ZAVFieldManager& store,
                                              const ReportRequest& request) {
    std::vector<PairSummaries> pairs;
    if (!request.HasSelection()) {
        return pairs;
    }
    const AnalysisSettings& s = request.settings;
    const StatisticsOptions options = SummaryOptions(s);
    for (const std::string& item : request.mainItems) {
        PairSummaries pair{request.StationFor(item), request.ParameterFor(item), {}, {}};
        pair.years = YearSummaryTable(store, pair.station, pair.parameter, options);
        pair.duration =
            DurationTable(store, pair.station, pair.parameter, s.SpanStart(), s.SpanEnd());
        pairs.push_back(std::move(pair));
    }
    return pairs;
}

}  // namespace zav
