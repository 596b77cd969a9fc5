#include "store/DataSource.h"

namespace zav {

DataSeries* DataSource::FindSeriesFrom(const std::string& station, const std::string& parameter,
                                       int& position) {
    const int count = static_cast<int>(series.size());
    if (position < 0 || position >= count) {
        position = 0;
    }
    for (int k = 0; k < count; ++k) {
        int i = (position + k) % count;
        if (series[i].StationName() == station && series[i].ParameterName() == parameter) {
            position = i;
            return &series[i];
        }
    }
    position = 0;
    return nullptr;
}

}  // namespace zav
