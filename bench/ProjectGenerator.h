// A deterministic generator of large synthetic projects for the benchmarks:
// hourly series with a daily cycle, noise from a fixed-seed generator and an
// occasional masked point, and the same data as a CSV file for comparisons
// with other tools. The same arguments always give the same bytes.
#pragma once

#include <string>

#include "store/ZAVFieldManager.h"

namespace zav::bench {

struct ProjectShape {
    int stations = 100;
    int pointsPerStation = 100000;
    int startYear = 1990;  // hourly from 1 January, 00:00:00
    int maskEvery = 97;    // every 97th point of a series is masked
};

// Station names are "S001", "S002", ...; every series is parameter "DO" in
// "mg/l".
std::string StationName(int index);

// Fills `store` (which should be empty) with one source of the shape's series.
void FillStore(ZAVFieldManager& store, const ProjectShape& shape);

// The project file text, as the program saves it.
std::string ProjectText(const ProjectShape& shape);

// "station,time,value,mask" with times as YYYY-MM-DD hh:mm:ss.
std::string CsvText(const ZAVFieldManager& store);

}  // namespace zav::bench
