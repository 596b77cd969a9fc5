// IntervalStatistics: the store's answer for one station/parameter pair over
// a grid, interval by interval (min, max, mean and a present flag), and how
// one interval is written in the report: "1"/"0", or the mean/"-".
// The table, the graph and the exports all take their numbers from here.
#pragma once

#include <string>
#include <vector>

#include "core/KTRTime.h"

namespace zav {

class ZAVFieldManager;

struct IntervalStatistics {
    std::vector<double> min;
    std::vector<double> max;
    std::vector<double> mean;
    std::vector<double> present;

    // GetData for the pair with `count` intervals, all 0.0 to begin with.
    // Fill reuses the arrays' storage, for callers that go row by row.
    void Fill(ZAVFieldManager& store, const std::string& station, const std::string& parameter,
              const KTRTime& start, const KTRTime& end, int unit, int every, size_t count,
              bool fillGaps);
    static IntervalStatistics Compute(ZAVFieldManager& store, const std::string& station,
                                      const std::string& parameter, const KTRTime& start,
                                      const KTRTime& end, int unit, int every, size_t count,
                                      bool fillGaps);

    bool Present(size_t i) const { return present[i] > 0.0; }
    // "1" or "0".
    std::string PresenceCell(size_t i) const { return Present(i) ? "1" : "0"; }
    // "%g" of one of the arrays, or "-" where the interval holds nothing.
    std::string ValueCell(const std::vector<double>& values, size_t i) const;
    std::string MeanCell(size_t i) const { return ValueCell(mean, i); }
};

}  // namespace zav
