// DataSource: what one read of one input produced, its file name (empty for
// data entered by hand or pasted) and its series in the order they were met.
#pragma once

#include <string>
#include <vector>

#include "store/DataSeries.h"

namespace zav {

class DataSource {
public:
    std::string fileName;
    std::vector<DataSeries> series;

    // The series with exactly this station and parameter, searched from
    // `position` to the end and then from the start; `position` is left at
    // its index, or set to 0 when there is none. Importers keep the position
    // between calls so that runs of values for one series cost nothing.
    DataSeries* FindSeriesFrom(const std::string& station, const std::string& parameter,
                               int& position);
};

}  // namespace zav
