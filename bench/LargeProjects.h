// Deterministic generator of large projects for the benchmarks: many
// stations with regularly spaced points and realistic, short values.
#pragma once

#include <string>

#include "store/ZAVFieldManager.h"

namespace zav::bench {

struct LargeProjectShape {
    int stations = 100;
    int pointsPerSeries = 10000;
    int stepSeconds = 3600;  // hourly
    unsigned seed = 1;
};

// Fills `store` with one source holding one series per station (parameter
// "Flow", units "cfs"), every 50th point masked.
void FillLargeStore(ZAVFieldManager& store, const LargeProjectShape& shape);

// Writes such a project to `path`; returns its size in bytes.
size_t WriteLargeProject(const std::string& path, const LargeProjectShape& shape);

}  // namespace zav::bench
