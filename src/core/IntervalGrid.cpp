#include "core/IntervalGrid.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "core/Calendar.h"
#include "core/LocalClock.h"

namespace zav {

namespace {

constexpr int64_t kDay = 86400;
constexpr int64_t kWeek = 7 * kDay;
constexpr int64_t kUnknown = INT64_MIN;
// About 2,900 years of days (8 MB); wider grids are not remembered.
constexpr int64_t kMaxCachedDays = int64_t{1} << 20;

// Midnight of the first of a month. A year past the last one a time can hold
// lies beyond every point: only the end of the span's last interval asks.
int64_t CalendarStart(int64_t year, int month) {
    const KTRTime t(year > 9999 ? 10000 : static_cast<int>(year), month, 1, 0, 0, 0);
    return t.IsValid() ? t.Instant() : std::numeric_limits<int64_t>::max();
}

int64_t DaysOfInstant(const KTRTime& t) {
    const CalendarFields f = t.Fields();
    return DaysFromCivil(f.year, f.month, f.day);
}

}  // namespace

// Local midnights by day, kept from one grid to the next: a report asks for
// the same grid once per row, and each midnight costs a question to the C
// library. Forgotten when the time zone is read again.
struct IntervalGrid::MidnightCache {
    unsigned generation = 0;
    int64_t firstDay = 0;
    std::vector<int64_t> midnights;  // kUnknown where not yet worked out
};

thread_local IntervalGrid::MidnightCache IntervalGrid::t_midnights;

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

int64_t IntervalGrid::LocalInstant(int64_t dayOffset, int64_t secondOfDay) const {
    // Midnight is a local clock time; the seconds after it are elapsed
    // seconds, so on a day that changes to or from summer time the later
    // hours of the grid move with the change. Hour and minute grids ask for
    // the same day many times over, hence the one-day memo.
    if (dayOffset != m_memoDay) {
        m_memoMidnight = Midnight(dayOffset);
        m_memoDay = dayOffset;
    }
    return m_memoMidnight + secondOfDay;
}

int64_t IntervalGrid::Midnight(int64_t dayOffset) const {
    const int64_t day = m_startDays + dayOffset;
    MidnightCache& cache = t_midnights;
    if (cache.generation != LocalClockGeneration()) {
        cache = MidnightCache{LocalClockGeneration(), 0, {}};
    }
    const int64_t slot = day - cache.firstDay;
    const bool cached = slot >= 0 && slot < static_cast<int64_t>(cache.midnights.size());
    if (cached && cache.midnights[static_cast<size_t>(slot)] != kUnknown) {
        return cache.midnights[static_cast<size_t>(slot)];
    }
    const int64_t local = day * kDay;
    int64_t midnight = kUnknown;
    // Stepping to the next day, the offset in force at the previous
    // midnight is nearly always still in force: one question to the C
    // library confirms it. Only when it does not is the local time worked
    // out in full (a change of offset, a skipped or repeated midnight).
    if (m_memoDay != INT64_MIN && dayOffset == m_memoDay + 1) {
        const int64_t offset = (day - 1) * kDay - m_memoMidnight;
        if (UtcOffsetAt(local - offset) == offset) {
            midnight = local - offset;
        }
    }
    if (midnight == kUnknown) {
        midnight = LocalSecondsToInstant(local);
    }
    if (cached) {
        cache.midnights[static_cast<size_t>(slot)] = midnight;
    } else {
        CoverSpan(cache);
        const int64_t at = day - cache.firstDay;
        if (at >= 0 && at < static_cast<int64_t>(cache.midnights.size())) {
            cache.midnights[static_cast<size_t>(at)] = midnight;
        }
    }
    return midnight;
}

void IntervalGrid::CoverSpan(MidnightCache& cache) const {
    // The grid's days, and one beyond for the end of the last interval.
    const int64_t first = m_startDays;
    const int64_t last = std::max(first, DaysOfInstant(m_end)) + 1;
    if (last - first > kMaxCachedDays) {
        return;
    }
    if (!cache.midnights.empty()) {
        const int64_t oldLast = cache.firstDay + static_cast<int64_t>(cache.midnights.size());
        const int64_t from = std::min(first, cache.firstDay);
        const int64_t to = std::max(last, oldLast);
        if (to - from <= kMaxCachedDays) {
            std::vector<int64_t> wider(static_cast<size_t>(to - from + 1), kUnknown);
            std::copy(cache.midnights.begin(), cache.midnights.end(),
                      wider.begin() + (cache.firstDay - from));
            cache.firstDay = from;
            cache.midnights = std::move(wider);
            return;
        }
    }
    cache.firstDay = first;
    cache.midnights.assign(static_cast<size_t>(last - first + 1), kUnknown);
}

int64_t IntervalGrid::PointInstant(int i) const {
    const int64_t k = int64_t{m_every} * i;
    switch (m_unit) {
        case kYears:
            return CalendarStart(m_year + k, 1);
        case kMonths: {
            const int64_t month = m_month - 1 + k;
            return CalendarStart(m_year + month / 12, static_cast<int>(month % 12) + 1);
        }
        case kWeeks:
            return LocalInstant(7 * k, 0);
        case kDays:
            return LocalInstant(k, 0);
        case kHours:
            return LocalInstant(k / 24, (k % 24) * 3600);
        case kMinutes:
            return LocalInstant(k / 1440, (k % 1440) * 60);
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
            const int64_t p = LocalInstant(steps.Day(), steps.SecondOfDay());
            steps.Advance();
            return Bounds{p - half, p + half - 1};
        });
    } else {
        FillBoundsWith(from, count, out, [this](int i) { return RawBounds(i); });
    }
}

template <class NextRaw>
void IntervalGrid::FillBoundsWith(int from, int count, Bounds* out, NextRaw nextRaw) const {
    Bounds next = nextRaw(from);
    for (int j = 0; j < count; ++j) {
        const int i = from + j;
        Bounds b = next;
        if (i == 0) {
            b.first = m_start.Instant();
        }
        if (i == m_count - 1) {
            b.last = m_end.Instant();
        } else {
            // Intervals are measured in elapsed seconds from local grid
            // points, so on a day that falls back from summer time an
            // interval would end an hour before the next one begins. It is
            // stretched to meet the next one: no point inside the span may
            // fall between intervals.
            next = nextRaw(i + 1);
            b.last = std::max(b.last, next.first - 1);
        }
        out[j] = b;
    }
}

}  // namespace zav
