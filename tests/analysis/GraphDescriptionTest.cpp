// The description of a graph: groups and series for the three kinds of
// graph, missing points, the threshold line, titles, x label step, grid and
// y range, and the messages that stop a graph. Also the page's number boxes.
#include <gtest/gtest.h>

#include <algorithm>

#include "ScriptedUserInterface.h"
#include "StoreBuilders.h"
#include "analysis/GraphDescription.h"
#include "analysis/NumberBoxes.h"
#include "analysis/ReportBuilder.h"
#include "store/ZAVFieldManager.h"

namespace zav {
namespace {

using test::MakeSeries;
using test::MakeSource;
using Texts = std::vector<std::string>;
using Values = std::vector<double>;
using Flags = std::vector<bool>;

KTRTime Day(int year, int month, int day) {
    return KTRTime(year, month, day, 12, 0, 0);
}

class GraphTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A: months 1 and 3; B: month 2 only, negative; C: nothing of DO.
        store.AddSource(MakeSource(
            "f", {MakeSeries("A", "DO", "mg/l",
                             {{Day(1995, 1, 3), 4}, {Day(1995, 1, 9), 8}, {Day(1995, 3, 3), 5}}),
                  MakeSeries("B", "DO", "mg/l", {{Day(1995, 2, 3), -1}}),
                  MakeSeries("C", "pH", "su", {{Day(1995, 2, 3), 7}}),
                  MakeSeries("A", "pH", "su", {{Day(1995, 3, 9), 7.5}})}));
    }

    ReportRequest Request(const Texts& items, const std::string& other, int kind = kMainStations) {
        ReportRequest r;
        AnalysisSettings& s = r.settings;
        s.startYear = s.endYear = 1995;
        s.startMonth = 1;
        s.endMonth = 3;
        s.endDay = 31;
        s.unit = kMonths;
        s.mainListKind = kind;
        r.mainItems = items;
        r.otherItem = other;
        return r;
    }

    GraphDescription Build(const ReportRequest& r) {
        GraphDescription graph;
        EXPECT_EQ(BuildGraphDescription(store, r, graph), GraphOutcome::kBuilt);
        return graph;
    }

    ScriptedUserInterface ui;
    ZAVFieldManager store{ui};
};

TEST_F(GraphTest, MaxMeanMinIsOneGroupPerStationWithEveryPointDrawn) {
    ReportRequest r = Request({"A", "B"}, "DO");
    r.settings.thresholdOn = true;  // at 0: still a line, of zeros
    GraphDescription graph = Build(r);
    EXPECT_EQ(graph.name, "zav_data_values");
    EXPECT_EQ(graph.kind, GraphKind::kValuesMaxMeanMin);
    EXPECT_EQ(graph.xLabels, (Texts{"1/1995", "2/1995", "3/1995"}));
    EXPECT_EQ(graph.bottomTitle, "Time");
    EXPECT_EQ(graph.leftTitle, "mg/l");
    ASSERT_EQ(graph.groups.size(), 2u);
    const GraphGroup& a = graph.groups[0];
    EXPECT_EQ(a.caption, "DO");
    EXPECT_EQ(a.title, "A");
    EXPECT_EQ(graph.groups[1].title, "B");
    ASSERT_EQ(a.series.size(), 3u);
    EXPECT_EQ(a.series[0].name, "Max");
    EXPECT_EQ(a.series[0].values, (Values{8, 0, 5}));
    EXPECT_EQ(a.series[1].name, "Min");
    EXPECT_EQ(a.series[1].values, (Values{4, 0, 5}));
    EXPECT_EQ(a.series[2].name, "Mean");
    EXPECT_EQ(a.series[2].values, (Values{6, 0, 5}));
    EXPECT_EQ(a.series[2].missing, (Flags{false, false, false}));
    for (const GraphGroup& group : graph.groups) {
        ASSERT_EQ(group.overlays.size(), 1u);
        EXPECT_EQ(group.overlays[0].name, "Threshold");
        EXPECT_EQ(group.overlays[0].values, (Values{0, 0, 0}));
    }
    // Top at the largest maximum of all stations; bottom at the lowest value.
    EXPECT_EQ(graph.yMax, 8);
    EXPECT_EQ(graph.yMin, -1);
    EXPECT_EQ(graph.yTicks, 5);
}

