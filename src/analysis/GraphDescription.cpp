#include "analysis/GraphDescription.h"

#include <algorithm>
#include <optional>

#include "analysis/IntervalLabels.h"
#include "analysis/IntervalStatistics.h"
#include "analysis/IntervalSummary.h"
#include "analysis/ReportBuilder.h"
#include "core/IntervalGrid.h"
#include "core/TextFormat.h"
#include "core/UserInterface.h"
#include "store/ZAVFieldManager.h"

namespace zav {

namespace {

const char* const kNoSelectionMessage = "Please select items to graph from the listboxes.";
const char* const kBadStepMessage = "Interval span must be greater than zero.";
const char* const kNoIntervalsMessage = "Date span selected yields no plotting intervals.";
const char* const kThresholdName = "Threshold";
constexpr int kValueTicks = 5;

// Each point at its label's time; the intervals' edges for the heat map.
void SetTimes(const IntervalGrid& grid, GraphDescription& graph) {
    const int n = grid.Count();
    for (int i = 0; i < n; ++i) {
        graph.xTimes.push_back(static_cast<double>(grid.Point(i).Instant()));
        graph.xEdges.push_back(static_cast<double>(grid.IntervalBounds(i).first));
    }
    if (n > 0) {
        graph.xEdges.push_back(static_cast<double>(grid.IntervalBounds(n - 1).last + 1));
    }
}

// The points of a series where `present` says so, at `values`; the others
// missing at 0.0.
GraphSeries PresentPoints(const std::string& name, const std::vector<double>& present,
                          const std::vector<double>& values) {
    GraphSeries series{name,
                       std::vector<double>(present.size(), 0.0),
                       std::vector<bool>(present.size(), true),
                       {}};
    for (size_t i = 0; i < present.size(); ++i) {
        series.missing[i] = !(present[i] > 0.0);
        series.values[i] = series.missing[i] ? 0.0 : values[i];
    }
    return series;
}

GraphSeries AllPoints(const std::string& name, const std::vector<double>& values) {
    return GraphSeries{name, values, std::vector<bool>(values.size(), false), {}};
}

GraphSeries ThresholdSeries(double value, size_t points) {
    return AllPoints(kThresholdName, std::vector<double>(points, value));
}

IntervalStatistics StationStatistics(ZAVFieldManager& store, const ReportRequest& request,
                                     const std::string& station, size_t points) {
    const AnalysisSettings& s = request.settings;
    return IntervalStatistics::Compute(store, station, *request.otherItem, s.SpanStart(),
                                       s.SpanEnd(), s.unit, s.every, points, s.fillGaps);
}

// Largest maximum over every station and interval; the values graphs fix
// their top at the largest value plotted only when this is above 0.
struct ValueRange {
    double largestMax = 0.0;
    double largestPlotted = 0.0;
    bool seen = false;

