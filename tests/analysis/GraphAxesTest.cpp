// Axis ticks, label thinning and the per-column decimation of long series.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "analysis/GraphAxes.h"
#include "core/KTRTime.h"

namespace zav {
namespace {

using Texts = std::vector<std::string>;

Texts Labels(const std::vector<AxisTick>& ticks) {
    Texts out;
    for (const AxisTick& t : ticks) {
        out.push_back(t.label);
    }
    return out;
}

double At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return static_cast<double>(KTRTime(year, month, day, hour, minute, second).Instant());
}

TEST(ValueTicks, StandAtRoundValues) {
    struct Case {
        double low, high;
        int maxTicks;
        Texts labels;
    } cases[] = {
        {0, 12.27, 5, {"0.0", "2.5", "5.0", "7.5", "10.0"}},  // was 0, 2.454, 4.908 ...
        {0, 10, 5, {"0", "2", "4", "6", "8", "10"}},
        {0, 1, 5, {"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}},
        {-3, 7, 5, {"-2", "0", "2", "4", "6"}},
        {0.013, 0.0172, 4, {"0.014", "0.016"}},
        {0.013, 0.0172, 5, {"0.013", "0.014", "0.015", "0.016", "0.017"}},
        {1000, 5000, 4, {"1000", "2000", "3000", "4000", "5000"}},
        {-0.5, 0.5, 4, {"-0.50", "-0.25", "0.00", "0.25", "0.50"}},
        {0, 5e7, 5, {"0", "1e+07", "2e+07", "3e+07", "4e+07", "5e+07"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Labels(ValueTicks(c.low, c.high, c.maxTicks)), c.labels)
            << c.low << " to " << c.high;
    }
}

TEST(ValueTicks, StepIsOneTwoTwoAndAHalfOrFiveTimesAPowerOfTen) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> exponent(-6, 8);
    for (int i = 0; i < 500; ++i) {
        const double span = std::pow(10.0, exponent(random));
        const double step = RoundStep(span, 5);
        const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-12));
        const bool round = std::fabs(mantissa - 1) < 1e-9 || std::fabs(mantissa - 2) < 1e-9 ||
                           std::fabs(mantissa - 2.5) < 1e-9 || std::fabs(mantissa - 5) < 1e-9;
        EXPECT_TRUE(round) << span << " gave " << step;
        EXPECT_LE(span / step, 5 + 1e-9);
        EXPECT_GT(span / step, 1.0);
    }
}

TEST(ValueTicks, NothingForAnEmptyOrBrokenRange) {
    EXPECT_TRUE(ValueTicks(3, 3, 5).empty());
    EXPECT_TRUE(ValueTicks(5, 3, 5).empty());
    EXPECT_TRUE(ValueTicks(0, NAN, 5).empty());
    EXPECT_TRUE(ValueTicks(0, INFINITY, 5).empty());
}

TEST(TimeTicks, TakeTheFinestCalendarStepThatFits) {
    struct Case {
        const char* what;
        double first, last;
        int maxTicks;
        Texts labels;
    } cases[] = {
        {"years", At(1990, 3, 1), At(1995, 12, 31), 8, {"1991", "1992", "1993", "1994", "1995"}},
        {"decades", At(1901, 1, 1), At(1999, 1, 1), 6, {"1920", "1940", "1960", "1980"}},
        {"quarters", At(1995, 1, 15), At(1995, 12, 31), 4, {"4/1995", "7/1995", "10/1995"}},
        {"months across a year end",
         At(1995, 11, 2),
         At(1996, 2, 20),
         6,
         {"12/1995", "1/1996", "2/1996"}},
        {"days",
         At(1995, 2, 27),
         At(1995, 3, 2, 12),
         5,
         {"2/27/1995", "2/28/1995", "3/1/1995", "3/2/1995"}},
        {"hours over midnight",
         At(1995, 7, 14, 18),
         At(1995, 7, 15, 6),
         3,
         {"18:00", "7/15/1995", "06:00"}},
        {"minutes",
         At(1995, 7, 14, 3, 4),
         At(1995, 7, 14, 3, 21),
         4,
         {"03:05", "03:10", "03:15", "03:20"}},
        {"seconds",
         At(1995, 7, 14, 3, 4, 1),
         At(1995, 7, 14, 3, 4, 9),
         4,
         {"03:04:02", "03:04:04", "03:04:06", "03:04:08"}},
    };
    for (const Case& c : cases) {
        std::vector<AxisTick> ticks = TimeTicks(c.first, c.last, c.maxTicks);
        EXPECT_EQ(Labels(ticks), c.labels) << c.what;
        for (const AxisTick& t : ticks) {
            EXPECT_GE(t.at, c.first) << c.what;
            EXPECT_LE(t.at, c.last) << c.what;
        }
    }
}

TEST(TimeTicks, NeverMoreThanAskedForOverAnySpan) {
    const double start = At(1970, 1, 1);
    for (double span : {10.0, 700.0, 5e4, 9e5, 3e7, 4e8, 5e10}) {
        for (int maxTicks : {2, 5, 12}) {
            const size_t n = TimeTicks(start, start + span, maxTicks).size();
            EXPECT_LE(n, static_cast<size_t>(maxTicks)) << span;
            EXPECT_GE(n, 1u) << span;
        }
    }
}

TEST(LabelStepToFit, ThinsToEveryKthLabelThatLeavesRoom) {
    const std::vector<double> centres = {0, 10, 20, 30, 40, 50, 60};
    EXPECT_EQ(LabelStepToFit(centres, std::vector<double>(7, 8), 2), 1u);
    EXPECT_EQ(LabelStepToFit(centres, std::vector<double>(7, 12), 2), 2u);
    EXPECT_EQ(LabelStepToFit(centres, std::vector<double>(7, 25), 2), 3u);
    // Wider than the whole axis: the first alone.
    EXPECT_EQ(LabelStepToFit(centres, std::vector<double>(7, 500), 2), 7u);
    EXPECT_EQ(LabelStepToFit({}, {}, 2), 1u);
}

// Every column's lowest and highest point survive, with the points beside
// the window, and the kept points are few.
TEST(DecimateMinMax, KeepsEveryColumnsExtremes) {
    std::mt19937 random(11);
    std::normal_distribution<double> noise(0, 1);
    std::vector<double> x, y;
    double level = 0;
    for (int i = 0; i < 200000; ++i) {
        x.push_back(i * 0.37);
        level += noise(random);
        y.push_back(i % 9973 == 0 ? 1e6 : level);  // rare spikes must all show
    }
    const double x0 = 1000, x1 = 60000;
    const int columns = 640;
    const std::vector<size_t> kept = DecimateMinMax(x, y, x0, x1, columns);
    ASSERT_FALSE(kept.empty());
    EXPECT_TRUE(std::is_sorted(kept.begin(), kept.end()));
    EXPECT_LE(kept.size(), 4u * columns + 2);
    EXPECT_LT(x[kept.front()], x0);
    EXPECT_GT(x[kept.back()], x1);
    std::vector<double> low(columns, INFINITY), high(columns, -INFINITY);
    for (size_t i = 0; i < x.size(); ++i) {
        if (x[i] < x0 || x[i] > x1) {
            continue;
        }
        const int c = std::min(columns - 1, static_cast<int>((x[i] - x0) / (x1 - x0) * columns));
        low[c] = std::min(low[c], y[i]);
        high[c] = std::max(high[c], y[i]);
    }
    std::vector<double> keptLow(columns, INFINITY), keptHigh(columns, -INFINITY);
    for (size_t k : kept) {
        if (x[k] < x0 || x[k] > x1) {
            continue;
        }
        const int c = std::min(columns - 1, static_cast<int>((x[k] - x0) / (x1 - x0) * columns));
        keptLow[c] = std::min(keptLow[c], y[k]);
        keptHigh[c] = std::max(keptHigh[c], y[k]);
    }
    EXPECT_EQ(keptLow, low);
    EXPECT_EQ(keptHigh, high);
}

TEST(DecimateMinMax, FewPointsAreAllKept) {
    const std::vector<double> x = {1, 2, 3, 4, 5};
    const std::vector<double> y = {5, 1, 4, 2, 3};
    EXPECT_EQ(DecimateMinMax(x, y, 0, 10, 100), (std::vector<size_t>{0, 1, 2, 3, 4}));
    // A window between points still reaches its neighbours on both sides.
    EXPECT_EQ(DecimateMinMax(x, y, 2.2, 2.8, 100), (std::vector<size_t>{1, 2}));
    EXPECT_TRUE(DecimateMinMax(x, y, 5, 5, 100).empty());
    EXPECT_TRUE(DecimateMinMax({}, {}, 0, 1, 100).empty());
}

}  // namespace
}  // namespace zav