TEST_F(GraphTest, MeanLinesLeaveIntervalsWithoutDataMissing) {
    ReportRequest r = Request({"A", "B", "C"}, "DO");
    r.settings.plotStyle = kPlotMean;
    r.settings.thresholdOn = true;
    r.settings.threshold = 0.1f;
    GraphDescription graph = Build(r);
    EXPECT_EQ(graph.name, "zav_data_values_line");
    ASSERT_EQ(graph.groups.size(), 1u);
    const GraphGroup& group = graph.groups[0];
    EXPECT_EQ(group.caption, "DO");
    EXPECT_EQ(group.title, "DO");
    ASSERT_EQ(group.series.size(), 3u);
    EXPECT_EQ(group.series[0].name, "A");
    EXPECT_EQ(group.series[0].values, (Values{6, 0, 5}));
    EXPECT_EQ(group.series[0].missing, (Flags{false, true, false}));
    EXPECT_EQ(group.series[1].missing, (Flags{true, false, true}));
    EXPECT_EQ(group.series[2].missing, (Flags{true, true, true}));
    ASSERT_EQ(group.overlays.size(), 1u);
    EXPECT_EQ(group.overlays[0].values[2], static_cast<double>(0.1f));
    EXPECT_EQ(graph.yMax, 6);  // the largest mean

    // Filled gaps are drawn as if measured.
    r.settings.fillGaps = true;
    graph = Build(r);
    EXPECT_EQ(graph.groups[0].series[0].values, (Values{6, 5.5, 5}));
    EXPECT_EQ(graph.groups[0].series[0].missing, (Flags{false, false, false}));
}

