#include "analysis/IntervalLabels.h"

#include "core/TextFormat.h"

namespace zav {

std::string IntervalLabel(const KTRTime& point, int unit) {
    const CalendarFields f = point.Fields();
    switch (unit) {
        case kYears:
        case kMonths:
            return Format("%d/%d", f.month, f.year);
        case kWeeks:
        case kDays:
            return Format("%d/%d/%d", f.month, f.day, f.year);
        case kHours:
            return Format("%2d/%2d/%4d %2d:00:00", f.month, f.day, f.year, f.hour);
        case kMinutes:
            return Format("%2d/%2d/%4d %2d:%02d:00", f.month, f.day, f.year, f.hour, f.minute);
        default:
            return std::string();
    }
}

std::vector<std::string> IntervalLabels(const IntervalGrid& grid, int unit) {
    std::vector<std::string> labels;
    labels.reserve(static_cast<size_t>(grid.Count()));
    for (int i = 0; i < grid.Count(); ++i) {
        labels.push_back(IntervalLabel(grid.Point(i), unit));
    }
    return labels;
}

std::vector<std::string> IsoIntervalStarts(const IntervalGrid& grid, int unit) {
    std::vector<std::string> labels;
    labels.reserve(static_cast<size_t>(grid.Count()));
    for (int i = 0; i < grid.Count(); ++i) {
        const CalendarFields f = KTRTime::FromInstant(grid.IntervalBounds(i).first).Fields();
        labels.push_back(
            unit == kHours || unit == kMinutes
                ? Format("%04d-%02d-%02dT%02d:%02d", f.year, f.month, f.day, f.hour, f.minute)
                : Format("%04d-%02d-%02d", f.year, f.month, f.day));
    }
    return labels;
}

}  // namespace zav
