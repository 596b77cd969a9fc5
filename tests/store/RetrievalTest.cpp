// Retrieval over an interval grid: which points fall in which interval, the
// statistics and their units, pooling of aggregates, and gap filling.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ScriptedUserInterface.h"
#include "StoreBuilders.h"
#include "TestSupport.h"
#include "core/IntervalGrid.h"
#include "store/ZAVFieldManager.h"

namespace zav {
namespace {

using test::MakeSeries;
using test::MakeSource;
using Points = std::vector<std::pair<KTRTime, double>>;

KTRTime Day(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return KTRTime(year, month, day, hour, minute, second);
}

struct Results {
    int result = 0;
    std::vector<double> min, max, mean, present;
};

class RetrievalTest : public ::testing::Test {
protected:
    Results Data(const std::string& station, const std::string& parameter, const KTRTime& start,
                 const KTRTime& end, int unit, int every, size_t n, int fillGaps = 0) {
        Results r;
        r.min.assign(n, 0.0);
        r.max.assign(n, 0.0);
        r.mean.assign(n, 0.0);
        r.present.assign(n, 0.0);
        r.result = store.GetData(station, parameter, start, end, unit, every, r.min, r.max, r.mean,
                                 r.present, fillGaps);
        return r;
    }
    std::vector<double> Availability(const std::string& parameter, const std::string& station,
                                     const KTRTime& start, const KTRTime& end, int unit, int every,
                                     size_t n) {
        std::vector<double> present(n, 0.0);
        EXPECT_EQ(store.GetAvailability(parameter, station, start, end, unit, every, present), 1);
        return present;
    }
    Results Year1995ByMonths(const std::string& station, int every, size_t n, int fill = 0) {
        return Data(station, "DO", Day(1995, 1, 1), Day(1995, 12, 31, 23, 59, 59), kMonths, every,
                    n, fill);
    }

