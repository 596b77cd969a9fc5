// GraphAxes: where a graph's axes put their ticks and which labels they
// show, and which of a long series' points a drawing of a given width
// needs. Worked out without drawing, so the desktop, zav-cli plot and the
// tests all place the same ticks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zav {

struct AxisTick {
    double at = 0.0;  // a value, or an instant in seconds on the civil time line
    std::string label;
};

// Ticks at round values (1, 2, 2.5 or 5 times a power of ten) inside
// [low, high], at most `maxTicks` intervals apart from each other; the
// labels carry as many decimals as the step needs and no more. Nothing for
// a range that is empty or not finite.
std::vector<AxisTick> ValueTicks(double low, double high, int maxTicks);

// The round step ValueTicks uses for `span` cut into at most `maxTicks`.
double RoundStep(double span, int maxTicks);

// Ticks at calendar-round times inside [first, last] (instants in seconds):
// whole seconds, minutes, hours, days, months or years, the finest step that
// gives at most `maxTicks` ticks. Labels: "1995" for years, "7/1995" for
// months, "7/14/1995" for days, "15:30" within a day (the date at midnight)
// and "15:30:20" for seconds.
std::vector<AxisTick> TimeTicks(double first, double last, int maxTicks);

// The smallest k such that labels 0, k, 2k, ... of the given centres and
// widths (in pixels, centres ascending) leave at least `gap` pixels between
// neighbours. 1 when all fit; labels.size() at worst (the first alone).
size_t LabelStepToFit(const std::vector<double>& centres, const std::vector<double>& widths,
                      double gap);

// The points of a series (x ascending) that a drawing `columns` pixels wide
// over [x0, x1] needs to look the same as drawing all: in each column the
// first, the lowest, the highest and the last point, in x order, and the
// nearest point beyond each end so that lines leave the plot as they
// should. Returns their indices, ascending. Each point is looked at once.
std::vector<size_t> DecimateMinMax(const std::vector<double>& x, const std::vector<double>& y,
                                   double x0, double x1, int columns);

// "7/14/1995 15:30:20", the cursor readout of an instant.
std::string InstantText(double instant);

}  // namespace zav
