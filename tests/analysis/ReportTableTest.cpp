// The report table: the interval grid and its labels, the checks before a
// computation and their messages, and the cells for availability and values.
#include <gtest/gtest.h>

#include "CancelAfter.h"
#include "ScriptedUserInterface.h"
#include "StoreBuilders.h"
#include "TestSupport.h"
#include "analysis/IntervalLabels.h"
#include "analysis/PickLists.h"
#include "analysis/ReportBuilder.h"
#include "core/Calendar.h"
#include "core/TextFormat.h"
#include "store/ZAVFieldManager.h"

namespace zav {
namespace {

using test::MakeSeries;
using test::MakeSource;
using Texts = std::vector<std::string>;

KTRTime Day(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return KTRTime(year, month, day, hour, minute, second);
}

AnalysisSettings Span(int y0, int m0, int d0, int y1, int m1, int d1, int unit, int every = 1) {
    AnalysisSettings s;
    s.startYear = y0;
    s.startMonth = m0;
    s.startDay = d0;
    s.endYear = y1;
    s.endMonth = m1;
    s.endDay = d1;
    s.unit = unit;
    s.every = every;
    return s;
}

Texts Labels(const AnalysisSettings& s) {
    return IntervalLabels(s.Grid(), s.unit);
}

std::string Bounds(const AnalysisSettings& s, int i) {
    IntervalGrid::Bounds b = s.Grid().IntervalBounds(i);
    return KTRTime::FromInstant(b.first).ToText() + " - " + KTRTime::FromInstant(b.last).ToText();
}

TEST(IntervalGridTest, LabelsAndBoundsFollowTheUnit) {
    AnalysisSettings months = Span(1995, 1, 1, 1995, 12, 31, kMonths);
    EXPECT_EQ(months.UnitCount(), 12);
    EXPECT_EQ(Labels(months).front(), "1/1995");
    EXPECT_EQ(Labels(months).back(), "12/1995");

    AnalysisSettings fives = Span(1995, 1, 1, 1995, 12, 31, kMonths, 5);
    EXPECT_EQ(fives.IntervalCount(), 3);
    EXPECT_EQ(Bounds(fives, 1), " 6/ 1/1995  0:00:00 - 10/31/1995 23:59:59");
    EXPECT_EQ(Bounds(fives, 2), "11/ 1/1995  0:00:00 - 12/31/1995 23:59:59");

    AnalysisSettings turn = Span(1994, 12, 31, 1995, 1, 1, kYears);
    EXPECT_EQ(Labels(turn), (Texts{"1/1994", "1/1995"}));
    EXPECT_EQ(Bounds(turn, 0), "12/31/1994  0:00:00 - 12/31/1994 23:59:59");

    AnalysisSettings decade = Span(1990, 1, 1, 1999, 12, 31, kYears, 2);
    EXPECT_EQ(Labels(decade), (Texts{"1/1990", "1/1992", "1/1994", "1/1996", "1/1998"}));
    EXPECT_EQ(Bounds(decade, 1), " 1/ 1/1992  0:00:00 - 12/31/1993 23:59:59");

    AnalysisSettings hours = Span(1995, 7, 14, 1995, 7, 14, kHours, 6);
    EXPECT_EQ(hours.UnitCount(), 24);
    EXPECT_EQ(Labels(hours), (Texts{" 7/14/1995  0:00:00", " 7/14/1995  6:00:00",
                                    " 7/14/1995 12:00:00", " 7/14/1995 18:00:00"}));
    EXPECT_EQ(Bounds(hours, 1), " 7/14/1995  3:00:00 -  7/14/1995  8:59:59");

    EXPECT_EQ(Labels(Span(1995, 7, 14, 1995, 7, 21, kWeeks)), (Texts{"7/14/1995", "7/21/1995"}));
    EXPECT_EQ(Labels(Span(1995, 7, 14, 1995, 7, 15, kDays)), (Texts{"7/14/1995", "7/15/1995"}));
    EXPECT_EQ(IntervalLabel(Day(1995, 7, 14, 3, 5, 9), kMinutes), " 7/14/1995  3:05:00");
    EXPECT_EQ(Span(1995, 2, 1, 1995, 1, 31, kDays).IntervalCount(), 0);
    EXPECT_EQ(Span(1995, 1, 1, 1995, 1, 31, kDays, 0).IntervalCount(), 0);
}

TEST(IntervalGridTest, HourLabelsOnTheDaySummerTimeBeginsAreTheClockHours) {
    // New York moved its clocks an hour on 2 April 1995, Lord Howe Island
    // half an hour on 29 October 1995; no zone moves a label.
    for (const char* name : {"America/New_York", "Australia/Lord_Howe", "UTC"}) {
        test::ScopedTimeZone zone(name);
        EXPECT_EQ(Labels(Span(1995, 4, 2, 1995, 4, 2, kHours, 6)),
                  (Texts{" 4/ 2/1995  0:00:00", " 4/ 2/1995  6:00:00", " 4/ 2/1995 12:00:00",
                         " 4/ 2/1995 18:00:00"}))
            << name;
        EXPECT_EQ(Labels(Span(1995, 10, 29, 1995, 10, 29, kHours, 6)),
                  (Texts{"10/29/1995  0:00:00", "10/29/1995  6:00:00", "10/29/1995 12:00:00",
                         "10/29/1995 18:00:00"}))
            << name;
    }
}

TEST(IntervalGridTest, DayAndHourGridsStartAtEachMidnight) {
    for (const char* name : {"America/New_York", "America/Sao_Paulo", "Australia/Lord_Howe"}) {
        test::ScopedTimeZone zone(name);
        AnalysisSettings s = Span(1995, 1, 1, 1996, 12, 31, kDays);
        IntervalGrid grid = s.Grid();
        for (int i = 0; i < grid.Count(); ++i) {
            int day = 0, month = 0, year = 0;
            DateFromDayNumber(i, 1995, &day, &month, &year);
            ASSERT_EQ(grid.Point(i), Day(year, month, day))
                << name << " " << year << "-" << month << "-" << day;
            const IntervalGrid::Bounds b = grid.IntervalBounds(i);
            ASSERT_EQ(b.last - b.first, 86399) << name << " " << i;
        }
        AnalysisSettings hours = Span(1995, 1, 1, 1996, 12, 31, kHours, 24);
        IntervalGrid hourGrid = hours.Grid();
        ASSERT_EQ(hourGrid.Count(), grid.Count());
        for (int i = 0; i < grid.Count(); ++i) {
            ASSERT_EQ(hourGrid.Point(i), grid.Point(i)) << name << " " << i;
        }
    }
}

class ReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        DataSeries masked = MakeSeries("C", "DO", "mg/l");
        masked.InsertPoint(Day(1995, 1, 3), 8, 1);
        store.AddSource(MakeSource(
            "f",
            {MakeSeries("A", "DO", "mg/l",
                        {{Day(1995, 1, 3), 2.5}, {Day(1995, 2, 3), 1}, {Day(1995, 2, 4), 2}}),
             MakeSeries("B", "DO", "mg/l",
                        {{Day(1995, 1, 3), 1e6}, {Day(1995, 1, 4), 3e6}, {Day(1995, 3, 1), -0.5}}),
             masked, MakeSeries("A", "pH", "su", {{Day(1995, 3, 3), 7}})}));
    }
    ReportRequest Request(const Texts& items, const std::string& other, int kind = kMainStations,
                          int type = kDataValues) {
        ReportRequest r;
        r.settings = Span(1995, 1, 1, 1995, 3, 31, kMonths);
        r.settings.mainListKind = kind;
        r.settings.dataType = type;
        r.mainItems = items;
        r.otherItem = other;
        return r;
    }