    ScriptedUserInterface ui;
    ZAVFieldManager store{ui};
};

TEST_F(RetrievalTest, MonthsCollectTheirPoints) {
    store.AddSource(MakeSource(
        "f", {MakeSeries("A", "DO", "mg/l", {{Day(1995, 3, 10), 2}, {Day(1995, 3, 20), 4}})}));
    Results r = Year1995ByMonths("A", 1, 12);
    EXPECT_EQ(r.result, 1);
    for (size_t i = 0; i < 12; ++i) {
        const bool march = i == 2;
        EXPECT_EQ(r.min[i], march ? 2.0 : 0.0) << i;
        EXPECT_EQ(r.max[i], march ? 4.0 : 0.0) << i;
        EXPECT_EQ(r.mean[i], march ? 3.0 : 0.0) << i;
        EXPECT_EQ(r.present[i], march ? 1.0 : 0.0) << i;
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RetrievalTest, StepsOfSeveralMonthsMeetExactly) {
    // Every 5 months over one year: January to May, June to October,
    // November to December; points on each side of the boundaries.
    store.AddSource(MakeSource("f", {MakeSeries("A", "DO", "mg/l",
                                                {{Day(1995, 1, 1), 1},
                                                 {Day(1995, 5, 31, 23, 59, 59), 3},
                                                 {Day(1995, 6, 1), 10},
                                                 {Day(1995, 11, 1), 20},
                                                 {Day(1995, 12, 31, 23, 59, 59), 30},
                                                 {Day(1996, 1, 1), 99}})}));
    Results r = Year1995ByMonths("A", 5, 3);
    EXPECT_EQ(r.mean, (std::vector<double>{2, 10, 25}));
    EXPECT_EQ(r.min, (std::vector<double>{1, 10, 20}));
    EXPECT_EQ(r.max, (std::vector<double>{3, 10, 30}));
    EXPECT_EQ(r.present, (std::vector<double>{1, 1, 1}));
}

TEST_F(RetrievalTest, MaskedPointsNeverCount) {
    DataSeries s = MakeSeries("A", "DO", "mg/l", {{Day(1995, 3, 10), 2}});
    s.InsertPoint(Day(1995, 3, 11), 100, 1);
    s.InsertPoint(Day(1995, 4, 11), 100, -1);
    store.AddSource(MakeSource("f", {s}));
    Results r = Year1995ByMonths("A", 1, 12);
    EXPECT_EQ(r.max[2], 2.0);
    EXPECT_EQ(r.present[3], 0.0);
    EXPECT_EQ(r.mean[3], 0.0);
    std::vector<double> present =
        Availability("DO", "A", Day(1995, 1, 1), Day(1995, 12, 31, 23, 59, 59), kMonths, 1, 12);
    EXPECT_EQ(present[2], 1.0);
    EXPECT_EQ(present[3], 0.0);
}

TEST_F(RetrievalTest, ValuesAreConvertedBySeriesThenUnits) {
    DataSeries s = MakeSeries("A", "DO", "mg/l", {{Day(1995, 3, 10), 3}});
    s.SetMultiplier(2);
    s.SetOffset(1);
    store.AddSource(MakeSource("f", {s}));
    store.SetUnits("mg/l", UnitsRecord{"mg/l", "ug/l", "", 10, -5});
    Results r = Year1995ByMonths("A", 1, 12);
    EXPECT_EQ(r.min[2], 65.0);
    EXPECT_EQ(r.max[2], 65.0);
    EXPECT_EQ(r.mean[2], 65.0);
}

TEST_F(RetrievalTest, MissingUnitsRecordIsReportedOncePerCallAndLeavesValues) {
    DataSeries s = MakeSeries("A", "DO", "mg/l", {{Day(1995, 1, 10), 3}});
    s.SetMultiplier(2);
    store.AddSource(MakeSource("f", {s}));
    store.ClearUnits();
    Results r = Data("A", "DO", Day(1995, 1, 1), Day(1995, 3, 31), kMonths, 1, 3);
    EXPECT_EQ(r.mean[0], 6.0);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"SearchRecords: Units lookup failed."});
}

TEST_F(RetrievalTest, FirstValueOfAnIntervalSetsItsExtremesWhateverItIs) {
    // -999.9 once served as "nothing yet"; as a real value it must count.
    store.AddSource(MakeSource(
        "f",
        {MakeSeries("A", "DO", "mg/l",
                    {{Day(1995, 3, 1), -999.9}, {Day(1995, 3, 2), 5}, {Day(1995, 3, 3), -2000}})}));
    Results r = Year1995ByMonths("A", 1, 12);
    EXPECT_EQ(r.min[2], -2000.0);
    EXPECT_EQ(r.max[2], 5.0);
    EXPECT_DOUBLE_EQ(r.mean[2], (-999.9 + 5 - 2000) / 3);
}

TEST_F(RetrievalTest, GapsAreFilledByStraightLinesOrFlatAtTheEnd) {
    store.AddSource(MakeSource(
        "f", {MakeSeries("A", "DO", "mg/l",
                         {{Day(1995, 1, 5), 1}, {Day(1995, 1, 6), 4}, {Day(1995, 4, 5), 7}}),
              MakeSeries("B", "DO", "mg/l", {{Day(1995, 1, 5), 2}, {Day(1995, 1, 6), 3}}),
              MakeSeries("D", "DO", "mg/l", {{Day(1995, 1, 5), 1}, {Day(1995, 1, 8), 4}})}));
    Results a = Data("A", "DO", Day(1995, 1, 1), Day(1995, 4, 30), kMonths, 1, 4, 1);
    // Months 2 and 3 lie a third and two thirds of the way from month 1 to 4.
    EXPECT_EQ(a.present, (std::vector<double>{1, 1, 1, 1}));
    EXPECT_DOUBLE_EQ(a.min[1], 1 + 6.0 / 3);
    EXPECT_DOUBLE_EQ(a.min[2], 1 + 2 * 6.0 / 3);
    EXPECT_DOUBLE_EQ(a.max[1], 4 + 3.0 / 3);
    EXPECT_DOUBLE_EQ(a.mean[1], 2.5 + 4.5 / 3);
    EXPECT_DOUBLE_EQ(a.mean[2], 2.5 + 2 * 4.5 / 3);

    Results b = Data("B", "DO", Day(1995, 1, 1), Day(1995, 4, 30), kMonths, 1, 4, 1);
    EXPECT_EQ(b.min, (std::vector<double>{2, 2, 2, 2}));
    EXPECT_EQ(b.max, (std::vector<double>{3, 3, 3, 3}));
    EXPECT_EQ(b.mean, (std::vector<double>{2.5, 2.5, 2.5, 2.5}));
    EXPECT_EQ(b.present, (std::vector<double>{1, 1, 1, 1}));

    // Means 1 and 4 in intervals 0 and 3 give 1, 2, 3, 4.
    Results days = Data("D", "DO", Day(1995, 1, 5), Day(1995, 1, 8), kDays, 1, 4, 1);
    EXPECT_EQ(days.mean, (std::vector<double>{1, 2, 3, 4}));
    EXPECT_TRUE(ui.messages.empty());
}

// Filling January to April 1995 by months for X, which pools A then B.
// A run at the start begins from the last unmasked value before the span,
// or stays empty; a span without any value stays empty.
TEST_F(RetrievalTest, GapFillingStartsOnlyFromRealValues) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Point {
        KTRTime time;
        double value;
        int32_t mask;
    };
    const struct {
        const char* name;
        std::vector<Point> a;
        std::vector<Point> b;
        std::vector<double> mean;
        std::vector<double> present;
    } cases[] = {
        {"points only before the span", {{Day(1994, 6, 1), 5, 0}}, {}, {0, 0, 0, 0}, {0, 0, 0, 0}},
        {"points only after the span", {{Day(1995, 6, 1), 5, 0}}, {}, {0, 0, 0, 0}, {0, 0, 0, 0}},
        {"no points at all", {}, {}, {0, 0, 0, 0}, {0, 0, 0, 0}},
        {"masked and unreadable points never lead",
         {{Day(1994, 5, 1), 100, 1},
          {Day(1994, 6, 1), 4, 0},
          {Day(1994, 7, 1), 100, 1},
          {Day(1994, 8, 1), nan, 0},
          {Day(1995, 3, 1), 10, 0}},
         {},
         {6, 8, 10, 10},
         {1, 1, 1, 1}},
        {"nothing before the span: the run stays empty",
         {{Day(1995, 2, 1), 3, 0}, {Day(1996, 1, 1), 50, 0}},
         {},
         {0, 3, 3, 3},
         {0, 1, 1, 1}},
        {"the latest value before the span, of any series pooled",
         {{Day(1994, 3, 1), 2, 0}, {Day(1995, 3, 1), 20, 0}},
         {{Day(1993, 1, 1), 99, 0}, {Day(1994, 9, 1), 8, 0}},
         {12, 16, 20, 20},
         {1, 1, 1, 1}},
    };
    for (const auto& c : cases) {
        ScriptedUserInterface quiet;
        ZAVFieldManager pooled(quiet);
        DataSeries a = MakeSeries("A", "DO", "mg/l");
        DataSeries b = MakeSeries("B", "DO", "mg/l");
        for (const Point& p : c.a) {
            a.InsertPoint(p.time, p.value, p.mask);
        }
        for (const Point& p : c.b) {
            b.InsertPoint(p.time, p.value, p.mask);
        }
        pooled.AddSource(MakeSource("f", {a, b}));
        ASSERT_EQ(pooled.AddAggregate({"A", "B"}, "X", kStationType), 1);
        std::vector<double> min(4, 0.0), max(4, 0.0), mean(4, 0.0), present(4, 0.0);
        EXPECT_EQ(pooled.GetData("X", "DO", Day(1995, 1, 1), Day(1995, 4, 30, 23, 59, 59), kMonths,
                                 1, min, max, mean, present, 1),
                  1)
            << c.name;
        EXPECT_EQ(mean, c.mean) << c.name;
        EXPECT_EQ(min, c.mean) << c.name;
        EXPECT_EQ(present, c.present) << c.name;
        EXPECT_TRUE(quiet.messages.empty()) << c.name;
    }
}

