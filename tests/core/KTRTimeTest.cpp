// Dates and times: the text forms users and files use, calendar counting,
// and wall-clock times that no time zone moves.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

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

TEST(KTRTimeArithmetic, SettersRebuildFromTheFields) {
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

// The days on which summer time began and ended in 2024, in New York (an
// hour at 02:00) and on Lord Howe Island (half an hour at 02:00).
struct ChangeDay {
    const char* zone;
    int year, month, day;
};
const ChangeDay kChangeDays[] = {
    {"America/New_York", 2024, 3, 10},
    {"America/New_York", 2024, 11, 3},
    {"Australia/Lord_Howe", 2024, 10, 6},
    {"Australia/Lord_Howe", 2024, 4, 7},
    {"UTC", 2024, 3, 10},
};

TEST(KTRTimeWallClock, EveryClockTimeOfADayStaysAsWrittenInEveryZone) {
    for (const ChangeDay& c : kChangeDays) {
        ScopedTimeZone zone(c.zone);
        const KTRTime midnight(c.year, c.month, c.day, 0, 0, 0);
        for (int k = 0; k < 96; ++k) {
            const KTRTime t(c.year, c.month, c.day, k / 4, k % 4 * 15, 0);
            ExpectFields(t, c.year, c.month, c.day, k / 4, k % 4 * 15, 0);
            ASSERT_EQ(t.Difference(midnight), k * 900) << c.zone << " " << t.ToText();
            ASSERT_EQ(KTRTime::FromStoredForm(t.ToStoredForm()), t) << c.zone;
            ASSERT_EQ(KTRTime(t.ToText()), t) << c.zone;
        }
        // Every day lasts 86400 seconds, and adding a day keeps the clock time.
        EXPECT_EQ(KTRTime(c.year, c.month, c.day + 1, 0, 0, 0).Difference(midnight), 86400);
        ExpectFields(KTRTime(c.year, c.month, c.day - 1, 2, 30, 0) + 86400, c.year, c.month, c.day,
                     2, 30, 0);
    }
}

TEST(KTRTimeWallClock, SecondsCountTheCalendarAsIfItWereUtc) {
    for (const char* name : {"UTC", "America/New_York", "Australia/Lord_Howe", "Asia/Kolkata"}) {
        ScopedTimeZone zone(name);
        EXPECT_EQ(KTRTime(1970, 1, 1, 0, 0, 0).Instant(), 0);
        EXPECT_EQ(KTRTime(1995, 4, 2, 2, 30, 0).Instant(), 796780800 + 2 * 3600 + 1800);
        EXPECT_EQ(KTRTime(1000, 1, 1, 0, 0, 0).Instant(), int64_t{-354285} * 86400);
        ExpectFields(KTRTime::FromInstant(-1), 1969, 12, 31, 23, 59, 59);
    }
}

TEST(KTRTimeWallClock, NowIsTheComputersClockTime) {
    const KTRTime now = KTRTime::Now();
    ASSERT_TRUE(now.IsValid());
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    ASSERT_NE(localtime_r(&seconds, &local), nullptr);
    const KTRTime clock(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                        local.tm_min, local.tm_sec);
    EXPECT_LE(std::abs(clock.Difference(now)), 2) << now.ToText() << " " << clock.ToText();
}

}  // namespace
}  // namespace zav
