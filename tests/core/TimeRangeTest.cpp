// Times whose fields carry: a result inside years 1000 to 9999 is kept with
// the carried date, anything outside is invalid (it could not be saved and
// read back), and no field an int can hold overflows on the way.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

#include "core/Calendar.h"
#include "core/IntervalGrid.h"
#include "core/KTRTime.h"

namespace zav {
namespace {

struct Fields {
    int year, month, day, hour, minute, second;
};

std::string Describe(const Fields& f) {
    return std::to_string(f.year) + "-" + std::to_string(f.month) + "-" + std::to_string(f.day) +
           " " + std::to_string(f.hour) + ":" + std::to_string(f.minute) + ":" +
           std::to_string(f.second);
}

::testing::AssertionResult Holds(const KTRTime& t, const Fields& e) {
    if (!t.IsValid()) {
        return ::testing::AssertionFailure() << "invalid";
    }
    const CalendarFields f = t.Fields();
    const Fields got{f.year, f.month, f.day, f.hour, f.minute, f.second};
    if (Describe(got) != Describe(e)) {
        return ::testing::AssertionFailure() << Describe(got);
    }
    return ::testing::AssertionSuccess();
}

TEST(TimeRange, FieldsCarryButTheYearMustStayInRange) {
    struct Case {
        Fields in;
        bool valid;
        Fields out;
    };
    const Case cases[] = {
        {{9999, 12, 31, 23, 59, 59}, true, {9999, 12, 31, 23, 59, 59}},
        {{9999, 12, 31, 24, 0, 0}, false, {}},  // the common "end of time" cell
        {{9999, 12, 32, 0, 0, 0}, false, {}},
        {{9999, 13, 1, 0, 0, 0}, false, {}},
        {{9998, 13, 1, 0, 0, 0}, true, {9999, 1, 1, 0, 0, 0}},
        {{1000, 1, 1, 0, 0, 0}, true, {1000, 1, 1, 0, 0, 0}},
        {{1000, 1, 0, 0, 0, 0}, false, {}},
        {{1000, 0, 1, 0, 0, 0}, false, {}},
        {{1000, 1, 1, 0, 0, -1}, false, {}},
        {{1001, 0, 1, 0, 0, 0}, true, {1000, 12, 1, 0, 0, 0}},
        {{2000, 1, 1, 24, 0, 0}, true, {2000, 1, 2, 0, 0, 0}},
        {{1999, 2, 29, 0, 0, 0}, true, {1999, 3, 1, 0, 0, 0}},
        {{95, 12, 31, 23, 60, 0}, true, {1996, 1, 1, 0, 0, 0}},
        {{1995, 1, 1, 0, 0, INT_MAX}, true, {2063, 1, 19, 3, 14, 7}},
        {{1995, 1, 1, 0, 0, INT_MIN}, true, {1926, 12, 13, 20, 45, 52}},
        {{1995, 1, 1, 0, INT_MAX, 0}, true, {6078, 1, 23, 2, 7, 0}},
        {{1995, 1, 1, 0, INT_MIN, 0}, false, {}},
        {{1995, 1, 1, INT_MAX, 0, 0}, false, {}},
        {{1995, 1, 1, INT_MIN, 0, 0}, false, {}},
        {{1995, 1, INT_MAX, 0, 0, 0}, false, {}},
        {{1995, 1, INT_MIN, 0, 0, 0}, false, {}},
        {{1995, 1, 99999999, 0, 0, 0}, false, {}},
        {{1995, INT_MAX, 1, 0, 0, 0}, false, {}},
        {{1995, INT_MIN, 1, 0, 0, 0}, false, {}},
        {{INT_MAX, 1, 1, 0, 0, 0}, false, {}},
        {{INT_MIN, 1, 1, 0, 0, 0}, false, {}},
        {{INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX}, false, {}},
        {{9999, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN}, false, {}},
    };
    for (const Case& c : cases) {
        const Fields& f = c.in;
        const KTRTime t(f.year, f.month, f.day, f.hour, f.minute, f.second);
        if (c.valid) {
            EXPECT_TRUE(Holds(t, c.out)) << Describe(f);
        } else {
            EXPECT_FALSE(t.IsValid()) << Describe(f) << " gave " << t.ToText();
        }
    }
}

TEST(TimeRange, TextThatCarriesOutOfRangeOrOverflowsIsInvalid) {
    for (const char* text :
         {"12/31/9999 24:00:00", "1/0/1000", "0/1/1000 00:00:00", "13/1/9999", "9999-12-31 24:0:0",
          "1/-2147483648/1995 0:0:0", "1/99999999/1995", "1/1/1995 2147483647:0:0",
          // Numbers beyond the int range are not wrapped into another date.
          "1/5/4294969295 0:0:0", "4294967297/5/1995", "1/5/1995 0:0:99999999999999999999",
          "1/5/19951"}) {
        const KTRTime t(text);
        EXPECT_FALSE(t.IsValid()) << text << " gave " << t.ToText();
    }
    EXPECT_TRUE(Holds(KTRTime("13/1/9998 0:0:0"), {9999, 1, 1, 0, 0, 0}));
    EXPECT_TRUE(Holds(KTRTime("12/31/1999 24:00:00"), {2000, 1, 1, 0, 0, 0}));
    // Reading ends at a NUL, as the C library's did.
    EXPECT_TRUE(
        Holds(KTRTime(std::string_view("\"1/5/95\"\0 12:00:00", 17)), {1995, 1, 5, 0, 0, 0}));
    EXPECT_FALSE(KTRTime::FromStoredForm("9999:12:31:24: 0: 0").IsValid());
    EXPECT_FALSE(KTRTime::FromStoredForm("1000: 1: 0: 0: 0: 0").IsValid());
    EXPECT_TRUE(Holds(KTRTime::FromStoredForm("9998:13: 1: 0: 0: 0"), {9999, 1, 1, 0, 0, 0}));
}

TEST(TimeRange, ArithmeticAndSettersThatLeaveTheYearsGiveInvalidTimes) {
    const KTRTime last(9999, 12, 31, 23, 59, 59);
    const KTRTime first(1000, 1, 1, 0, 0, 0);
    EXPECT_FALSE((last + 1).IsValid());
    EXPECT_FALSE((first - 1).IsValid());
    EXPECT_TRUE(Holds(last - (last.Instant() - first.Instant()), {1000, 1, 1, 0, 0, 0}));
    for (int64_t far : {INT64_MAX, INT64_MIN, int64_t{1} << 40, -(int64_t{1} << 40)}) {
        EXPECT_FALSE((first + far).IsValid()) << far;
        EXPECT_FALSE((last - far).IsValid()) << far;
    }
    EXPECT_FALSE((KTRTime() + 1).IsValid());
    EXPECT_EQ(last.Difference(KTRTime()), 0);
    EXPECT_EQ(KTRTime().Difference(first), 0);
    EXPECT_FALSE(KTRTime::FromInstant(last.Instant() + 1).IsValid());
    EXPECT_FALSE(KTRTime::FromInstant(INT64_MIN + 1).IsValid());

    KTRTime leapDay(2004, 2, 29, 12, 0, 0);
    leapDay.SetYear(2003);
    EXPECT_TRUE(Holds(leapDay, {2003, 3, 1, 12, 0, 0}));
    leapDay.SetYear(10000);
    EXPECT_FALSE(leapDay.IsValid());
}

TEST(TimeRange, CountsAndDayNumbersNeverOverflow) {
    const KTRTime last(9999, 12, 31, 23, 59, 59);
    const KTRTime first(1000, 1, 1, 0, 0, 0);
    EXPECT_EQ(first.UnitsBetween(last, kDays), 3287182);
    EXPECT_EQ(first.UnitsBetween(last, kMonths), 108000);
    EXPECT_EQ(first.UnitsBetween(last, kMinutes), INT_MAX);  // held at the limit
    EXPECT_EQ(DayNumber(1, 1, INT_MAX, INT_MIN), -1);        // too many days for an int
    EXPECT_EQ(DayNumber(INT_MAX, 1, 2000, 2000), -1);
    EXPECT_EQ(DayNumber(1, 3, INT_MAX, INT_MAX - 10), 3711);
    EXPECT_EQ(DateFromDayNumber(3711, INT_MAX - 10), "Mar  1, 2147483647");
    EXPECT_EQ(DateFromDayNumber(0, INT_MIN), "Jan  1, -2147483648");
    int year = 0;
    DateFromDayNumber(INT_MAX, INT_MAX, nullptr, nullptr, &year);
    EXPECT_EQ(year, INT_MAX);
    DateFromDayNumber(INT_MIN, INT_MIN, nullptr, nullptr, &year);
    EXPECT_EQ(year, INT_MIN);
}

TEST(TimeRange, GridsReachTheLastSecondOfYear9999) {
    const KTRTime start(9999, 1, 1, 0, 0, 0);
    const KTRTime end(9999, 12, 31, 23, 59, 59);
    for (int unit : {kYears, kMonths, kWeeks, kDays, kHours}) {
        const IntervalGrid grid(start, end, unit, 1);
        ASSERT_GT(grid.Count(), 0) << unit;
        const IntervalGrid::Bounds last = grid.IntervalBounds(grid.Count() - 1);
        EXPECT_EQ(last.last, end.Instant()) << unit;
        EXPECT_TRUE(KTRTime::FromInstant(last.first).IsValid()) << unit;
        EXPECT_TRUE(grid.Point(grid.Count() - 1).IsValid()) << unit;
    }
    EXPECT_EQ(IntervalGrid(start, end, kMonths, 1).Point(11), KTRTime(9999, 12, 1, 0, 0, 0));
}

}  // namespace
}  // namespace zav