// A stored value that is no number, or a scaling that overflows, gives no
// value: the interval holding only such points is missing, and the others
// show the real values beside them.
TEST_F(RetrievalTest, ValuesThatAreNoFiniteNumberCountAsMissing) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* name;
        double value;
        double multiplier;
        double unitsMultiplier;
    } cases[] = {
        {"stored not-a-number", std::numeric_limits<double>::quiet_NaN(), 1, 1},
        {"stored infinity", -inf, 1, 1},
        {"series multiplier overflows", 10, 1e308, 1},
        {"units multiplier overflows", 1e300, 1, 1e10},
        {"zero times infinity", inf, 0, 1},
    };
    for (const auto& c : cases) {
        ScriptedUserInterface quiet;
        ZAVFieldManager scaled(quiet);
        DataSeries odd = MakeSeries("A", "DO", "mg/l",
                                    {{Day(1995, 3, 10), c.value}, {Day(1995, 4, 5), c.value}});
        odd.SetMultiplier(c.multiplier);
        // The same pair in other units, which stay as they are.
        DataSeries plain = MakeSeries("A", "DO", "ppm", {{Day(1995, 3, 20), 2}});
        scaled.AddSource(MakeSource("f", {odd, plain}));
        scaled.SetUnits("mg/l", UnitsRecord{"mg/l", "mg/l", "", c.unitsMultiplier, 0});
        std::vector<double> min(12, 0.0), max(12, 0.0), mean(12, 0.0), present(12, 0.0);
        scaled.GetData("A", "DO", Day(1995, 1, 1), Day(1995, 12, 31, 23, 59, 59), kMonths, 1, min,
                       max, mean, present, 0);
        EXPECT_EQ(min[2], 2.0) << c.name;
        EXPECT_EQ(max[2], 2.0) << c.name;
        EXPECT_EQ(mean[2], 2.0) << c.name;
        EXPECT_EQ(present[3], 0.0) << c.name;
        EXPECT_EQ(mean[3], 0.0) << c.name;
        std::vector<double> available(12, 0.0);
        scaled.GetAvailability("DO", "A", Day(1995, 1, 1), Day(1995, 12, 31, 23, 59, 59), kMonths,
                               1, available);
        EXPECT_EQ(available, (std::vector<double>{0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0})) << c.name;
        EXPECT_TRUE(quiet.messages.empty()) << c.name;
    }
}

