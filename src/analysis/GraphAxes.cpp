#include "analysis/GraphAxes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "core/KTRTime.h"

namespace zav {

namespace {

constexpr int64_t kMinute = 60;
constexpr int64_t kHour = 3600;
constexpr int64_t kDay = 86400;

std::string Printed(const char* format, double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, format, decimals, value);
    return text;
}

// A tick value as text: fixed with the step's decimals, or in exponent form
// where fixed would be very long.
std::string TickLabel(double value, double step) {
    if (std::fabs(value) < step * 1e-9) {
        value = 0.0;  // no "-0" and no 1e-17 where the ticks cross zero
    }
    const double magnitude = std::max(std::fabs(value), step);
    if (magnitude >= 1e7 || step < 1e-5) {
        return Printed("%.*g", value, 6);
    }
    // Decimals for the step's own digits: 0.25 needs two, 0.5 one.
    int decimals = 0;
    while (decimals < 9 && std::fabs(step * std::pow(10.0, decimals) -
                                     std::round(step * std::pow(10.0, decimals))) > 1e-6) {
        ++decimals;
    }
    return Printed("%.*f", value, decimals);
}

// One candidate step of a time axis.
enum class TimeUnit { kSeconds, kDays, kMonths, kYears };
struct TimeStep {
    TimeUnit unit;
    int64_t count;  // seconds for kSeconds
    double approxSeconds;
};

const TimeStep kTimeSteps[] = {
    {TimeUnit::kSeconds, 1, 1},
    {TimeUnit::kSeconds, 2, 2},
    {TimeUnit::kSeconds, 5, 5},
    {TimeUnit::kSeconds, 10, 10},
    {TimeUnit::kSeconds, 15, 15},
    {TimeUnit::kSeconds, 30, 30},
    {TimeUnit::kSeconds, kMinute, kMinute},
    {TimeUnit::kSeconds, 2 * kMinute, 2 * kMinute},
    {TimeUnit::kSeconds, 5 * kMinute, 5 * kMinute},
    {TimeUnit::kSeconds, 10 * kMinute, 10 * kMinute},
    {TimeUnit::kSeconds, 15 * kMinute, 15 * kMinute},
    {TimeUnit::kSeconds, 30 * kMinute, 30 * kMinute},
    {TimeUnit::kSeconds, kHour, kHour},
    {TimeUnit::kSeconds, 2 * kHour, 2 * kHour},
    {TimeUnit::kSeconds, 3 * kHour, 3 * kHour},
    {TimeUnit::kSeconds, 6 * kHour, 6 * kHour},
    {TimeUnit::kSeconds, 12 * kHour, 12 * kHour},
    {TimeUnit::kDays, 1, kDay},
    {TimeUnit::kDays, 2, 2 * kDay},
    {TimeUnit::kDays, 7, 7 * kDay},
    {TimeUnit::kDays, 14, 14 * kDay},
    {TimeUnit::kMonths, 1, 30.44 * kDay},
    {TimeUnit::kMonths, 2, 60.88 * kDay},
    {TimeUnit::kMonths, 3, 91.3 * kDay},
    {TimeUnit::kMonths, 6, 182.6 * kDay},
    {TimeUnit::kYears, 1, 365.25 * kDay},
    {TimeUnit::kYears, 2, 730.5 * kDay},
    {TimeUnit::kYears, 5, 1826 * kDay},
    {TimeUnit::kYears, 10, 3652 * kDay},
    {TimeUnit::kYears, 20, 7305 * kDay},
    {TimeUnit::kYears, 50, 18262 * kDay},
    {TimeUnit::kYears, 100, 36524 * kDay},
    {TimeUnit::kYears, 200, 73048 * kDay},
    {TimeUnit::kYears, 500, 182621 * kDay},
    {TimeUnit::kYears, 1000, 365242 * kDay},
};

int64_t FloorDiv(int64_t a, int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

std::string DateLabel(const CalendarFields& f) {
    return std::to_string(f.month) + "/" + std::to_string(f.day) + "/" + std::to_string(f.year);
}

std::string TimeLabel(int64_t instant, const TimeStep& step) {
    const CalendarFields f = KTRTime::FromInstant(instant).Fields();
    char text[32];
    switch (step.unit) {
        case TimeUnit::kYears:
            return std::to_string(f.year);
        case TimeUnit::kMonths:
            return std::to_string(f.month) + "/" + std::to_string(f.year);
        case TimeUnit::kDays:
            return DateLabel(f);
        case TimeUnit::kSeconds:
            break;
    }
    if (f.hour == 0 && f.minute == 0 && f.second == 0) {
        return DateLabel(f);  // each new day says which it is
    }
    if (step.count < kMinute) {
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", f.hour, f.minute, f.second);
    } else {
        std::snprintf(text, sizeof text, "%02d:%02d", f.hour, f.minute);
    }
    return text;
}

// The instants of the ticks of `step` from the first at or after `first`
// up to `last`.
std::vector<int64_t> StepInstants(int64_t first, int64_t last, const TimeStep& step) {
    std::vector<int64_t> out;
    if (step.unit == TimeUnit::kSeconds || step.unit == TimeUnit::kDays) {
        const int64_t size = step.unit == TimeUnit::kDays ? step.count * kDay : step.count;
        for (int64_t t = FloorDiv(first + size - 1, size) * size; t <= last; t += size) {
            out.push_back(t);
        }
        return out;
    }
    const CalendarFields f = KTRTime::FromInstant(first).Fields();
    const int64_t months = step.unit == TimeUnit::kYears ? 12 * step.count : step.count;
    // Months counted from year 0, stepping from a multiple of the step.
    int64_t index = static_cast<int64_t>(f.year) * 12 + (f.month - 1);
    index = FloorDiv(index + months - 1, months) * months;
    for (;; index += months) {
        const int year = static_cast<int>(FloorDiv(index, 12));
        const int month = static_cast<int>(index - int64_t{year} * 12) + 1;
        const KTRTime t(year, month, 1, 0, 0, 0);
        if (!t.IsValid() || t.Instant() > last) {
            break;
        }
        if (t.Instant() >= first) {
            out.push_back(t.Instant());
        }
    }
    return out;
}

}  // namespace

double RoundStep(double span, int maxTicks) {
    if (!(span > 0.0) || !std::isfinite(span) || maxTicks < 1) {
        return 0.0;
    }
    const double raw = span / maxTicks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        // A little slack, so that 0..10 in 5 takes 2 and not 2.5.
        if (m * power >= raw * (1.0 - 1e-9)) {
            return m * power;
        }
    }
    return 10.0 * power;
}

