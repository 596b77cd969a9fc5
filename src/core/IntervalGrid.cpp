#include "core/IntervalGrid.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/Calendar.h"
#include "core/LocalClock.h"

namespace zav {

namespace {
constexpr int64_t kDay = 86400;
constexpr int64_t kWeek = 7 * kDay;
}  // namespace

IntervalGrid::IntervalGrid(const KTRTime& start, const KTRTime& end, int unit, int every)
    : m_start(start), m_end(end), m_unit(unit), m_every(every) {
    m_unitCount = start.UnitsBetween(end, unit);
    m_count = IntervalCount(m_unitCount, every);
    CalendarFields f = start.Fields();
    m_year = f.year;
    m_month = f.month;
    m_startDays = DaysFromCivil(f.year, f.month, f.day);
}

int IntervalGrid::IntervalCount(int unitCount, int every) {
    if (every < 1 || unitCount <= 0) {
        return 0;
    }
    double n = std::ceil(static_cast<double>(unitCount) / every);
    return n > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                               : static_cast<int>(n);
}

KTRTime IntervalGrid::LocalTime(int64_t dayOffset, int64_t secondOfDay) const {
    // Midnight is a local clock time; the seconds after it are elapsed
    // seconds, so on a day that changes to or from summer time the later
    // hours of the grid move with the change. Hour and minute grids ask for
    // the same day many times over, hence the one-day memo.
    if (dayOffset != m_memoDay) {
        m_memoDay = dayOffset;
        m_memoMidnight = LocalSecondsToInstant((m_startDays + dayOffset) * kDay);
    }
    return KTRTime::FromInstant(m_memoMidnight + secondOfDay);
}

KTRTime IntervalGrid::Point(int i) const {
    const int64_t k = int64_t{m_every} * i;
    switch (m_unit) {
        case kYears:
            return KTRTime(static_cast<int>(m_year + k), 1, 1, 0, 0, 0);
        case kMonths: {
            int64_t month = m_month - 1 + k;
            return KTRTime(static_cast<int>(m_year + month / 12), static_cast<int>(month % 12) + 1,
                           1, 0, 0, 0);
        }
        case kWeeks:
            return LocalTime(7 * k, 0);
        case kDays:
            return LocalTime(k, 0);
        case kHours:
            return LocalTime(k / 24, (k % 24) * 3600);
        case kMinutes:
            return LocalTime(k / 1440, (k % 1440) * 60);
        default:
            return m_start;
    }
}

IntervalGrid::Bounds IntervalGrid::RawBounds(int i) const {
    const int64_t p = Point(i).Instant();
    switch (m_unit) {
        case kYears:
        case kMonths:
            return {p, Point(i + 1).Instant() - 1};
        case kWeeks:
            return {p, p + m_every * kWeek - 1};
        case kDays:
            return {p, p + m_every * kDay - 1};
        case kHours:
            return {p - m_every * int64_t{1800}, p + m_every * int64_t{1800} - 1};
        case kMinutes:
            return {p - m_every * int64_t{30}, p + m_every * int64_t{30} - 1};
        default:
            return {p, p};
    }
}

IntervalGrid::Bounds IntervalGrid::IntervalBounds(int i) const {
    Bounds b = RawBounds(i);
    if (i == 0) {
        b.first = m_start.Instant();
    }
    if (i == m_count - 1) {
        b.last = m_end.Instant();
    } else {
        // Intervals are measured in elapsed seconds from local grid points,
        // so on a day that falls back from summer time an interval would
        // end an hour before the next one begins. Stretch it to meet the
        // next one: no point inside the span may fall between intervals.
        b.last = std::max(b.last, RawBounds(i + 1).first - 1);
    }
    return b;
}

}  // namespace zav
