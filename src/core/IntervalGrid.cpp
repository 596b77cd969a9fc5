#include "core/IntervalGrid.h"

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
    // hours of the grid move with the change.
    int64_t midnight = LocalSecondsToInstant((m_startDays + dayOffset) * kDay);
    return KTRTime::FromInstant(midnight + secondOfDay);
}

KTRTime IntervalGrid::Point(int i) const {
    const int64_t k = int64_t{m_every} * i;
    switch (m_unit) {
        case kYears: return KTRTime(static_cast<int>(m_year + k), 1, 1, 0, 0, 0);
        case kMonths: {
            int64_t month = m_month - 1 + k;
            return KTRTime(static_cast<int>(m_year + month / 12), static_cast<int>(month % 12) + 1,
                           1, 0, 0, 0);
        }
        case kWeeks: return LocalTime(7 * k, 0);
        case kDays: return LocalTime(k, 0);
        case kHours: return LocalTime(k / 24, (k % 24) * 3600);
        case kMinutes: return LocalTime(k / 1440, (k % 1440) * 60);
        default: return m_start;
    }
}

IntervalGrid::Bounds IntervalGrid::IntervalBounds(int i) const {
    const int64_t p = Point(i).Instant();
    Bounds b{p, p};
    switch (m_unit) {
        case kYears:
        case kMonths:
            // The next grid point is needed only when this interval is not
            // the last one, whose end is the span's end anyway.
            b.last = i + 1 < m_count ? Point(i + 1).Instant() - 1 : p;
            break;
        case kWeeks: b.last = p + m_every * kWeek - 1; break;
        case kDays: b.last = p + m_every * kDay - 1; break;
        case kHours:
            b.first = p - m_every * int64_t{1800};
            b.last = p + m_every * int64_t{1800} - 1;
            break;
        case kMinutes:
            b.first = p - m_every * int64_t{30};
            b.last = p + m_every * int64_t{30} - 1;
            break;
        default: break;
    }
    if (i == 0) {
        b.first = m_start.Instant();
    }
    if (i == m_count - 1) {
        b.last = m_end.Instant();
    }
    return b;
}

}  // namespace zav
