// Deterministic synthetic agency files for the import benchmarks: a MOLVAN
// export of many stations with seven values per line, and a PELLIDOR report
// of many station-years. The same arguments always give the same text.
#pragma once

#include <string>

namespace zav::bench {

// `stations` stations with `linesPerStation` hourly lines each (seven
// values per line, a few of them -9). With `interleaved` the lines go time
// by time through all stations instead of station by station.
std::string MolvanText(int stations, int linesPerStation, bool interleaved = false);

// One block per station, parameter and water year: `stations` stations,
// two parameters, `waterYears` water years from 1990 on.
std::string PellidorText(int stations, int waterYears);

}  // namespace zav::bench
