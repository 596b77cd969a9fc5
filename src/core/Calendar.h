// Calendar arithmetic on the proleptic Gregorian calendar, free of any time
// zone: leap years, month lengths, day numbers counted from 1 January of a
// base year, and conversion between dates and a running day count.
#pragma once

#include <cstdint>
#include <string>

namespace zav {

bool IsLeapYear(int year);

// Length of a month given as an index 0..11, February without the leap day.
int DaysInMonth(int monthIndex);
// Length of month 1..12 of the given year, leap day included.
int MonthLength(int year, int month);

// 0-based count of days from 1 January of `baseYear` to the date; -1 when
// the year is before the base year, the day does not exist in the month or
// the count does not fit an int.
int DayNumber(int day, int month, int year, int baseYear);

// The inverse of DayNumber; returns "%3s %2d, %d" (such as "Jan  5, 1995")
// and fills each output that is given.
std::string DateFromDayNumber(int dayNumber, int baseYear, int* day = nullptr, int* month = nullptr,
                              int* year = nullptr);

// The inverse of DaysFromCivil (below). Years beyond what an int holds are
// held at its limit.
void CivilFromDays(int64_t days, int& year, int& month, int& day);

namespace calendar_detail {
constexpr int64_t FloorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}
}  // namespace calendar_detail

// Days since 1970-01-01 of a civil date; month and day may lie outside their
// ranges and are carried over into the next or previous month and year
// (Howard Hinnant's days_from_civil, the month carried into the year first).
// Exact for any fields an int can hold. Inline and free of the C library:
// times are built from fields in bulk.
constexpr int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
    using calendar_detail::FloorDiv;
    const int64_t yearsCarried = FloorDiv(month - 1, 12);
    const int64_t m = month - yearsCarried * 12;  // 1..12
    const int64_t y = year + yearsCarried - (m <= 2 ? 1 : 0);
    const int64_t era = FloorDiv(y, 400);
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5;  // day 1 of the month
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + (day - 1);
}

extern const char* const kMonthAbbreviations[12];

}  // namespace zav