std::vector<AxisTick> ValueTicks(double low, double high, int maxTicks) {
    std::vector<AxisTick> ticks;
    const double step = RoundStep(high - low, maxTicks);
    if (step <= 0.0) {
        return ticks;
    }
    const double slack = step * 1e-9;
    const double first = std::ceil((low - slack) / step);
    for (double k = first; k * step <= high + slack; k += 1.0) {
        const double at = k * step;
        ticks.push_back({at, TickLabel(at, step)});
    }
    return ticks;
}

std::vector<AxisTick> TimeTicks(double first, double last, int maxTicks) {
    std::vector<AxisTick> ticks;
    if (!(last > first) || !std::isfinite(first) || !std::isfinite(last) || maxTicks < 1) {
        return ticks;
    }
    const int64_t from = static_cast<int64_t>(std::ceil(first));
    const int64_t to = static_cast<int64_t>(std::floor(last));
    for (const TimeStep& step : kTimeSteps) {
        if ((last - first) / step.approxSeconds > maxTicks + 1) {
            continue;
        }
        std::vector<int64_t> instants = StepInstants(from, to, step);
        if (static_cast<int>(instants.size()) > maxTicks && &step != std::end(kTimeSteps) - 1) {
            continue;
        }
        for (int64_t t : instants) {
            ticks.push_back({static_cast<double>(t), TimeLabel(t, step)});
        }
        break;
    }
    return ticks;
}

size_t LabelStepToFit(const std::vector<double>& centres, const std::vector<double>& widths,
                      double gap) {
    const size_t n = std::min(centres.size(), widths.size());
    for (size_t k = 1; k < n; ++k) {
        bool fits = true;
        for (size_t i = k; i < n && fits; i += k) {
            const double room = centres[i] - centres[i - k];
            fits = room >= (widths[i] + widths[i - k]) / 2.0 + gap;
        }
        if (fits) {
            return k;
        }
    }
    return std::max<size_t>(n, 1);
}

std::vector<size_t> DecimateMinMax(const std::vector<double>& x, const std::vector<double>& y,
                                   double x0, double x1, int columns) {
    std::vector<size_t> kept;
    const size_t n = std::min(x.size(), y.size());
    if (n == 0 || columns < 1 || !(x1 > x0)) {
        return kept;
    }
    size_t i = static_cast<size_t>(std::lower_bound(x.begin(), x.begin() + n, x0) - x.begin());
    const size_t end =
        static_cast<size_t>(std::upper_bound(x.begin(), x.begin() + n, x1) - x.begin());
    kept.reserve(4 * static_cast<size_t>(columns) + 2);
    if (i > 0) {
        kept.push_back(i - 1);
    }
    const double perColumn = columns / (x1 - x0);
    const double* xs = x.data();
    const double* ys = y.data();
    while (i < end) {
        // The points of one column: those before the column's right edge
        // (the last column takes everything up to x1).
        const double column = std::min(std::floor((xs[i] - x0) * perColumn), columns - 1.0);
        const double edge = column + 1.0 >= columns ? std::numeric_limits<double>::infinity()
                                                    : x0 + (column + 1.0) / perColumn;
        const size_t first = i;
        size_t low = i, high = i;
        double lowest = ys[i], highest = ys[i];
        for (++i; i < end && xs[i] < edge; ++i) {
            const double v = ys[i];
            if (v < lowest) {
                lowest = v;
                low = i;
            }
            if (v > highest) {
                highest = v;
                high = i;
            }
        }
        const size_t last = i - 1;
        size_t four[] = {first, std::min(low, high), std::max(low, high), last};
        for (size_t k : four) {
            if (kept.empty() || kept.back() != k) {
                kept.push_back(k);
            }
        }
    }
    if (end < n) {
        kept.push_back(end);
    }
    return kept;
}

std::string InstantText(double instant) {
    return KTRTime::FromInstant(static_cast<int64_t>(std::floor(instant))).ToText();
}

}  // namespace zav