// Values near the ends of the range: each is finite, so is their mean, and
// so is the line drawn between them.
TEST_F(RetrievalTest, MeansAndFilledValuesOfHugeValuesStayFinite) {
    const double big = std::numeric_limits<double>::max();
    store.AddSource(MakeSource(
        "f", {MakeSeries(
                 "A", "DO", "mg/l",
                 {{Day(1995, 1, 5), -big}, {Day(1995, 3, 5), big}, {Day(1995, 3, 6), big / 2}})}));
    Results r = Data("A", "DO", Day(1995, 1, 1), Day(1995, 3, 31), kMonths, 1, 3, 1);
    EXPECT_EQ(r.present, (std::vector<double>{1, 1, 1}));
    EXPECT_EQ(r.max[2], big);
    EXPECT_DOUBLE_EQ(r.mean[2], big * 0.75);
    EXPECT_TRUE(std::isfinite(r.mean[1]));
    EXPECT_TRUE(std::isfinite(r.min[1]));
    EXPECT_LE(std::abs(r.min[1]), big);
}

TEST_F(RetrievalTest, AggregateStationAnswersOnlyThroughItsRepresentative) {
    store.AddSource(MakeSource("f", {MakeSeries("A", "pH", "su", {{Day(1995, 3, 1), 7}}),
                                     MakeSeries("B", "DO", "mg/l", {{Day(1995, 3, 1), 5}}),
                                     MakeSeries("C", "DO", "mg/l", {{Day(1995, 3, 2), 9}})}));
    ASSERT_EQ(store.AddAggregate({"A", "B"}, "X", kStationType), 1);
    Results r;
    r.min.assign(12, 9.0);
    r.max = r.mean = r.present = std::vector<double>(12, 0.0);
    r.result = store.GetData("X", "DO", Day(1995, 1, 1), Day(1995, 12, 31), kMonths, 1, r.min,
                             r.max, r.mean, r.present, 1);
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(r.min, std::vector<double>(12, 9.0));  // nothing written, nothing filled

    // From the parameter side there is no such stop: X's members count.
    std::vector<double> present =
        Availability("DO", "X", Day(1995, 1, 1), Day(1995, 12, 31), kMonths, 1, 12);
    EXPECT_EQ(present[2], 1.0);
}

