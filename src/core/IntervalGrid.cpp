#include "core/IntervalGrid.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/Calendar.h"

namespace zav {

namespace {

constexpr int64_t kDay = 86400;
constexpr int64_t kWeek = 7 * kDay;

// Midnight of the first of a month. A year past the last one a time can hold
// lies beyond every point: only the end of the span's last interval asks.
int64_t CalendarStart(int64_t year, int64_t month) {
    return DaysFromCivil(std::min<int64_t>(year, 10000), month, 1) * kDay;
}

}  // namespace

IntervalGrid::IntervalGrid(const KTRTime& start, const KTRTime& end, int unit, int every,
                           int yearStartMonth)
    : m_start(start),
      m_end(end),
      m_unit(unit),
      m_every(every),
      m_yearStartMonth(yearStartMonth >= 1 && yearStartMonth <= 12 ? yearStartMonth : 1) {
    CalendarFields f = start.Fields();
    m_year = f.year;
    m_month = f.month;
    m_startDays = DaysFromCivil(f.year, f.month, f.day);
    m_unitCount = start.UnitsBetween(end, unit);
    if (unit == kYears && m_yearStartMonth != 1) {
        // A start before the year's first month lies in the year that
        // began the calendar year before.
        m_year -= f.month < m_yearStartMonth ? 1 : 0;
        m_unitCount = ShiftedYearCount();
    }
    m_count = IntervalCount(m_unitCount, every);
}

int IntervalGrid::ShiftedYearCount() const {
    if (m_unitCount == 0) {
        return 0;  // the span ends before it starts
    }
    const CalendarFields e = m_end.Fields();
    const int endYear = e.year - (e.month < m_yearStartMonth ? 1 : 0);
    return endYear - m_year + 1;
}

int IntervalGrid::IntervalCount(int unitCount, int every) {
    if (every < 1 || unitCount <= 0) {
        return 0;
    }
    double n = std::ceil(static_cast<double>(unitCount) / every);
    return n > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                               : static_cast<int>(n);
}

int64_t IntervalGrid::GridInstant(int64_t dayOffset, int64_t secondOfDay) const {
    return (m_startDays + dayOffset) * kDay + secondOfDay;
}

int64_t IntervalGrid::PointInstant(int i) const {
    const int64_t k = int64_t{m_every} * i;
    switch (m_unit) {
        case kYears:
            return CalendarStart(m_year + k, m_yearStartMonth);
        case kMonths: {
            const int64_t month = m_month - 1 + k;
            return CalendarStart(m_year + month / 12, month % 12 + 1);
        }
        case kWeeks:
            return GridInstant(7 * k, 0);
        case kDays:
            return GridInstant(k, 0);
        case kHours:
            return GridInstant(k / 24, (k % 24) * 3600);
        case kMinutes:
            return GridInstant(k / 1440, (k % 1440) * 60);
        default:
            return m_start.Instant();
    }
}

KTRTime IntervalGrid::Point(int i) const {
    return KTRTime::FromInstant(PointInstant(i));
}

IntervalGrid::Bounds IntervalGrid::RawBounds(int i) const {
    const int64_t p = PointInstant(i);
    switch (m_unit) {
        case kYears:
        case kMonths:
            return {p, PointInstant(i + 1) - 1};
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
    Bounds b{0, 0};
    if (i >= 0 && i < m_count) {
        FillBounds(i, 1, &b);
    }
    return b;
}

namespace {

// Steps through an hour or minute grid without dividing at every point:
// the day and the units into it are carried forward.
class ClockSteps {
public:
    ClockSteps(int unit, int every, int from)
        : m_perDay(unit == kHours ? 24 : 1440),
          m_seconds(unit == kHours ? 3600 : 60),
          m_every(every),
          m_day(int64_t{every} * from / m_perDay),
          m_units(int64_t{every} * from % m_perDay) {}

    int64_t Day() const { return m_day; }
    int64_t SecondOfDay() const { return m_units * m_seconds; }
    int64_t HalfWidth() const { return m_every * m_seconds / 2; }
    void Advance() {
        m_units += m_every;
        if (m_units >= m_perDay) {
            m_day += m_units / m_perDay;
            m_units %= m_perDay;
        }
    }

private:
    int64_t m_perDay;
    int64_t m_seconds;
    int64_t m_every;
    int64_t m_day;
    int64_t m_units;
};

}  // namespace

void IntervalGrid::FillBounds(int from, int count, Bounds* out) const {
    if (m_unit == kHours || m_unit == kMinutes) {
        ClockSteps steps(m_unit, m_every, from);
        const int64_t half = steps.HalfWidth();
        FillBoundsWith(from, count, out, [&](int) {
            const int64_t p = GridInstant(steps.Day(), steps.SecondOfDay());
            steps.Advance();
            return Bounds{p - half, p + half - 1};
        });
    } else {
        FillBoundsWith(from, count, out, [this](int i) { return RawBounds(i); });
    }
}

template <class NextRaw>
void IntervalGrid::FillBoundsWith(int from, int count, Bounds* out, NextRaw nextRaw) const {
    for (int j = 0; j < count; ++j) {
        const int i = from + j;
        Bounds b = nextRaw(i);
        if (i == 0) {
            b.first = m_start.Instant();
        }
        if (i == m_count - 1) {
            b.last = m_end.Instant();
        }
        out[j] = b;
    }
}

}  // namespace zav
