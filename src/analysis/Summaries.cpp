#include "analysis/Summaries.h"

#include "analysis/IntervalLabels.h"
#include "analysis/IntervalSummary.h"
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

}  // namespace

std::optional<std::string> YearSummaryText(ZAVFieldManager& store, const std::string& station,
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
    std::string text = "Year\tCount\tCoverage (%)";
    for (Statistic statistic : shown) {
        text += "\t" + StatisticTitle(statistic);
    }
    text += kLineEnd;
    for (size_t i = first; i < last; ++i) {
        text += IntervalLabel(grid.Point(static_cast<int>(i)), kYears);
        text += "\t" + std::to_string(counts[i].count) + "\t" + Cell(counts[i].coverage);
        for (size_t s = 1; s < rows.size(); ++s) {
            text += "\t" + Cell(rows[s].intervals[i].value);
        }
        text += kLineEnd;
    }
    return text;
}

const std::vector<int>& DurationPercents() {
    static const std::vector<int> percents = {1, 5, 10, 25, 50, 75, 90, 95, 99};
    return percents;
}

std::optional<std::string> DurationText(ZAVFieldManager& store, const std::string& station,
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
    std::string text = std::string("Exceeded (%)\tValue") + kLineEnd;
    for (int percent : DurationPercents()) {
        text += std::to_string(percent) + "\t" + Cell(Quantile(all, (100 - percent) / 100.0)) +
                kLineEnd;
    }
    return text;
}

}  // namespace zav