TEST_F(GraphTest, AvailabilityStripsStandAtTheirItemsHeight) {
    ReportRequest r = Request({"B", "A"}, "DO");
    r.settings.dataType = kDataAvailability;
    r.settings.thresholdOn = true;  // values only
    GraphDescription graph = Build(r);
    EXPECT_EQ(graph.name, "zav_data_avail");
    EXPECT_EQ(graph.leftTitle, "Availability");
    EXPECT_EQ(graph.yLabels, (Texts{"B", "A"}));
    EXPECT_EQ(graph.yMin, 0);
    EXPECT_EQ(graph.yMax, 2);
    EXPECT_EQ(graph.yTicks, 1);
    const GraphGroup& group = graph.groups.at(0);
    EXPECT_EQ(group.caption, "DO");
    EXPECT_TRUE(group.overlays.empty());
    EXPECT_EQ(group.series.at(0).values, (Values{0, 1, 0}));
    EXPECT_EQ(group.series.at(0).missing, (Flags{true, false, true}));
    EXPECT_EQ(group.series.at(1).name, "A");
    EXPECT_EQ(group.series.at(1).values, (Values{2, 0, 2}));

    // By parameters, from the parameter side, named in the legend only.
    graph = Build(Request({"pH", "DO"}, "A", kMainParameters));
    EXPECT_EQ(graph.name, "zav_data_avail");
    EXPECT_EQ(graph.groups.at(0).title, "A");
    EXPECT_EQ(graph.groups.at(0).series.at(0).name, "pH");
    EXPECT_EQ(graph.groups.at(0).series.at(0).missing, (Flags{true, true, false}));
    EXPECT_EQ(graph.groups.at(0).series.at(1).values, (Values{2, 0, 2}));
    EXPECT_TRUE(graph.yLabels.empty());
    EXPECT_EQ(graph.yTicks, 0);
    EXPECT_EQ(graph.yMax, 2);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(GraphTest, LabelStepAndFineGridFollowThePointCount) {
    EXPECT_EQ(GraphLabelStep(40), 1);
    EXPECT_EQ(GraphLabelStep(49), 1);
    EXPECT_EQ(GraphLabelStep(50), 2);
    EXPECT_EQ(GraphLabelStep(120), 3);
    ReportRequest r = Request({"A"}, "DO");
    r.settings.unit = kDays;
    r.settings.endMonth = 4;
    r.settings.endDay = 30;  // 120 days
    GraphDescription graph = Build(r);
    EXPECT_EQ(graph.PointCount(), 120);
    EXPECT_EQ(graph.labelStep, 3);
    EXPECT_TRUE(graph.ShowsXLabel(0));
    EXPECT_FALSE(graph.ShowsXLabel(4));
    EXPECT_TRUE(graph.ShowsXLabel(117));
    EXPECT_FALSE(graph.fineGrid);
    r.settings.endMonth = 1;
    r.settings.endDay = 19;
    EXPECT_TRUE(Build(r).fineGrid);
    r.settings.endDay = 20;
    EXPECT_FALSE(Build(r).fineGrid);
}

TEST_F(GraphTest, YRangeKeepsDataAndThresholdInSight) {
    // One positive value: the range stands on 0 below it.
    ReportRequest r = Request({"A"}, "DO");
    r.settings.startMonth = 3;
    r.settings.plotStyle = kPlotMean;
    GraphDescription graph = Build(r);
    EXPECT_EQ(graph.yMin, 0);
    EXPECT_EQ(graph.yMax, 5);
    // Positive values that differ (the missing month counts as 0).
    r.settings.startMonth = 1;
    graph = Build(r);
    EXPECT_EQ(graph.yMin, 0);
    EXPECT_EQ(graph.yMax, 6);
    // A threshold above the data lifts the top to it.
    r.settings.thresholdOn = true;
    r.settings.threshold = 9.5f;
    EXPECT_EQ(Build(r).yMax, 9.5);
    // No maximum above 0: the range comes from the data alone.
    graph = Build(Request({"B"}, "DO"));
    EXPECT_EQ(graph.yMin, -1);
    EXPECT_EQ(graph.yMax, 0);
}

TEST_F(GraphTest, UnitsTitleIsWhatTheValuesAreShownIn) {
    store.SetUnits("mg/l", UnitsRecord{"mg/l", "ug/l", "", 1000, 0});
    EXPECT_EQ(Build(Request({"A"}, "DO")).leftTitle, "ug/l");
    store.SetUnits("mg/l", UnitsRecord{"mg/l", "", "", 1, 0});
    EXPECT_EQ(ShownUnits(store, "DO"), "mg/l");
    EXPECT_EQ(ShownUnits(store, "unknown"), "");
}

TEST_F(GraphTest, SelectionsThatMakeNoGraphSayWhy) {
    GraphDescription graph;
    ReportRequest r = Request({}, "DO");
    EXPECT_EQ(BuildGraphDescription(store, r, graph), GraphOutcome::kNoSelection);
    r = Request({"A"}, "DO");
    r.otherItem.reset();
    EXPECT_EQ(BuildGraphDescription(store, r, graph), GraphOutcome::kNoSelection);
    r = Request({"A"}, "DO");
    r.settings.every = 0;
    EXPECT_EQ(BuildGraphDescription(store, r, graph), GraphOutcome::kBadStep);
    r.settings.every = 1;
    r.settings.endYear = 1994;
    EXPECT_EQ(BuildGraphDescription(store, r, graph), GraphOutcome::kNoIntervals);
    EXPECT_TRUE(graph.groups.empty());
    // More than 500 points only when the user agrees.
    r.settings.endYear = 1996;
    r.settings.endMonth = 5;
    r.settings.endDay = 15;
    r.settings.unit = kDays;  // 501 days
    ui.yesNoAnswers = {false};
    EXPECT_EQ(BuildGraphDescription(store, r, graph), GraphOutcome::kDeclined);
    EXPECT_TRUE(graph.groups.empty());
    EXPECT_EQ(BuildGraphDescription(store, r, graph), GraphOutcome::kBuilt);
    EXPECT_EQ(ui.questions, (Texts{"There are 501 time points.  Continue?",
                                   "There are 501 time points.  Continue?"}));
    r.settings.endDay = 14;
    EXPECT_EQ(BuildGraphDescription(store, r, graph), GraphOutcome::kBuilt);
    EXPECT_EQ(ui.questions.size(), 2u);
    EXPECT_EQ(ui.messages, (Texts{"Please select items to graph from the listboxes.",
                                  "Please select items to graph from the listboxes.",
                                  "Interval span must be greater than zero.",
                                  "Date span selected yields no plotting intervals."}));
}

// Every stored point at its own time: masked points and points outside the
// span left out, the members of an aggregate interleaved by time, values in
// the parameter's units.
TEST_F(GraphTest, RawPointsAreEveryPointOfTheSpanAtItsTime) {
    DataSeries masked = test::MakeSeries("B", "DO", "mg/l", {{Day(1995, 1, 5), 3}});
    masked.InsertPoint(Day(1995, 1, 6), 99, 1);
    store.AddSource(MakeSource(
        "g", {masked, test::MakeSeries("A", "DO", "mg/l",
                                       {{Day(1994, 12, 31), 50}, {Day(1995, 4, 1), 60}})}));
    ReportRequest r = Request({"A"}, "DO");
    r.settings.plotStyle = kPlotPoints;
    GraphDescription graph = Build(r);
    EXPECT_EQ(graph.name, "zav_data_points");
    EXPECT_EQ(graph.kind, GraphKind::kRawPoints);
    ASSERT_EQ(graph.groups.size(), 1u);
    ASSERT_EQ(graph.groups[0].series.size(), 1u);
    const GraphSeries& a = graph.groups[0].series[0];
    EXPECT_EQ(a.name, "A");
    EXPECT_EQ(a.values, (Values{4, 8, 5}));
    const auto at = [](const KTRTime& t) { return static_cast<double>(t.Instant()); };
    EXPECT_EQ(a.times, (Values{at(Day(1995, 1, 3)), at(Day(1995, 1, 9)), at(Day(1995, 3, 3))}));

    ASSERT_EQ(store.AddAggregate({"A", "B"}, "AB", kStationType), 1);
    r.mainItems = {"AB"};
    graph = Build(r);
    const GraphSeries& ab = graph.groups[0].series[0];
    EXPECT_EQ(ab.values, (Values{4, 3, 8, -1, 5}));
    EXPECT_TRUE(std::is_sorted(ab.times.begin(), ab.times.end()));
    EXPECT_EQ(graph.yMin, -1);
    EXPECT_EQ(graph.yMax, 8);
}

TEST_F(GraphTest, EveryGraphKnowsTheTimeOfEachPoint) {
    GraphDescription graph = Build(Request({"A"}, "DO"));
    const auto at = [](int month) {
        return static_cast<double>(KTRTime(1995, month, 1, 0, 0, 0).Instant());
    };
    EXPECT_EQ(graph.xTimes, (Values{at(1), at(2), at(3)}));
    EXPECT_EQ(graph.xEdges, (Values{at(1), at(2), at(3), at(4)}));
}

TEST_F(GraphTest, HeatMapHasARowPerItemAndACellPerInterval) {
    // A's most common step is 6 days; B (one value) and C (none of DO) have
    // no step, so their rows tell presence only.
    const double a = 100.0 * 2 / (31.0 / 6) / 100;
    const double a3 = 100.0 * 1 / (31.0 / 6) / 100;
    for (int dataType : {kDataAvailability, kDataValues}) {
        ReportRequest r = Request({"A", "B", "C"}, "DO");
        r.settings.plotStyle = kPlotHeatMap;
        r.settings.dataType = dataType;
        GraphDescription graph = Build(r);
        EXPECT_EQ(graph.name, "zav_data_heatmap");
        EXPECT_EQ(graph.kind, GraphKind::kHeatMap);
        EXPECT_EQ(graph.heatMap.rows, (Texts{"A", "B", "C"}));
        EXPECT_EQ(graph.heatMap.presenceOnly, (Flags{false, true, true}));
        ASSERT_EQ(graph.heatMap.cells.size(), 9u);
        EXPECT_DOUBLE_EQ(graph.heatMap.cells[0], a);
        EXPECT_DOUBLE_EQ(graph.heatMap.cells[2], a3);
        EXPECT_EQ(graph.heatMap.cells[1], 0.0);
        EXPECT_EQ(Values(graph.heatMap.cells.begin() + 3, graph.heatMap.cells.end()),
                  (Values{0, 1, 0, 0, 0, 0}));
        EXPECT_EQ(graph.leftTitle, "Coverage (%); rows marked (1/0): 1 data, 0 none");
    }
    ReportRequest r = Request({"DO", "pH"}, "A", kMainParameters);
    r.settings.plotStyle = kPlotHeatMap;
    {
        // The readout under the cursor names the row and its cell.
        const GraphDescription byStation = Build(Request({"A", "B"}, "DO"));
        ReportRequest stations = Request({"A", "B"}, "DO");
        stations.settings.plotStyle = kPlotHeatMap;
        const GraphDescription map = Build(stations);
        const double jan = map.xEdges[0], feb = map.xEdges[1], end = map.xEdges[3];
        EXPECT_EQ(HeatMapCellText(map, 0, jan), "A   38.7097 %");
        EXPECT_EQ(HeatMapCellText(map, 0, feb - 1), "A   38.7097 %");
        EXPECT_EQ(HeatMapCellText(map, 0, feb), "A   0 %");
        EXPECT_EQ(HeatMapCellText(map, 1, feb + 5), "B   data");
        EXPECT_EQ(HeatMapCellText(map, 1, jan), "B   no data");
        EXPECT_EQ(HeatMapCellText(map, 1, end), "");
        EXPECT_EQ(HeatMapCellText(map, 2, jan), "");
        EXPECT_EQ(HeatMapCellText(byStation, 0, jan), "");
    }
    r.settings.statistics.expectedStep = 7 * 86400;
    GraphDescription graph = Build(r);
    EXPECT_EQ(graph.heatMap.rows, (Texts{"DO", "pH"}));
    EXPECT_EQ(graph.heatMap.presenceOnly, (Flags{false, false}));
    EXPECT_EQ(graph.leftTitle, "Coverage (%)");
    const double week = 7.0 / 31;
    const Values expected{2 * week, 0, week, 0, 0, week};
    ASSERT_EQ(graph.heatMap.cells.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_DOUBLE_EQ(graph.heatMap.cells[i], expected[i]) << i;
    }
}

// Graphs of values and strips hold calendar years' values, so their labels
// and times are calendar years too, whatever the year start; the heat map
// counts its years from the options' first month.
TEST_F(GraphTest, YearsOfAGraphAreTheYearsItsValuesWereTakenOver) {
    for (int style : {kPlotMaxMeanMin, kPlotMean, kPlotHeatMap}) {
        for (int dataType : {kDataValues, kDataAvailability}) {
            ReportRequest r = Request({"A"}, "DO");
            r.settings.unit = kYears;
            r.settings.plotStyle = style;
            r.settings.dataType = dataType;
            r.settings.statistics.yearStartMonth = 10;
            const GraphDescription graph = Build(r);
            const bool waterYears = style == kPlotHeatMap;
            EXPECT_EQ(graph.xLabels, (Texts{waterYears ? "10/1994" : "1/1995"})) << style;
            const int firstMonth = waterYears ? 10 : 1;
            const int firstYear = waterYears ? 1994 : 1995;
            EXPECT_EQ(
                graph.xTimes,
                (Values{static_cast<double>(KTRTime(firstYear, firstMonth, 1, 0, 0, 0).Instant())}))
                << style;
        }
    }
}

// The heat map and the report's coverage table are one computation: every
// cell of the map is the table's coverage over 100, whatever the unit, the
// year start or the expected step.
TEST_F(GraphTest, HeatMapCellsAreTheReportsCoverage) {
    store.AddSource(MakeSource("g", {MakeSeries("D", "DO", "mg/l",
                                                {{Day(1994, 11, 1), 1},
                                                 {Day(1994, 11, 2), 2},
                                                 {Day(1994, 11, 3), 3},
                                                 {Day(1995, 1, 20), 4},
                                                 {Day(1995, 1, 21), 5},
                                                 {Day(1995, 6, 1), 6}})}));
    struct Case {
        int unit;
        int yearStart;
        int64_t step;
    };
    for (const Case& c : {Case{kMonths, 1, 0}, Case{kYears, 10, 0}, Case{kYears, 1, 86400},
                          Case{kWeeks, 1, 3600}, Case{kDays, 4, 0}}) {
        ReportRequest r = Request({"A", "D", "B"}, "DO");
        r.settings.startYear = 1994;
        r.settings.startMonth = 10;
        r.settings.startDay = 15;
        r.settings.endMonth = 7;
        r.settings.endDay = 10;
        r.settings.unit = c.unit;
        r.settings.statistics.yearStartMonth = c.yearStart;
        r.settings.statistics.expectedStep = c.step;
        r.settings.statistics.statistic = Statistic::kCoverage;
        ReportTable table;
        ASSERT_EQ(RebuildTable(store, r, table), ReportOutcome::kComputed);
        r.settings.plotStyle = kPlotHeatMap;
        const GraphDescription graph = Build(r);
        const size_t columns = graph.xLabels.size();
        ASSERT_EQ(table.header.size(), columns + 1);
        ASSERT_EQ(table.rows.size(), graph.heatMap.rows.size());
        for (size_t row = 0; row < table.rows.size(); ++row) {
            const ReportRow& expected = table.rows[row];
            for (size_t i = 0; i < columns; ++i) {
                const double cell = graph.heatMap.At(row, i, columns);
                if (expected.values[i]) {
                    EXPECT_DOUBLE_EQ(cell * 100, *expected.values[i])
                        << expected.name << " " << i << " unit " << c.unit;
                } else {
                    // No step: presence, which the table has no number for.
                    EXPECT_TRUE(graph.heatMap.presenceOnly[row]) << expected.name;
                }
            }
        }
    }
}

TEST(NumberBoxesTest, BoxesHoldANumberWithBlanksAroundOrNothing) {
    EXPECT_EQ(ReadNumberBox("2.5"), 2.5f);
    EXPECT_EQ(ReadNumberBox(" -3e2 "), -300.0f);
    EXPECT_EQ(ReadNumberBox("0"), 0.0f);
    for (const char* bad : {"", "  ", "abc", "1x", "1e40", "inf", "nan"}) {
        EXPECT_FALSE(ReadNumberBox(bad)) << bad;
    }
    EXPECT_EQ(ReadIntegerBox("12"), 12);
    EXPECT_EQ(ReadIntegerBox(" 0 "), 0);
    for (const char* bad : {"", "1.5", "x", "99999999999"}) {
        EXPECT_FALSE(ReadIntegerBox(bad)) << bad;
    }
    EXPECT_STREQ(kEnterNumberMessage, "Please enter a number.");
    EXPECT_STREQ(kEnterIntegerMessage, "Please enter an integer.");
}

}  // namespace
}  // namespace zav
