// Column labels of the report table, one per interval of the grid, also used
// by the graph and the export: the interval's grid point written in the
// form its unit calls for ("7/1995", "7/14/1995", " 7/14/1995  3:00:00").
#pragma once

#include <string>
#include <vector>

#include "core/IntervalGrid.h"
#include "core/KTRTime.h"

namespace zav {

std::string IntervalLabel(const KTRTime& point, int unit);
std::vector<std::string> IntervalLabels(const IntervalGrid& grid, int unit);

// Machine-readable labels: the first instant of each interval in ISO 8601,
// "1995-07-14" for units of a day or longer, "1995-07-14T03:00" for hours
// and minutes. Unlike the labels above they name where an interval clipped
// by the span really begins.
std::vector<std::string> IsoIntervalStarts(const IntervalGrid& grid, int unit);

}  // namespace zav
