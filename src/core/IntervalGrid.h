// IntervalGrid: a date span cut into equal calendar steps (N years, months,
// weeks, days, hours or minutes). It gives the interval count, the point each
// interval is labelled by and the first and last instant of each interval.
// Retrieval scans by these bounds and the report labels its columns by them.
#pragma once

#include <cstdint>

#include "core/KTRTime.h"

namespace zav {

class IntervalGrid {
public:
    // `unit` as in IntervalUnit; `every` is the number of units per step.
    // Years begin on the first of `yearStartMonth` (10 for water years that
    // begin in October); the other units do not use it.
    IntervalGrid(const KTRTime& start, const KTRTime& end, int unit, int every,
                 int yearStartMonth = 1);

    // Ceiling of unitCount / every, worked in floating point as the page
    // has always done; 0 when every is below 1.
    static int IntervalCount(int unitCount, int every);

    // Calendar units touched from start to end, both ends included.
    int UnitCount() const { return m_unitCount; }
    int Count() const { return m_count; }

    // Start of interval i before clipping; for hours and minutes its centre.
    KTRTime Point(int i) const;

    // First and last second of interval i: interval 0 begins at the start
    // and the last interval ends at the end of the span; each of the others
    // ends where the next one begins.
    struct Bounds {
        int64_t first;
        int64_t last;
    };
    Bounds IntervalBounds(int i) const;

    // Bounds of intervals from .. from + count - 1 into `out`, worked out
    // in one pass, for long scans.
    void FillBounds(int from, int count, Bounds* out) const;

    const KTRTime& Start() const { return m_start; }
    const KTRTime& End() const { return m_end; }
    int Unit() const { return m_unit; }
    int Every() const { return m_every; }
    int YearStartMonth() const { return m_yearStartMonth; }

private:
    // Years touched from start to end when years begin in another month
    // than January.
    int ShiftedYearCount() const;
    // Day `dayOffset` from the start's date, `secondOfDay` seconds into it.
    int64_t GridInstant(int64_t dayOffset, int64_t secondOfDay) const;
    int64_t PointInstant(int i) const;
    // Bounds before clipping to the span.
    Bounds RawBounds(int i) const;
    // FillBounds with the raw bounds of successive intervals from `nextRaw`.
    template <class NextRaw>
    void FillBoundsWith(int from, int count, Bounds* out, NextRaw nextRaw) const;

    KTRTime m_start;
    KTRTime m_end;
    int m_unit;
    int m_every;
    int m_unitCount;
    int m_count;
    int m_year;  // for years: the year in which the start's year began
    int m_month;
    int m_yearStartMonth;
    int64_t m_startDays;  // days from 1970-01-01 to the start's date
};

}  // namespace zav
