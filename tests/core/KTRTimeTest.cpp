// Dates and times: the text forms users and files use, calendar counting,
// and local time around summer-time changes.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/Calendar.h"
#include "core/KTRTime.h"

namespace zav {
namespace {

using test::ScopedTimeZone;

void ExpectFields(const KTRTime& t, int y, int mo, int d, int h, int mi, int s) {
    ASSERT_TRUE(t.IsValid());
    CalendarFields f = t.Fields();
    EXPECT_EQ(f.year, y);
    EXPECT_EQ(f.month, mo);
    EXPECT_EQ(f.day, d);
    EXPECT_EQ(f.hour, h);
    EXPECT_EQ(f.minute, mi);
    EXPECT_EQ(f.second, s);
}

TEST(KTRTimeText, ParsesTheThreePatternsAndIgnoresQuotes) {
    ExpectFields(KTRTime("\"01/05/1995 13:05:09\""), 1995, 1, 5, 13, 5, 9);
    ExpectFields(KTRTime("1995-01-05 13:05:09"), 1995, 1, 5, 13, 5, 9);
    ExpectFields(KTRTime("1/5/1995"), 1995, 1, 5, 0, 0, 0);
    // Hours and minutes without seconds fall through to the date pattern.
    ExpectFields(KTRTime("1/5/1995 13:05"), 1995, 1, 5, 0, 0, 0);
    EXPECT_FALSE(KTRTime("1995-01-05").IsValid());
    EXPECT_FALSE(KTRTime("yesterday").IsValid());
}

TEST(KTRTimeText, TwoDigitYearsAre19xxAndThreeDigitYearsAreInvalid) {
    ExpectFields(KTRTime("1/5/95"), 1995, 1, 5, 0, 0, 0);
    ExpectFields(KTRTime("1/5/05"), 1905, 1, 5, 0, 0, 0);
    ExpectFields(KTRTime("1/5/2005"), 2005, 1, 5, 0, 0, 0);
    EXPECT_FALSE(KTRTime("1/5/500").IsValid());
    EXPECT_FALSE(KTRTime(999, 1, 5, 0, 0, 0).IsValid());
    EXPECT_FALSE(KTRTime(10000, 1, 1, 0, 0, 0).IsValid());
}

TEST(KTRTimeText, EmptyTextWarnsAndGivesNoDate) {
    testing::internal::CaptureStderr();
    KTRTime t("");
    std::string warning = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(t.IsValid());
    EXPECT_EQ(warning, "[KTRTime::KTRTime] Warning: NULL str_date value.\n");
}

TEST(KTRTimeText, DisplayAndStoredForms) {
    KTRTime t(1995, 1, 5, 13, 5, 9);
    EXPECT_EQ(t.ToText(), " 1/ 5/1995 13:05:09");
    EXPECT_EQ(t.ToStoredForm(), "1995: 1: 5:13: 5: 9");
    EXPECT_EQ(KTRTime(1998, 3, 7, 14, 5, 0).ToStoredForm(), "1998: 3: 7:14: 5: 0");
    EXPECT_EQ(KTRTime("1/5/2005").ToStoredForm(), "2005: 1: 5: 0: 0: 0");
}

TEST(KTRTimeText, StoredFormReadsBackIncludingLeapDaysAndFarYears) {
    for (KTRTime t : {KTRTime(2004, 2, 29, 23, 59, 59), KTRTime(1905, 1, 5, 0, 0, 0),
                      KTRTime(2061, 12, 31, 12, 0, 1), KTRTime(1969, 12, 31, 23, 59, 59)}) {
        KTRTime back = KTRTime::FromStoredForm(t.ToStoredForm());
        EXPECT_EQ(back, t) << t.ToStoredForm();
    }
    EXPECT_FALSE(KTRTime::FromStoredForm("1995: 1: 5").IsValid());
    EXPECT_FALSE(KTRTime::FromStoredForm("").IsValid());
    EXPECT_FALSE(KTRTime::FromStoredForm("\x01\xff garbage").IsValid());
}

TEST(KTRTimeText, ImpossibleDaysCarryIntoTheNextMonth) {
    // A report may offer a 30th of February; the date rolls on.
    ExpectFields(KTRTime(1999, 2, 30, 0, 0, 0), 1999, 3, 2, 0, 0, 0);
    ExpectFields(KTRTime(1999, -1, 5, 0, 0, 0), 1998, 11, 5, 0, 0, 0);
}

TEST(KTRTimeArithmetic, AddsElapsedSecondsAcrossCenturiesAndEras) {
    KTRTime t = KTRTime(1999, 12, 31, 23, 0, 0) + 3600;
    EXPECT_EQ(t, KTRTime("1/1/2000 0:0:0"));
    KTRTime later = KTRTime(1995, 6, 1, 12, 0, 0) + int64_t{7305} * 86400;
    ExpectFields(later, 2015, 6, 1, 12, 0, 0);
    EXPECT_EQ(later.Difference(KTRTime(1995, 6, 1, 12, 0, 0)), int64_t{7305} * 86400);
    EXPECT_EQ((later - int64_t{7305} * 86400), KTRTime(1995, 6, 1, 12, 0, 0));
    EXPECT_TRUE(KTRTime(1905, 1, 1, 0, 0, 0) < KTRTime(2005, 1, 1, 0, 0, 0));
    EXPECT_TRUE(KTRTime(2005, 1, 1, 0, 0, 1) > KTRTime(2005, 1, 1, 0, 0, 0));
}

TEST(KTRTimeArithmetic, SettersRebuildFromLocalFields) {
    KTRTime t(1903, 2, 3, 8, 15, 30);
    EXPECT_EQ(t.SetYear(2003), 1);
    ExpectFields(t, 2003, 2, 3, 8, 15, 30);
    EXPECT_EQ(t.SetMinute(60), 0);
    EXPECT_EQ(t.SetSecond(-1), 0);
    ExpectFields(t, 2003, 2, 3, 8, 15, 30);
    EXPECT_EQ(t.SetMinute(59), 1);
    EXPECT_EQ(t.SetSecond(0), 1);
    ExpectFields(t, 2003, 2, 3, 8, 59, 0);
}

TEST(KTRTimeCounting, UnitsBetweenCountsIntervalsTouched) {
    KTRTime a(1995, 3, 6, 10, 20, 0);
    for (int unit = kYears; unit <= kMinutes; ++unit) {
        EXPECT_EQ(a.UnitsBetween(a, unit), 1) << unit;
        EXPECT_EQ(a.UnitsBetween(a - 1, unit), 0) << unit;
    }
    EXPECT_EQ(a.UnitsBetween(a, 6), 0);
    KTRTime newYearsEve(1994, 12, 31, 0, 0, 0);
    KTRTime newYear(1995, 1, 1, 23, 59, 59);
    EXPECT_EQ(newYearsEve.UnitsBetween(newYear, kYears), 2);
    EXPECT_EQ(newYearsEve.UnitsBetween(newYear, kMonths), 2);
    EXPECT_EQ(newYearsEve.UnitsBetween(newYear, kDays), 2);
    EXPECT_EQ(newYearsEve.UnitsBetween(newYear, kHours), 48);
    // 6 March 1995 is a Monday.
    EXPECT_EQ(a.UnitsBetween(KTRTime(1995, 3, 12, 0, 0, 0), kWeeks), 1);
    EXPECT_EQ(a.UnitsBetween(KTRTime(1995, 3, 13, 0, 0, 0), kWeeks), 2);
    EXPECT_EQ(KTRTime(1995, 1, 1, 0, 0, 0).UnitsBetween(KTRTime(1995, 1, 1, 23, 59, 59), kMinutes),
              1440);
}

TEST(Calendar, DayNumbersAndTheirInverse) {
    EXPECT_EQ(DayNumber(1, 3, 2000, 2000), 60);
    EXPECT_EQ(DayNumber(29, 2, 1999, 1999), -1);
    EXPECT_EQ(DayNumber(1, 1, 1998, 1999), -1);
    EXPECT_EQ(DayNumber(1, 1, 2001, 2000), 366);
    int d = 0, m = 0, y = 0;
    EXPECT_EQ(DateFromDayNumber(59, 1999, &d, &m, &y), "Mar  1, 1999");
    EXPECT_EQ(d, 1);
    EXPECT_EQ(m, 3);
    EXPECT_EQ(y, 1999);
    EXPECT_EQ(DateFromDayNumber(4, 1995), "Jan  5, 1995");
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2004));
    EXPECT_EQ(DaysInMonth(1), 28);
}