TEST_F(RetrievalTest, AggregatesPoolTheirMembers) {
    store.AddSource(MakeSource("f", {MakeSeries("A", "DO", "mg/l", {{Day(1995, 3, 1), 2}}),
                                     MakeSeries("B", "DO", "mg/l", {{Day(1995, 3, 5), 8}}),
                                     MakeSeries("B", "DO2", "mg/l", {{Day(1995, 3, 9), 20}}),
                                     MakeSeries("B", "pH", "su", {{Day(1995, 4, 9), 7}})}));
    ASSERT_EQ(store.AddAggregate({"A", "B"}, "X", kStationType), 1);
    ASSERT_EQ(store.AddAggregate({"DO", "DO2"}, "Oxygen", kParameterType), 1);
    Results r = Data("X", "Oxygen", Day(1995, 1, 1), Day(1995, 12, 31), kMonths, 1, 12);
    EXPECT_EQ(r.min[2], 2.0);
    EXPECT_EQ(r.max[2], 20.0);
    EXPECT_EQ(r.mean[2], 10.0);
    EXPECT_EQ(r.present[3], 0.0);
    std::vector<double> present =
        Availability("Oxygen", "X", Day(1995, 1, 1), Day(1995, 12, 31), kMonths, 1, 12);
    EXPECT_EQ(present, (std::vector<double>{0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RetrievalTest, UnknownNamesAreReported) {
    store.AddSource(MakeSource("f", {MakeSeries("A", "DO", "mg/l", {{Day(1995, 3, 1), 2}})}));
    Results r = Year1995ByMonths("Nowhere", 1, 12);
    EXPECT_EQ(r.result, 0);
    Data("A", "Nothing", Day(1995, 1, 1), Day(1995, 12, 31), kMonths, 1, 12);
    ParameterInfo ghostly;
    ghostly.name = "DO";
    ghostly.seriesIndices = {0};
    ghostly.alias = "Z";
    ghostly.isAggregate = 1;
    ghostly.members = {"Ghost"};
    store.SetParameter("Z", ghostly);
    std::vector<double> present =
        Availability("Z", "A", Day(1995, 1, 1), Day(1995, 12, 31), kMonths, 1, 12);
    EXPECT_EQ(present[2], 1.0);
    EXPECT_EQ(ui.messages, (std::vector<std::string>{
                               "ZAVFieldManager::GetData: Unable to find station Nowhere",
                               "ZAVFieldManager::GetData: Unable to find parameter Nothing",
                               "ZAVFieldManager::GetData: Unable to find param Ghost"}));
}

TEST_F(RetrievalTest, EndBeforeStartWritesNothing) {
    store.AddSource(MakeSource("f", {MakeSeries("A", "DO", "mg/l", {{Day(1995, 3, 1), 2}})}));
    std::vector<double> none;
    EXPECT_EQ(store.GetData("A", "DO", Day(1995, 12, 31), Day(1995, 1, 1), kMonths, 1, none, none,
                            none, none, 1),
              1);
    EXPECT_TRUE(none.empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RetrievalTest, HourIntervalsAreCentredOnTheirGridPoints) {
    store.AddSource(MakeSource("f", {MakeSeries("A", "DO", "mg/l",
                                                {{Day(1995, 7, 13, 23, 30), 1},
                                                 {Day(1995, 7, 14, 0, 59, 59), 2},
                                                 {Day(1995, 7, 14, 1, 0, 0), 3},
                                                 {Day(1995, 7, 14, 2, 59, 59), 4},
                                                 {Day(1995, 7, 14, 3, 0, 0), 5},
                                                 {Day(1995, 7, 14, 23, 30), 6}})}));
    // Every 2 hours over a day: 00:00, 02:00, ... 22:00, each from an hour
    // before to an hour after, the first clipped to the start, the last
    // stretched to the end.
    Results r = Data("A", "DO", Day(1995, 7, 14), Day(1995, 7, 14, 23, 59, 59), kHours, 2, 12);
    EXPECT_EQ(r.mean[0], 2.0);
    EXPECT_EQ(r.mean[1], 3.5);
    EXPECT_EQ(r.mean[2], 5.0);
    EXPECT_EQ(r.mean[11], 6.0);
    EXPECT_EQ(r.present[10], 0.0);
}

TEST_F(RetrievalTest, MinuteIntervalsAreCentredOnTheirGridPoints) {
    store.AddSource(MakeSource("f", {MakeSeries("M", "DO", "mg/l",
                                                {{Day(1995, 7, 14, 0, 4, 59), 1},
                                                 {Day(1995, 7, 14, 0, 5, 0), 2},
                                                 {Day(1995, 7, 14, 0, 14, 59), 3},
                                                 {Day(1995, 7, 14, 0, 15, 0), 4}})}));
    // Every 10 minutes: 00:00 (clipped to start there), 00:10, 00:20.
    Results m = Data("M", "DO", Day(1995, 7, 14), Day(1995, 7, 14, 0, 29, 59), kMinutes, 10, 3);
    EXPECT_EQ(m.mean, (std::vector<double>{1, 2.5, 4}));
}

TEST_F(RetrievalTest, WeeksAndYearsFollowTheCalendar) {
    store.AddSource(MakeSource(
        "f",
        {MakeSeries("W", "DO", "mg/l", {{Day(1995, 1, 10, 23, 59, 59), 1}, {Day(1995, 1, 11), 2}}),
         MakeSeries(
             "Y", "DO", "mg/l",
             {{Day(1992, 1, 1), 3}, {Day(1993, 12, 31, 23, 59, 59), 5}, {Day(1994, 1, 1), 7}})}));
    // Weeks from Wednesday 4 January 1995: the second week starts on the 11th.
    Results w = Data("W", "DO", Day(1995, 1, 4), Day(1995, 1, 17, 23, 59, 59), kWeeks, 1, 2);
    EXPECT_EQ(w.mean, (std::vector<double>{1, 2}));
    Results y = Data("Y", "DO", Day(1990, 6, 1), Day(1995, 12, 31), kYears, 2, 3);
    EXPECT_EQ(y.mean, (std::vector<double>{0, 4, 7}));  // 1990-91, 1992-93, 1994-95
}

TEST_F(RetrievalTest, DayIntervalsOnSummerTimeDaysHoldExactlyThatDaysPoints) {
    // 96 quarter hours on the days summer time began and ended in 2024 (an
    // hour in New York, half an hour on Lord Howe), and one point at 00:30
    // of each next day. Whatever the zone, each day interval holds its own
    // day's 96 points and the next day is not missing.
    const int days[][3] = {{2024, 3, 10}, {2024, 11, 3}, {2024, 10, 6}, {2024, 4, 7}};
    DataSeries s = MakeSeries("A", "DO", "mg/l");
    for (const auto& d : days) {
        for (int k = 0; k < 96; ++k) {
            s.InsertPoint(Day(d[0], d[1], d[2], k / 4, k % 4 * 15), k, 0);
        }
        s.InsertPoint(Day(d[0], d[1], d[2] + 1, 0, 30), 1000, 0);
    }
    ASSERT_EQ(s.Size(), 4u * 97);
    store.AddSource(MakeSource("f", {s}));
    for (const char* name : {"America/New_York", "Australia/Lord_Howe", "UTC"}) {
        test::ScopedTimeZone zone(name);
        for (const auto& d : days) {
            const KTRTime start = Day(d[0], d[1], d[2]);
            Results r = Data("A", "DO", start, Day(d[0], d[1], d[2] + 1, 23, 59, 59), kDays, 1, 2);
            EXPECT_EQ(r.present, (std::vector<double>{1, 1})) << name << " " << start.ToText();
            EXPECT_EQ(r.mean, (std::vector<double>{47.5, 1000})) << name << " " << start.ToText();
            EXPECT_EQ(r.max[0], 95) << name;
            Results hours =
                Data("A", "DO", start, Day(d[0], d[1], d[2], 23, 59, 59), kHours, 1, 24);
            for (int h = 0; h < 24; ++h) {
                // The hour labelled h:00 runs from h-1:30 to h:29:59; the
                // first and last are cut at the span's ends.
                const double expected = h == 0 ? 0.5 : h == 23 ? 92.5 : 4 * h - 0.5;
                ASSERT_EQ(hours.mean[static_cast<size_t>(h)], expected) << name << " hour " << h;
            }
        }
    }
}

TEST_F(RetrievalTest, LongScansAgreeWithCountingEachIntervalAlone) {
    // Forty days of points every 20 minutes, with gaps, masked points and
    // irregular runs, by 3-hour intervals: more intervals than one run of
    // the scan takes, and interval sizes that change now and then.
    test::ScopedTimeZone zone("UTC");
    DataSeries s = MakeSeries("A", "DO", "mg/l");
    const KTRTime start = Day(1995, 3, 1);
    for (int k = 0; k < 40 * 72; ++k) {
        if (k % 500 < 30) {
            continue;  // a gap of ten hours now and then
        }
        const int64_t extra = k % 211 == 0 ? 7 : 0;  // an extra point
        s.InsertPoint(start + k * 1200, k % 7 + 0.25 * (k % 3), k % 37 == 0 ? 1 : 0);
        if (extra) {
            s.InsertPoint(start + k * 1200 + extra, 100, 0);
        }
    }
    store.AddSource(MakeSource("f", {s}));
    const KTRTime end = Day(1995, 4, 9, 23, 59, 59);
    const size_t n = 320;
    Results r = Data("A", "DO", start, end, kHours, 3, n);
    const IntervalGrid grid(start, end, kHours, 3);
    ASSERT_EQ(grid.Count(), static_cast<int>(n));
    for (size_t i = 0; i < n; ++i) {
        const IntervalGrid::Bounds b = grid.IntervalBounds(static_cast<int>(i));
        double sum = 0, low = 0, high = 0;
        int count = 0;
        for (size_t k = 0; k < s.Size(); ++k) {
            const int64_t t = s.Time(k).Instant();
            if (s.Mask(k) == 0 && t >= b.first && t <= b.last) {
                low = count == 0 ? s.Value(k) : std::min(low, s.Value(k));
                high = count == 0 ? s.Value(k) : std::max(high, s.Value(k));
                sum += s.Value(k);
                ++count;
            }
        }
        ASSERT_EQ(r.present[i], count > 0 ? 1.0 : 0.0) << i;
        ASSERT_EQ(r.min[i], low) << i;
        ASSERT_EQ(r.max[i], high) << i;
        ASSERT_DOUBLE_EQ(r.mean[i], count > 0 ? sum / count : 0.0) << i;
    }
    std::vector<double> present = Availability("DO", "A", start, end, kHours, 3, n);
    EXPECT_EQ(present, r.present);
}

}  // namespace
}  // namespace zav

namespace zav {
namespace {

// Successive calls reuse the bounds of the last grid; a different grid must
// not see stale bounds, and neither do the same dates in another zone.
TEST_F(RetrievalTest, ReusedGridBoundsNeverGoStale) {
    test::ScopedTimeZone newYork("America/New_York");
    store.AddSource(MakeSource("f", {MakeSeries("A", "DO", "mg/l",
                                                {{Day(1995, 3, 1, 0, 30), 1},
                                                 {Day(1995, 3, 1, 23, 30), 2},
                                                 {Day(1995, 3, 2, 12, 0), 4}})}));
    const KTRTime start = Day(1995, 3, 1);
    const KTRTime end = Day(1995, 3, 2, 23, 59, 59);
    Results days = Data("A", "DO", start, end, kDays, 1, 2);
    EXPECT_EQ(days.mean, (std::vector<double>{1.5, 4}));
    Results hours = Data("A", "DO", start, end, kHours, 12, 4);
    EXPECT_EQ(hours.present, (std::vector<double>{1, 0, 1, 1}));
    EXPECT_EQ(hours.mean, (std::vector<double>{1, 0, 2, 4}));
    Results again = Data("A", "DO", start, end, kDays, 1, 2);
    EXPECT_EQ(again.mean, days.mean);
    {
        test::ScopedTimeZone singapore("Asia/Singapore");
        Results elsewhere = Data("A", "DO", start, end, kDays, 1, 2);
        EXPECT_EQ(elsewhere.mean, days.mean);
    }
}

}  // namespace
}  // namespace zav