    void Add(const IntervalStatistics& stats, bool meansOnly) {
        for (size_t i = 0; i < stats.max.size(); ++i) {
            const double plotted = meansOnly ? stats.mean[i] : stats.max[i];
            largestMax = seen ? std::max(largestMax, stats.max[i]) : stats.max[i];
            largestPlotted = seen ? std::max(largestPlotted, plotted) : plotted;
            seen = true;
        }
    }
};

// Bottom and top of every value drawn or marked missing (missing ones count
// with their 0.0), with the bottom at 0 when all are positive and differ.
std::pair<double, double> DataRange(const GraphDescription& graph) {
    double low = 0.0, high = 0.0;
    bool first = true, allPositive = true;
    for (const GraphGroup& group : graph.groups) {
        for (const GraphSeries& series : group.series) {
            for (double v : series.values) {
                low = first ? v : std::min(low, v);
                high = first ? v : std::max(high, v);
                allPositive = allPositive && v > 0.0;
                first = false;
            }
        }
    }
    if (allPositive && low != high) {
        low = 0.0;
    }
    return {low, high};
}

// The y range of a values graph. A threshold outside the data widens it, so
// that the line asked for is always in sight.
void SetValueRange(GraphDescription& graph, const ValueRange& range,
                   const std::optional<double>& threshold) {
    auto [low, high] = DataRange(graph);
    const bool fixedTop = range.largestMax > 0.0;
    if (fixedTop) {
        high = range.largestPlotted;
    }
    if (threshold) {
        low = std::min(low, *threshold);
        high = std::max(high, *threshold);
    }
    if (low >= high) {
        // One value only: stand on 0 below a positive top, else around it.
        low = fixedTop && high > 0.0 ? 0.0 : high - 1.0;
        high = fixedTop && high > 0.0 ? high : high + 1.0;
    }
    graph.yMin = low;
    graph.yMax = high;
    graph.yTicks = kValueTicks;
}

std::optional<double> ThresholdOf(const AnalysisSettings& s) {
    // The box holds a single-precision value; the line is drawn at its
    // nearest double.
    return s.thresholdOn ? std::optional<double>(static_cast<double>(s.threshold)) : std::nullopt;
}

void BuildMaxMeanMin(ZAVFieldManager& store, const ReportRequest& request,
                     GraphDescription& graph) {
    const size_t n = graph.xLabels.size();
    const std::string& parameter = *request.otherItem;
    const std::optional<double> threshold = ThresholdOf(request.settings);
    graph.name = "zav_data_values";
    graph.kind = GraphKind::kValuesMaxMeanMin;
    graph.leftTitle = ShownUnits(store, parameter);
    ValueRange range;
    for (const std::string& station : request.mainItems) {
        IntervalStatistics stats = StationStatistics(store, request, station, n);
        range.Add(stats, false);
        // An interval without data is drawn at 0.0 in all three.
        GraphGroup group{parameter, station, {}, {}};
        group.series.push_back(AllPoints("Max", stats.max));
        group.series.push_back(AllPoints("Min", stats.min));
        group.series.push_back(AllPoints("Mean", stats.mean));
        if (threshold) {
            group.overlays.push_back(ThresholdSeries(*threshold, n));
        }
        graph.groups.push_back(std::move(group));
    }
    SetValueRange(graph, range, threshold);
}

void BuildMeanLines(ZAVFieldManager& store, const ReportRequest& request, GraphDescription& graph) {
    const size_t n = graph.xLabels.size();
    const std::string& parameter = *request.otherItem;
    const std::optional<double> threshold = ThresholdOf(request.settings);
    graph.name = "zav_data_values_line";
    graph.kind = GraphKind::kValuesMean;
    graph.leftTitle = ShownUnits(store, parameter);
    GraphGroup group{parameter, parameter, {}, {}};
    ValueRange range;
    for (const std::string& station : request.mainItems) {
        IntervalStatistics stats = StationStatistics(store, request, station, n);
        range.Add(stats, true);
        group.series.push_back(PresentPoints(station, stats.present, stats.mean));
    }
    if (threshold) {
        group.overlays.push_back(ThresholdSeries(*threshold, n));
    }
    graph.groups.push_back(std::move(group));
    SetValueRange(graph, range, threshold);
}

// Item i's strip at height i + 1 where the item has data.
void AddStrip(GraphGroup& group, const std::string& item, const std::vector<double>& present) {
    const double height = static_cast<double>(group.series.size() + 1);
    group.series.push_back(
        PresentPoints(item, present, std::vector<double>(present.size(), height)));
}

void BuildAvailability(ZAVFieldManager& store, const ReportRequest& request,
                       GraphDescription& graph) {
    const AnalysisSettings& s = request.settings;
    const size_t n = graph.xLabels.size();
    const std::string& other = *request.otherItem;
    graph.name = "zav_data_avail";
    graph.kind = GraphKind::kAvailability;
    graph.leftTitle = "Availability";
    GraphGroup group{other, other, {}, {}};
    const bool stations = s.mainListKind == kMainStations;
    for (const std::string& item : request.mainItems) {
        if (stations) {
            AddStrip(group, item, StationStatistics(store, request, item, n).present);
            continue;
        }
        std::vector<double> present(n, 0.0);
        store.GetAvailability(item, other, s.SpanStart(), s.SpanEnd(), s.unit, s.every, present);
        AddStrip(group, item, present);
    }
    const int count = static_cast<int>(request.mainItems.size());
    graph.yMin = 0.0;
    graph.yMax = count;
    // Stations are named beside their strips; parameters only in the legend.
    graph.yTicks = stations ? count - 1 : 0;
    if (stations) {
        graph.yLabels = request.mainItems;
    }
    graph.groups.push_back(std::move(group));
}

// Every stored point of each station over the span, one series per
// station; the y range covers them all.
void BuildRawPoints(ZAVFieldManager& store, const ReportRequest& request, GraphDescription& graph) {
    const AnalysisSettings& s = request.settings;
    const std::string& parameter = *request.otherItem;
    const std::optional<double> threshold = ThresholdOf(s);
    graph.name = "zav_data_points";
    graph.kind = GraphKind::kRawPoints;
    graph.leftTitle = ShownUnits(store, parameter);
    GraphGroup group{parameter, parameter, {}, {}};
    double low = 0.0, high = 0.0;
    bool seen = false;
    for (const std::string& station : request.mainItems) {
        GraphSeries series{station, {}, {}, {}};
        store.GetPoints(station, parameter, s.SpanStart(), s.SpanEnd(), series.times,
                        series.values);
        for (double v : series.values) {
            low = seen ? std::min(low, v) : v;
            high = seen ? std::max(high, v) : v;
            seen = true;
        }
        group.series.push_back(std::move(series));
    }
    if (threshold) {
        group.overlays.push_back(ThresholdSeries(*threshold, graph.xTimes.size()));
        low = seen ? std::min(low, *threshold) : *threshold;
        high = seen ? std::max(high, *threshold) : *threshold;
        seen = true;
    }
    if (!seen || low >= high) {
        low -= 1.0;
        high += 1.0;
    }
    graph.groups.push_back(std::move(group));
    graph.yMin = low;
    graph.yMax = high;
    graph.yTicks = kValueTicks;
}

// The colour bar's title: what the cells mean.
const char* const kCoverageTitle = "Coverage (%)";
const char* const kPresenceTitle = "Coverage (%); rows marked (1/0): 1 data, 0 none";

// One row per item, its cells the coverage the report's coverage table
// shows (the same IntervalSummary), or presence where no step is known.
void BuildHeatMap(ZAVFieldManager& store, const ReportRequest& request, GraphDescription& graph) {
    const AnalysisSettings& s = request.settings;
    const IntervalGrid grid = s.Grid();
    StatisticsOptions options = s.statistics;
    options.statistic = Statistic::kCoverage;
    options.minCoverage = 0.0;
    graph.name = "zav_data_heatmap";
    graph.kind = GraphKind::kHeatMap;
    graph.leftTitle = kCoverageTitle;
    HeatMapCells& map = graph.heatMap;
    for (const std::string& item : request.mainItems) {
        const SummaryRow row =
            SummariseRow(store, request.StationFor(item), request.ParameterFor(item), PairSideOf(s),
                         grid, options, false);
        const bool presenceOnly = row.step <= 0;
        map.rows.push_back(item);
        map.presenceOnly.push_back(presenceOnly);
        for (const IntervalSummary& interval : row.intervals) {
            if (presenceOnly || !interval.coverage) {
                map.cells.push_back(interval.count > 0 ? 1.0 : 0.0);
            } else {
                map.cells.push_back(*interval.coverage / 100.0);
            }
        }
        if (presenceOnly) {
            graph.leftTitle = kPresenceTitle;
        }
    }
    const std::string& other = *request.otherItem;
    graph.groups.push_back(GraphGroup{other, other, {}, {}});
    graph.yMin = 0.0;
    graph.yMax = static_cast<double>(map.rows.size());
    graph.yLabels = map.rows;
}

}  // namespace

std::string HeatMapCellText(const GraphDescription& graph, size_t row, double time) {
    const HeatMapCells& map = graph.heatMap;
    const std::vector<double>& edges = graph.xEdges;
    if (row >= map.rows.size() || edges.size() < 2 || time < edges.front() ||
        time >= edges.back()) {
        return std::string();
    }
    const size_t columns = edges.size() - 1;
    const size_t column =
        static_cast<size_t>(std::upper_bound(edges.begin(), edges.end(), time) - edges.begin()) - 1;
    const double cell = map.At(row, column, columns);
    std::string text = map.rows[row] + "   ";
    if (map.presenceOnly[row]) {
        return text + (cell > 0.0 ? "data" : "no data");
    }
    return text + FormatG(cell * 100.0) + " %";
}

int GraphLabelStep(int points) {
    return points / 50 + 1;
}

bool GraphUsesFineGrid(int points) {
    return points < 20;
}

std::string ShownUnits(const ZAVFieldManager& store, const std::string& parameter) {
    const std::string alias = store.GetParameterUnitsAlias(parameter);
    if (alias == "<error>") {
        return std::string();
    }
    return alias.empty() ? store.GetParameterUnits(parameter) : alias;
}

GraphOutcome BuildGraphDescription(ZAVFieldManager& store, const ReportRequest& request,
                                   GraphDescription& graph) {
    const AnalysisSettings& s = request.settings;
    UserInterface& ui = store.UI();
    graph = GraphDescription();
    if (!request.HasSelection()) {
        ui.ShowMessage(kNoSelectionMessage);
        return GraphOutcome::kNoSelection;
    }
    if (s.every < 1) {
        ui.ShowMessage(kBadStepMessage);
        return GraphOutcome::kBadStep;
    }
    // The graphs of values and strips take their values over calendar
    // years; only the heat map counts years from the options' first month.
    // Their labels and times come from the grid their values come from.
    const IntervalGrid grid = s.plotStyle == kPlotHeatMap ? s.Grid() : s.CalendarGrid();
    // An empty grid would open an empty window; the table says why instead.
    const int n = grid.Count();
    if (n == 0) {
        ui.ShowMessage(kNoIntervalsMessage);
        return GraphOutcome::kNoIntervals;
    }
    // A wrong unit (minutes for months) could ask for millions of points
    // per series, more than memory holds; the table's question guards it.
    if (!ConfirmIntervalCount(ui, n)) {
        return GraphOutcome::kDeclined;
    }
    graph.xLabels = IntervalLabels(grid, s.unit);
    SetTimes(grid, graph);
    graph.labelStep = GraphLabelStep(n);
    graph.fineGrid = GraphUsesFineGrid(n);
    graph.bottomTitle = "Time";
    if (s.plotStyle == kPlotHeatMap) {
        BuildHeatMap(store, request, graph);
    } else if (!s.ReportsValues()) {
        BuildAvailability(store, request, graph);
    } else if (s.plotStyle == kPlotPoints) {
        BuildRawPoints(store, request, graph);
    } else if (s.plotStyle == kPlotMaxMeanMin) {
        BuildMaxMeanMin(store, request, graph);
    } else {
        BuildMeanLines(store, request, graph);
    }
    return GraphOutcome::kBuilt;
}

}  // namespace zav