// Local time around the 1995 changes in New York: summer time began on
// 2 April at 02:00 and ended on 29 October at 02:00.
TEST(KTRTimeSummerTime, SkippedTimesMoveOnAndRepeatedTimesAreTheFirst) {
    ScopedTimeZone zone("America/New_York");
    const int64_t april2Utc = 796780800;     // 1995-04-02 00:00:00 UTC
    const int64_t october29Utc = 814924800;  // 1995-10-29 00:00:00 UTC
    // 01:59:59 EST is 06:59:59 UTC; 02:30 does not exist and reads as 03:30 EDT.
    EXPECT_EQ(KTRTime(1995, 4, 2, 1, 59, 59).Instant(), april2Utc + 6 * 3600 + 3599);
    KTRTime skipped(1995, 4, 2, 2, 30, 0);
    EXPECT_EQ(skipped.Instant(), april2Utc + 7 * 3600 + 1800);
    ExpectFields(skipped, 1995, 4, 2, 3, 30, 0);
    // 01:30 happens twice; it means the first time, 01:30 EDT = 05:30 UTC.
    EXPECT_EQ(KTRTime(1995, 10, 29, 1, 30, 0).Instant(), october29Utc + 5 * 3600 + 1800);
    EXPECT_EQ(KTRTime(1995, 10, 29, 2, 0, 0).Instant(), october29Utc + 7 * 3600);
}

