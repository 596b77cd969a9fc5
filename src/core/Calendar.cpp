#include "core/Calendar.h"

#include <algorithm>
#include <climits>

#include "core/TextFormat.h"

namespace zav {

const char* const kMonthAbbreviations[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

namespace {
const int kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

using calendar_detail::FloorDiv;
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

void CivilFromDays(int64_t days, int& year, int& month, int& day) {
    // Far beyond the years an int holds; keeps the sums below from overflowing.
    constexpr int64_t kFarthest = int64_t{1} << 40;
    days = std::clamp(days, -kFarthest, kFarthest) + 719468;
    const int64_t era = FloorDiv(days, 146097);
    const int64_t doe = days - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int64_t y = yoe + era * 400 + (month <= 2 ? 1 : 0);
    year = static_cast<int>(std::clamp<int64_t>(y, INT_MIN, INT_MAX));
}

int DayNumber(int day, int month, int year, int baseYear) {
    if (year < baseYear || month < 1 || month > 12 || day < 1) {
        return -1;
    }
    if (day - 1 >= MonthLength(year, month)) {
        return -1;
    }
    const int64_t count = DaysFromCivil(year, month, day) - DaysFromCivil(baseYear, 1, 1);
    return count <= INT_MAX ? static_cast<int>(count) : -1;
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
