// How a stored value becomes the value a report uses: the series' own
// multiplier and offset, then its units record's. Shared by the store's
// scans; not for use outside the store.
#pragma once

#include <cmath>

#include "store/DataSeries.h"
#include "store/IndexRecords.h"

namespace zav {

// ((v x series multiplier) + series offset) x units multiplier + units offset,
// in that order so results do not depend on how the factors are grouped.
struct Conversion {
    double multiplier;
    double offset;
    double unitsMultiplier;
    double unitsOffset;

    double operator()(double v) const {
        return ((v * multiplier) + offset) * unitsMultiplier + unitsOffset;
    }
};

inline Conversion ConversionOf(const DataSeries& series, const UnitsRecord* units) {
    return {series.Multiplier(), series.Offset(), units ? units->multiplier : 1.0,
            units ? units->offset : 0.0};
}

// A converted value that is no finite number (a stored NaN, or a scaling
// that overflows: 1e308 x 10) is no value at all: it counts as missing, so
// that nothing it would turn into nonsense ever reaches a report or graph.
inline bool IsValue(double v) {
    return std::isfinite(v);
}

}  // namespace zav
