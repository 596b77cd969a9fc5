// Statistics per interval: percentiles, spread, steps and names; coverage
// against the sampling step, availability by coverage, years that begin in
// another month, gap filling with a limit, and the summary tables. Values
// are worked out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "ScriptedUserInterface.h"
#include "StoreBuilders.h"
#include "analysis/IntervalLabels.h"
#include "analysis/IntervalSummary.h"
#include "analysis/ReportBuilder.h"
#include "analysis/Summaries.h"
#include "core/Calendar.h"
#include "store/ZAVFieldManager.h"

namespace zav {
namespace {

using test::MakeSeries;
using test::MakeSource;
using Texts = std::vector<std::string>;
using Points = std::vector<std::pair<KTRTime, double>>;

KTRTime Day(int year, int month, int day, int hour = 0, int minute = 0) {
    return KTRTime(year, month, day, hour, minute, 0);
}

TEST(StatisticTest, PercentilesJoinNeighbouringOrderStatistics) {
    struct Case {
        std::vector<double> values;
        double p;
        double expected;
    };
    // 1..10 in a shuffled order: (n - 1) p = 9 p.
    const std::vector<double> ten = {7, 3, 10, 1, 9, 2, 8, 5, 4, 6};
    const Case cases[] = {
        {ten, 0.5, 5.5},     {ten, 0.1, 1.9},        {ten, 0.25, 3.25},       {ten, 0.75, 7.75},
        {ten, 0.9, 9.1},     {ten, 0.0, 1.0},        {ten, 1.0, 10.0},        {{42}, 0.9, 42},
        {{4, 2}, 0.25, 2.5}, {{5, 5, 1, 5}, 0.5, 5}, {{-3, -1, -2}, 0.5, -2},
    };
    for (const Case& c : cases) {
        std::vector<double> values = c.values;
        EXPECT_NEAR(Quantile(values, c.p).value(), c.expected, 1e-12) << "p = " << c.p;
    }
    std::vector<double> none;
    EXPECT_FALSE(Quantile(none, 0.5));
}

TEST(StatisticTest, EachStatisticOfOneIntervalsValues) {
    const std::vector<double> values = {2, 4, 4, 4, 5, 5, 7, 9};
    struct Case {
        Statistic statistic;
        double expected;
    };
    const Case cases[] = {
        {Statistic::kMean, 5},     {Statistic::kMinMaxMean, 5},
        {Statistic::kMin, 2},      {Statistic::kMax, 9},
        {Statistic::kSum, 40},     {Statistic::kCount, 8},
        {Statistic::kMedian, 4.5}, {Statistic::kP10, 3.4},
        {Statistic::kP25, 4},      {Statistic::kP75, 5.5},
        {Statistic::kP90, 7.6},    {Statistic::kSd, std::sqrt(32.0 / 7.0)},
    };
    for (const Case& c : cases) {
        std::vector<double> copy = values;
        EXPECT_NEAR(StatisticOf(c.statistic, copy).value(), c.expected, 1e-12)
            << StatisticName(c.statistic);
    }
    // A spread needs two values; values far from zero keep their digits.
    std::vector<double> one = {3};
    EXPECT_FALSE(StatisticOf(Statistic::kSd, one));
    std::vector<double> far = {1e9 + 1, 1e9 + 2, 1e9 + 3};
    EXPECT_DOUBLE_EQ(StatisticOf(Statistic::kSd, far).value(), 1.0);
    std::vector<double> empty;
    EXPECT_FALSE(StatisticOf(Statistic::kMedian, empty));
}

TEST(StatisticTest, NamesAndSteps) {
    for (Statistic statistic : AllStatistics()) {
        EXPECT_EQ(StatisticFromName(StatisticName(statistic)), statistic);
    }
    EXPECT_EQ(StatisticNames(),
              "min-max-mean|mean|min|max|count|sum|median|p10|p25|p75|p90|sd|coverage");
    EXPECT_FALSE(StatisticFromName("p33"));
    EXPECT_FALSE(StatisticFromName("Median"));

    const std::pair<const char*, int64_t> good[] = {
        {"15min", 900}, {"1h", 3600}, {"1d", 86400}, {"30s", 30}, {"2w", 1209600}};
    for (const auto& [text, seconds] : good) {
        EXPECT_EQ(ParseStep(text), seconds) << text;
    }
    for (const char* bad : {"", "h", "0h", "1.5h", "1hr", "-1d", " 1h", "1 h", "15m"}) {
        EXPECT_FALSE(ParseStep(bad)) << bad;
    }
}

TEST(CoverageTest, CountsAgainstTheIntervalsLengthAndNeverPassesAll) {
    const int64_t day = 86400;
    const int64_t jan = Day(1995, 1, 1).Instant();
    EXPECT_NEAR(Coverage(21, jan, jan + 31 * day - 1, day).value(), 100.0 * 21 / 31, 1e-9);
    // A month clipped to its last 10 days expects 10.
    EXPECT_DOUBLE_EQ(Coverage(5, jan + 21 * day, jan + 31 * day - 1, day).value(), 50.0);
    // Pooled series may hold two values a sample.
    EXPECT_DOUBLE_EQ(Coverage(62, jan, jan + 31 * day - 1, day).value(), 100.0);
    EXPECT_FALSE(Coverage(3, jan, jan + day - 1, 0));
}

TEST(YearStartTest, WaterYearsBeginInOctoberAndKeepTheUsualLabels) {
    const IntervalGrid grid(Day(1994, 11, 15), KTRTime(1996, 10, 5, 23, 59, 59), kYears, 1, 10);
    ASSERT_EQ(grid.Count(), 3);
    EXPECT_EQ(IntervalLabels(grid, kYears), (Texts{"10/1994", "10/1995", "10/1996"}));
    auto text = [&](int i) {
        const IntervalGrid::Bounds b = grid.IntervalBounds(i);
        return KTRTime::FromInstant(b.first).ToText() + " - " +
               KTRTime::FromInstant(b.last).ToText();
    };
    EXPECT_EQ(text(0), "11/15/1994  0:00:00 -  9/30/1995 23:59:59");
    EXPECT_EQ(text(1), "10/ 1/1995  0:00:00 -  9/30/1996 23:59:59");
    EXPECT_EQ(text(2), "10/ 1/1996  0:00:00 - 10/ 5/1996 23:59:59");

    // A calendar year holds the end of one water year and the start of
    // the next; two years a step.
    EXPECT_EQ(IntervalGrid(Day(1995, 1, 1), Day(1995, 12, 31), kYears, 1, 10).Count(), 2);
    EXPECT_EQ(IntervalGrid(Day(1990, 4, 1), Day(1995, 3, 31), kYears, 2, 4).Count(), 3);
    // The start month leaves other units alone.
    EXPECT_EQ(IntervalGrid(Day(1995, 1, 1), Day(1995, 12, 31), kMonths, 1, 10).Count(), 12);
}

class SummaryTest : public ::testing::Test {
protected:
    // A daily series of `station` with the given days of a month, the day
    // number as value.
    void AddDays(const std::string& station, int year, int month, const std::vector<int>& days,
                 int firstValue = 0) {
        Points points;
        for (int d : days) {
            points.push_back({Day(year, month, d, 8), static_cast<double>(firstValue + d)});
        }
        series.push_back(MakeSeries(station, "Flow", "m3/s", points));
    }
    void Store() {
        ASSERT_EQ(store.AddSource(MakeSource("flows.txt", series)), 1);
        series.clear();
    }
    SummaryRow Row(const StatisticsOptions& options, const KTRTime& start, const KTRTime& end,
                   int unit, bool fill = false) {
        return SummariseRow(store, "Gauge", "Flow", ZAVFieldManager::PairSide::kStation,
                            IntervalGrid(start, end, unit, 1, options.yearStartMonth), options,
                            fill);
    }
    static Texts Cells(const SummaryRow& row, bool mark = false) {
        Texts cells;
        for (const IntervalSummary& s : row.intervals) {
            cells.push_back(SummaryValueCell(s, mark));
        }
        return cells;
    }

