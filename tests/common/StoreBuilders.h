// Small builders of series and sources for the tests of every layer.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "store/DataSource.h"

namespace zav::test {

inline DataSeries MakeSeries(const std::string& station, const std::string& parameter,
                             const std::string& units,
                             const std::vector<std::pair<KTRTime, double>>& points = {}) {
    DataSeries s;
    s.SetStationName(station);
    s.SetParameterName(parameter);
    s.SetUnits(units);
    for (const auto& [time, value] : points) {
        s.InsertPoint(time, value, 0);
    }
    return s;
}

inline DataSource MakeSource(const std::string& fileName, std::vector<DataSeries> series) {
    DataSource source;
    source.fileName = fileName;
    source.series = std::move(series);
    return source;
}

}  // namespace zav::test
