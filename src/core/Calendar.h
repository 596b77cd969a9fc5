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
// the year is before the base year or the day does not exist in the month.
int DayNumber(int day, int month, int year, int baseYear);

// The inverse of DayNumber; returns "%3s %2d, %d" (such as "Jan  5, 1995")
// and fills each output that is given.
std::string DateFromDayNumber(int dayNumber, int baseYear, int* day = nullptr, int* month = nullptr,
                              int* year = nullptr);

// Days since 1970-01-01 of a civil date; month and day may lie outside their
// ranges and are carried over into the next or previous month and year.
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day);
void CivilFromDays(int64_t days, int& year, int& month, int& day);

extern const char* const kMonthAbbreviations[12];

}  // namespace zav