    ScriptedUserInterface ui;
    ZAVFieldManager store{ui};
    std::vector<DataSeries> series;
};

std::vector<int> Range(int first, int last) {
    std::vector<int> days;
    for (int d = first; d <= last; ++d) {
        days.push_back(d);
    }
    return days;
}

TEST_F(SummaryTest, CoverageCountsAgainstTheMostCommonStepOrTheOneGiven) {
    // January with 21 of its 31 days, February whole.
    AddDays("Gauge", 1995, 1, Range(1, 21));
    series.back().SetMask(3, 1);  // a masked day is no value
    AddDays("Gauge", 1995, 2, Range(1, 28));
    Store();
    StatisticsOptions coverage;
    coverage.statistic = Statistic::kCoverage;
    SummaryRow row = Row(coverage, Day(1995, 1, 1), KTRTime(1995, 3, 31, 23, 59, 59), kMonths);
    EXPECT_EQ(row.step, 86400);
    ASSERT_EQ(row.intervals.size(), 3u);
    EXPECT_EQ(row.intervals[0].count, 20u);
    EXPECT_EQ(Cells(row), (Texts{"64.5161", "100", "0"}));

    coverage.expectedStep = 12 * 3600;
    EXPECT_EQ(Cells(Row(coverage, Day(1995, 1, 1), KTRTime(1995, 3, 31, 23, 59, 59), kMonths)),
              (Texts{"32.2581", "50", "0"}));

    // Availability from 80 %: January's median is not shown.
    StatisticsOptions median;
    median.statistic = Statistic::kMedian;
    median.minCoverage = 80;
    row = Row(median, Day(1995, 1, 1), KTRTime(1995, 2, 28, 23, 59, 59), kMonths);
    EXPECT_EQ(Cells(row), (Texts{"-", "14.5"}));
    EXPECT_EQ(SummaryAvailabilityCell(row.intervals[0]), "0");
    EXPECT_EQ(SummaryAvailabilityCell(row.intervals[1]), "1");
    EXPECT_EQ(SummaryHint(row.intervals[0], row.step, Day(1995, 1, 1).Instant(),
                          KTRTime(1995, 1, 31, 23, 59, 59).Instant()),
              "20 values, 64.5161% of 31 expected");
}

TEST_F(SummaryTest, FillingDrawsLinesAcrossGapsNoLongerThanTheLimit) {
    // One value in January (1), March (3) and July (7), none after.
    AddDays("Gauge", 1995, 1, {1});
    AddDays("Gauge", 1995, 3, {1}, 2);
    AddDays("Gauge", 1995, 7, {1}, 6);
    Store();
    StatisticsOptions median;
    median.statistic = Statistic::kMedian;
    const KTRTime start = Day(1995, 1, 1);
    const KTRTime end(1995, 8, 31, 23, 59, 59);
    EXPECT_EQ(Cells(Row(median, start, end, kMonths, true), true),
              (Texts{"1", "2*", "3", "4*", "5*", "6*", "7", "7*"}));
    median.maxGap = 2;
    SummaryRow limited = Row(median, start, end, kMonths, true);
    EXPECT_EQ(Cells(limited, true), (Texts{"1", "2*", "3", "-", "-", "-", "7", "7*"}));
    EXPECT_EQ(Cells(limited), (Texts{"1", "2", "3", "-", "-", "-", "7", "7"}));
    // Filled is never available, and count and coverage are not filled.
    EXPECT_TRUE(limited.intervals[1].filled);
    EXPECT_EQ(SummaryAvailabilityCell(limited.intervals[1]), "0");
    median.statistic = Statistic::kCount;
    EXPECT_EQ(Cells(Row(median, start, end, kMonths, true)),
              (Texts{"1", "0", "1", "0", "0", "0", "1", "0"}));
}

TEST_F(SummaryTest, AReportOfMeansAgreesWithThePagesOwnMeans) {
    // Two stations of a group, irregular times, values of many magnitudes.
    Points a, b;
    for (int i = 0; i < 400; ++i) {
        a.push_back({KTRTime::FromInstant(Day(1995, 1, 1).Instant() + i * 37711),
                     std::pow(-1.7, i % 13) * (i + 1) / 7.0});
        b.push_back({KTRTime::FromInstant(Day(1995, 1, 3).Instant() + i * 52103), i * 0.1});
    }
    series.push_back(MakeSeries("Gauge", "Flow", "m3/s", a));
    series.push_back(MakeSeries("Other", "Flow", "m3/s", b));
    Store();
    ASSERT_EQ(store.AddAggregate({"Gauge", "Other"}, "Both", kStationType), 1);
    ReportRequest request;
    request.settings.startYear = 1995;
    request.settings.endYear = 1995;
    request.settings.endMonth = 12;
    request.settings.endDay = 31;
    request.settings.unit = kWeeks;
    request.mainItems = {"Both", "Gauge"};
    request.otherItem = "Flow";
    ReportTable own, mean;
    ASSERT_EQ(RebuildTable(store, request, own), ReportOutcome::kComputed);
    request.settings.statistics.statistic = Statistic::kMean;
    ASSERT_EQ(RebuildTable(store, request, mean), ReportOutcome::kComputed);
    EXPECT_EQ(mean.Grid(), own.Grid());
    EXPECT_TRUE(own.notes[0].empty());
}

// The page asks for a row's notes when the row is shown; they must be the
// notes a table computed with notes gives, the filled look included.
TEST_F(SummaryTest, NotesOfOneRowAreThoseOfATableComputedWithNotes) {
    AddDays("Gauge", 1995, 1, {1, 2});
    AddDays("Gauge", 1995, 3, {1}, 2);
    AddDays("Other", 1995, 2, {5, 6});
    Store();
    struct Case {
        const char* name;
        int dataType;
        Statistic statistic;
    };
    const Case cases[] = {
        {"page's means", kDataValues, Statistic::kMinMaxMean},
        {"page's availability", kDataAvailability, Statistic::kMinMaxMean},
        {"medians", kDataValues, Statistic::kMedian},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReportRequest request;
        request.settings.startYear = request.settings.endYear = 1995;
        request.settings.endMonth = 4;
        request.settings.endDay = 30;
        request.settings.unit = kMonths;
        request.settings.dataType = c.dataType;
        request.settings.fillGaps = true;
        request.settings.statistics.statistic = c.statistic;
        request.settings.statistics.markFilled = c.statistic != Statistic::kMinMaxMean;
        request.mainItems = {"Gauge", "Other"};
        request.otherItem = "Flow";
        request.cellNotes = true;
        ReportTable noted, plain;
        ASSERT_EQ(RebuildTable(store, request, noted), ReportOutcome::kComputed);
        request.cellNotes = false;
        ASSERT_EQ(RebuildTable(store, request, plain), ReportOutcome::kComputed);
        ASSERT_EQ(plain.Grid(), noted.Grid());
        bool anyFilled = false;
        for (size_t r = 0; r < plain.rows.size(); ++r) {
            const std::vector<CellNote> notes = RowNotes(store, request, plain.rows[r]);
            ASSERT_EQ(notes.size(), noted.notes[r].size());
            for (size_t i = 0; i < notes.size(); ++i) {
                EXPECT_EQ(notes[i].hint, noted.notes[r][i].hint) << r << ' ' << i;
                EXPECT_EQ(notes[i].filled, noted.notes[r][i].filled) << r << ' ' << i;
                anyFilled = anyFilled || notes[i].filled;
            }
        }
        // February of Gauge lies between values, and is filled.
        EXPECT_TRUE(anyFilled);
    }
}

TEST_F(SummaryTest, WaterYearSummaryAndDurationTable) {
    // Daily flows from 1 October 1994 to 31 December 1995, the day of the
    // month as value; one day missing in November 1994.
    for (auto [year, month, days] :
         std::vector<std::tuple<int, int, int>>{{1994, 10, 31}, {1994, 11, 30}, {1994, 12, 31}}) {
        AddDays("Gauge", year, month, Range(1, days));
    }
    Points november;
    for (int d = 1; d <= 30; ++d) {
        if (d != 15) {
            november.push_back({Day(1994, 11, d, 8), static_cast<double>(d)});
        }
    }
    series[1] = MakeSeries("Gauge", "Flow", "m3/s", november);
    for (int month = 1; month <= 12; ++month) {
        AddDays("Gauge", 1995, month, Range(1, MonthLength(1995, month)));
    }
    Store();
    StatisticsOptions options;
    options.statistic = Statistic::kMedian;
    options.yearStartMonth = 10;
    // 1994/95: 365 days less one; 1995/96: October to December, 92 days,
    // the whole of its clipped span.
    EXPECT_EQ(YearSummaryText(store, "Gauge", "Flow", options).value(),
              "Year\tCount\tCoverage (%)\tMedian\r\n"
              "10/1994\t364\t99.726\t16\r\n"
              "10/1995\t92\t100\t16\r\n");
    options.statistic = Statistic::kMinMaxMean;
    options.yearStartMonth = 1;
    EXPECT_EQ(
        YearSummaryText(store, "Gauge", "Flow", options)
            .value()
            .rfind("Year\tCount\tCoverage (%)\tMin\tMax\tMean\r\n1/1994\t91\t98.913\t1\t31\t", 0),
        0u);

    // December 1995: the values 1 to 31 once each.
    const std::string duration =
        DurationText(store, "Gauge", "Flow", Day(1995, 12, 1), KTRTime(1995, 12, 31, 23, 59, 59))
            .value();
    EXPECT_EQ(duration,
              "Exceeded (%)\tValue\r\n1\t30.7\r\n5\t29.5\r\n10\t28\r\n25\t23.5\r\n50\t16\r\n"
              "75\t8.5\r\n90\t4\r\n95\t2.5\r\n99\t1.3\r\n");
    EXPECT_FALSE(DurationText(store, "Gauge", "Flow", Day(2001, 1, 1), Day(2001, 1, 2)));
}

}  // namespace
}  // namespace zav
