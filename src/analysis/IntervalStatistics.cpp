#include "analysis/IntervalStatistics.h"

#include "core/TextFormat.h"
#include "store/ZAVFieldManager.h"

namespace zav {

void IntervalStatistics::Fill(ZAVFieldManager& store, const std::string& station,
                              const std::string& parameter, const KTRTime& start,
                              const KTRTime& end, int unit, int every, size_t count,
                              bool fillGaps) {
    for (std::vector<double>* values : {&min, &max, &mean, &present}) {
        values->assign(count, 0.0);
    }
    store.GetData(station, parameter, start, end, unit, every, min, max, mean, present,
                  fillGaps ? 1 : 0);
}

IntervalStatistics IntervalStatistics::Compute(ZAVFieldManager& store, const std::string& station,
                                               const std::string& parameter, const KTRTime& start,
                                               const KTRTime& end, int unit, int every,
                                               size_t count, bool fillGaps) {
    IntervalStatistics s;
    s.Fill(store, station, parameter, start, end, unit, every, count, fillGaps);
    return s;
}

std::string IntervalStatistics::ValueCell(const std::vector<double>& values, size_t i) const {
    return Present(i) ? FormatG(values[i]) : std::string("-");
}

}  // namespace zav
