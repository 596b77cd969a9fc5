// Filling intervals without values by straight lines between their
// neighbours, the rule of "Fill missing data using interpolation". The
// store fills the report's min, max and mean with it; the statistics of
// the summaries fill their one value the same way, with a limit on the
// longest run filled and a record of which intervals were filled.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace zav {

struct GapFillOptions {
    // Stands before interval 0 when a run starts there; without it that run
    // stays empty.
    std::optional<double> leading;
    // Runs longer than this many intervals stay empty; 0 fills every run.
    size_t longestRun = 0;
};

// Fills every run of intervals whose `present` flag is 0 in each of
// `columns` (all of `count` intervals) and sets their flag to 1. A run
// between two intervals with values follows the straight line from the one
// before to the one after, by interval number; a run at the end stays at the
// last value. A span without any value is left as it is. `filled`, when
// given, gets 1 for each interval filled and 0 for the others.
void FillGaps(const std::vector<std::vector<double>*>& columns, std::vector<double>& present,
              size_t count, const GapFillOptions& options, std::vector<char>* filled = nullptr);

}  // namespace zav
