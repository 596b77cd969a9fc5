#include "analysis/IntervalStatistics.h"

#include "core/TextFormat.h"
#include "store/ZAVFieldManager.h"

namespace zav {

IntervalStatistics IntervalStatistics::Compute(ZAVFieldManager& store, const std::string& station,
                                               const std::string& parameter, const KTRTime& start,
                                               const KTRTime& end, int unit, int every,
                                               size_t count, bool fillGaps) {
    IntervalStatistics s;
    s.min.assign(count, 0.0);
    s.max.assign(count, 0.0);
    s.mean.assign(count, 0.0);
    s.present.assign(count, 0.0);
    store.GetData(station, parameter, start, end, unit, every, s.min, s.max, s.mean, s.present,
                  fillGaps ? 1 : 0);
    return s;
}

std::string IntervalStatistics::ValueCell(const std::vector<double>& values, size_t i) const {
    return Present(i) ? FormatG(values[i]) : std::string("-");
}

}  // namespace zav
