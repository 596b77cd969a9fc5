#include "analysis/AnalysisSettings.h"

namespace zav {

KTRTime AnalysisSettings::SpanStart() const {
    return KTRTime(startYear, startMonth, startDay, 0, 0, 0);
}

KTRTime AnalysisSettings::SpanEnd() const {
    return KTRTime(endYear, endMonth, endDay, 23, 59, 59);
}

int AnalysisSettings::UnitCount() const {
    return Grid().UnitCount();
}

int AnalysisSettings::IntervalCount() const {
    return IntervalGrid::IntervalCount(UnitCount(), every);
}

IntervalGrid AnalysisSettings::Grid() const {
    return IntervalGrid(SpanStart(), SpanEnd(), unit, every, statistics.yearStartMonth);
}

IntervalGrid AnalysisSettings::CalendarGrid() const {
    return IntervalGrid(SpanStart(), SpanEnd(), unit, every, 1);
}

}  // namespace zav