    ScriptedUserInterface ui;
    ZAVFieldManager store{ui};
    ReportTable table;
};

TEST_F(ReportTest, ValuesShowMeansWithSixDigitsOrADash) {
    EXPECT_EQ(RebuildTable(store, Request({"A", "B", "C"}, "DO"), table), ReportOutcome::kComputed);
    EXPECT_EQ(table.Grid(), (std::vector<Texts>{{"Station", "1/1995", "2/1995", "3/1995"},
                                                {"A", "2.5", "1.5", "-"},
                                                {"B", "2e+06", "-", "-0.5"},
                                                {"C", "-", "-", "-"}}));
    EXPECT_EQ(table.dataFor, "Data for parameter DO");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.questions.empty());
}

// A refresh cancelled at any row leaves the table shown before as it was;
// one let run computes the new request.
TEST_F(ReportTest, CancelledRefreshKeepsTheTableItHad) {
    ASSERT_EQ(RebuildTable(store, Request({"A"}, "DO"), table), ReportOutcome::kComputed);
    const std::vector<Texts> before = table.Grid();
    const ReportRequest wider = Request({"A", "B", "C"}, "DO", kMainStations, kDataAvailability);
    for (int reports = 0; reports < 3; ++reports) {
        test::CancelAfter cancel(reports);
        EXPECT_EQ(RebuildTable(store, wider, table, cancel), ReportOutcome::kCancelled);
        EXPECT_EQ(table.Grid(), before) << "cancelled after " << reports << " rows";
    }
    test::CancelAfter never(100);
    EXPECT_EQ(RebuildTable(store, wider, table, never), ReportOutcome::kComputed);
    EXPECT_EQ(never.Reports(), 3);
    EXPECT_EQ(table.rows.size(), 3u);
}