TEST(KTRTimeSummerTime, TheSameTextAlwaysGivesTheSameInstant) {
    ScopedTimeZone zone("America/New_York");
    // Whatever was converted before, the repeated hour resolves the same way.
    KTRTime first("10/29/1995 01:30:00");
    KTRTime afterChange = KTRTime(1995, 10, 29, 1, 30, 0) + 3600;  // 01:30 EST
    ExpectFields(afterChange, 1995, 10, 29, 1, 30, 0);
    KTRTime again("10/29/1995 01:30:00");
    EXPECT_EQ(first, again);
    EXPECT_LT(first, afterChange);
}

TEST(KTRTimeSummerTime, ElapsedDaysShiftTheClockAcrossAChange) {
    ScopedTimeZone zone("America/New_York");
    KTRTime before(1995, 4, 1, 12, 0, 0);
    ExpectFields(before + 86400, 1995, 4, 2, 13, 0, 0);
    EXPECT_EQ(KTRTime(1995, 4, 3, 0, 0, 0).Difference(KTRTime(1995, 4, 2, 0, 0, 0)), 23 * 3600);
    EXPECT_EQ(KTRTime(1995, 10, 30, 0, 0, 0).Difference(KTRTime(1995, 10, 29, 0, 0, 0)), 25 * 3600);
}

TEST(KTRTimeSummerTime, UtcHasNoGapsOrRepeats) {
    ScopedTimeZone zone("UTC");
    EXPECT_EQ(KTRTime(1995, 4, 2, 2, 30, 0).Instant(), 796780800 + 2 * 3600 + 1800);
    EXPECT_EQ(KTRTime(1970, 1, 1, 0, 0, 0).Instant(), 0);
    ExpectFields(KTRTime::FromInstant(-1), 1969, 12, 31, 23, 59, 59);
}

}  // namespace
}  // namespace zav
