#include "core/Calendar.h"

#include "core/TextFormat.h"

namespace zav {

const char* const kMonthAbbreviations[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

namespace {
const int kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}
}  // namespace

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int monthIndex) {
    return (monthIndex >= 0 && monthIndex < 12) ? kDaysInMonth[monthIndex] : 0;
}

int MonthLength(int year, int month) {
    if (month < 1 || month > 12) {
        return 0;
    }
    return kDaysInMonth[month - 1] + ((month == 2 && IsLeapYear(year)) ? 1 : 0);
}

// Howard Hinnant's days_from_civil, with the month carried into the year
// first so that out-of-range fields behave as the C library's normalisation.
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
    int64_t m0 = month - 1;
    year += FloorDiv(m0, 12);
    m0 -= FloorDiv(m0, 12) * 12;
    int64_t m = m0 + 1;
    int64_t y = (m <= 2) ? year - 1 : year;
    int64_t era = FloorDiv(y, 400);
    int64_t yoe = y - era * 400;
    int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5;  // day 1 of the month
    int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + (day - 1);
}

void CivilFromDays(int64_t days, int& year, int& month, int& day) {
    days += 719468;
    int64_t era = FloorDiv(days, 146097);
    int64_t doe = days - era * 146097;
    int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int64_t y = yoe + era * 400;
    int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2 ? 1 : 0));
}

int DayNumber(int day, int month, int year, int baseYear) {
    if (year < baseYear || month < 1 || month > 12 || day < 1) {
        return -1;
    }
    if (day - 1 >= MonthLength(year, month)) {
        return -1;
    }
    return static_cast<int>(DaysFromCivil(year, month, day) - DaysFromCivil(baseYear, 1, 1));
}

std::string DateFromDayNumber(int dayNumber, int baseYear, int* day, int* month, int* year) {
    int y = 0;
    int m = 0;
    int d = 0;
    CivilFromDays(DaysFromCivil(baseYear, 1, 1) + dayNumber, y, m, d);
    if (day) {
        *day = d;
    }
    if (month) {
        *month = m;
    }
    if (year) {
        *year = y;
    }
    return Format("%3s %2d, %d", kMonthAbbreviations[m - 1], d, y);
}

}  // namespace zav
