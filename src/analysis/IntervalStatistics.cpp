#include "analysis/IntervalStatistics.h"

#include <algorithm>

#include "core/IntervalGrid.h"
#include "core/TextFormat.h"
#include "store/ZAVFieldManager.h"

namespace zav {

void IntervalStatistics::Fill(ZAVFieldManager& store, const std::string& station,
                              const std::string& parameter, const KTRTime& start,
                              const KTRTime& end, int unit, int every, size_t count,
                              bool fillGaps) {
    // GetData writes all four arrays for every interval of its grid when a
    // series takes part, so only what it leaves alone is cleared here: the
    // slots past its grid, or everything when nothing took part. Rows of a
    // table reuse the storage without clearing it each time.
    std::vector<double>* arrays[4] = {&min, &max, &mean, &present};
    for (std::vector<double>* values : arrays) {
        values->resize(count);
    }
    const size_t written = std::min(count, static_cast<size_t>(IntervalGrid::IntervalCount(
                                               start.UnitsBetween(end, unit), every)));
    const bool answered = store.GetData(station, parameter, start, end, unit, every, min, max, mean,
                                        present, fillGaps ? 1 : 0) != 0;
    for (std::vector<double>* values : arrays) {
        std::fill(values->begin() + static_cast<std::ptrdiff_t>(answered ? written : 0),
                  values->end(), 0.0);
    }
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