TEST_F(ReportTest, AvailabilityShowsPresenceAndFilledIntervals) {
    ReportRequest r = Request({"B", "A"}, "DO", kMainStations, kDataAvailability);
    ASSERT_EQ(RebuildTable(store, r, table), ReportOutcome::kComputed);
    EXPECT_EQ(table.rows[0].cells, (Texts{"1", "0", "1"}));
    EXPECT_EQ(table.rows[1].cells, (Texts{"1", "1", "0"}));
    r.settings.fillGaps = true;
    ASSERT_EQ(RebuildTable(store, r, table), ReportOutcome::kComputed);
    EXPECT_EQ(table.rows[0].name, "B");
    EXPECT_EQ(table.rows[0].cells, (Texts{"1", "1", "1"}));
    r.settings.dataType = kDataValues;
    ASSERT_EQ(RebuildTable(store, r, table), ReportOutcome::kComputed);
    EXPECT_EQ(table.rows[0].cells, (Texts{"2e+06", "1e+06", "-0.5"}));
}

// Machine-readable output is written from the row values: each must be the
// number its cell shows, unrounded, and missing exactly where the cell is "-".
TEST_F(ReportTest, RowValuesAreTheNumbersTheCellsShow) {
    const struct {
        Texts items;
        std::string other;
        int kind;
        int type;
        bool fill;
    } cases[] = {
        {{"A", "B", "C"}, "DO", kMainStations, kDataValues, false},
        {{"B", "A"}, "DO", kMainStations, kDataValues, true},
        {{"B", "A"}, "DO", kMainStations, kDataAvailability, false},
        {{"B", "A"}, "DO", kMainStations, kDataAvailability, true},
        {{"pH", "DO"}, "A", kMainParameters, kDataAvailability, false},
    };
    for (const auto& c : cases) {
        ReportRequest r = Request(c.items, c.other, c.kind, c.type);
        r.settings.fillGaps = c.fill;
        ASSERT_EQ(RebuildTable(store, r, table), ReportOutcome::kComputed);
        for (const ReportRow& row : table.rows) {
            ASSERT_EQ(row.values.size(), row.cells.size()) << row.name;
            for (size_t i = 0; i < row.cells.size(); ++i) {
                const std::string shown = row.values[i] ? FormatG(*row.values[i]) : "-";
                EXPECT_EQ(shown, row.cells[i]) << row.name << " " << i << " fill " << c.fill;
            }
        }
    }
    // Filling B's February between 2e6 and -0.5 gives a value "%g" rounds.
    ReportRequest r = Request({"B"}, "DO");
    r.settings.fillGaps = true;
    ASSERT_EQ(RebuildTable(store, r, table), ReportOutcome::kComputed);
    ASSERT_TRUE(table.rows[0].values[1].has_value());
    EXPECT_EQ(*table.rows[0].values[1], (2e6 + -0.5) / 2);
}

TEST(IntervalGridTest, IsoStartsNameWhereEachIntervalBegins) {
    const struct {
        AnalysisSettings span;
        Texts starts;
    } cases[] = {
        {Span(1994, 12, 31, 1995, 1, 1, kYears), {"1994-12-31", "1995-01-01"}},
        {Span(1995, 1, 15, 1995, 3, 2, kMonths, 2), {"1995-01-15", "1995-03-01"}},
        {Span(1995, 7, 14, 1995, 7, 27, kWeeks), {"1995-07-14", "1995-07-21"}},
        {Span(1995, 2, 28, 1995, 3, 1, kDays), {"1995-02-28", "1995-03-01"}},
        {Span(1995, 7, 14, 1995, 7, 14, kHours, 6),
         {"1995-07-14T00:00", "1995-07-14T03:00", "1995-07-14T09:00", "1995-07-14T15:00"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsoIntervalStarts(c.span.Grid(), c.span.unit), c.starts) << c.starts.front();
    }
    const AnalysisSettings minutes = Span(1995, 7, 14, 1995, 7, 14, kMinutes, 30);
    const Texts starts = IsoIntervalStarts(minutes.Grid(), kMinutes);
    ASSERT_EQ(starts.size(), 48u);
    EXPECT_EQ(starts[1], "1995-07-14T00:15");
    EXPECT_EQ(starts.back(), "1995-07-14T23:15");
}

TEST_F(ReportTest, MainListOfParametersAlwaysReportsAvailability) {
    ReportRequest r = Request({"pH", "DO"}, "A", kMainParameters, kDataValues);
    ASSERT_EQ(RebuildTable(store, r, table), ReportOutcome::kComputed);
    EXPECT_EQ(table.Grid(), (std::vector<Texts>{{"Parameter", "1/1995", "2/1995", "3/1995"},
                                                {"pH", "0", "0", "1"},
                                                {"DO", "1", "1", "0"}}));
    EXPECT_EQ(table.dataFor, "Data for station A");
}

TEST_F(ReportTest, WideTablesAreBuiltOnlyWhenConfirmed) {
    ReportRequest r = Request({"A"}, "DO");
    r.settings = Span(1995, 1, 1, 1996, 5, 15, kDays);  // 501 days
    ui.yesNoAnswers = {false};
    EXPECT_EQ(RebuildTable(store, r, table), ReportOutcome::kDeclined);
    EXPECT_EQ(ui.questions, (Texts{"There are 501 time points.  Continue?"}));
    EXPECT_TRUE(table.rows.empty());

    ui.questions.clear();
    EXPECT_EQ(RebuildTable(store, r, table), ReportOutcome::kComputed);  // Yes
    EXPECT_EQ(table.ColumnCount(), 502);
    r.settings.endDay = 14;  // 500 days
    EXPECT_EQ(RebuildTable(store, r, table), ReportOutcome::kComputed);
    EXPECT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(table.ColumnCount(), 501);
}

TEST_F(ReportTest, SpansWithoutIntervalsAreReportedAndKeepThePreviousLabels) {
    ReportRequest r = Request({"A"}, "DO");
    ASSERT_EQ(RebuildTable(store, r, table), ReportOutcome::kComputed);

    r.settings = Span(1995, 3, 1, 1995, 2, 28, kDays);
    EXPECT_EQ(RebuildTable(store, r, table), ReportOutcome::kNoIntervals);
    // A step below 1 is reported alone, even over a span wider than 500.
    r.settings = Span(1990, 1, 1, 1999, 1, 1, kDays, 0);
    EXPECT_EQ(RebuildTable(store, r, table), ReportOutcome::kBadStep);
    EXPECT_EQ(ui.messages, (Texts{"Date span selected yields no plotting intervals.",
                                  "Interval span must be greater than zero."}));
    EXPECT_TRUE(ui.questions.empty());

    r.otherItem.reset();
    r.settings.mainListKind = kMainParameters;
    EXPECT_EQ(RebuildTable(store, r, table), ReportOutcome::kNothingToCompute);
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(table.header, (Texts{"Parameter", "1/1995", "2/1995", "3/1995"}));
    EXPECT_TRUE(table.rows.empty());
}

TEST(ReportEmptyTest, AProjectWithoutDataComputesNothing) {
    ScriptedUserInterface ui;
    ZAVFieldManager store{ui};
    ReportTable table;
    ReportRequest r;
    r.settings = Span(1995, 1, 1, 1994, 1, 1, kDays);
    r.mainItems = {"A"};
    r.otherItem = "DO";
    EXPECT_EQ(RebuildTable(store, r, table), ReportOutcome::kNothingToCompute);
    EXPECT_EQ(table.Grid(), (std::vector<Texts>{{"Station"}}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ReportTest, SecondListHoldsRelatedNamesOnceInTheOrderMet) {
    EXPECT_EQ(MainListNames(store, kMainStations, false), (Texts{"A", "B", "C"}));
    EXPECT_EQ(SecondListNames(store, kMainStations, {"A", "B"}), (Texts{"DO", "pH"}));
    EXPECT_EQ(SecondListNames(store, kMainParameters, {"pH", "DO"}), (Texts{"A", "B", "C"}));
    ASSERT_EQ(store.AddAggregate({"DO", "pH"}, "All", kParameterType), 1);
    EXPECT_EQ(SecondListNames(store, kMainStations, {"A"}), (Texts{"All"}));
}

}  // namespace
}  // namespace zav
