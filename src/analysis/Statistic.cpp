#include "analysis/Statistic.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zav {

namespace {

struct Named {
    Statistic statistic;
    const char* name;
    const char* title;
};

const Named kNamed[] = {
    {Statistic::kMinMaxMean, "min-max-mean", "Mean"},
    {Statistic::kMean, "mean", "Mean"},
    {Statistic::kMin, "min", "Min"},
    {Statistic::kMax, "max", "Max"},
    {Statistic::kCount, "count", "Count"},
    {Statistic::kSum, "sum", "Sum"},
    {Statistic::kMedian, "median", "Median"},
    {Statistic::kP10, "p10", "P10"},
    {Statistic::kP25, "p25", "P25"},
    {Statistic::kP75, "p75", "P75"},
    {Statistic::kP90, "p90", "P90"},
    {Statistic::kSd, "sd", "SD"},
    {Statistic::kCoverage, "coverage", "Coverage (%)"},
};

const Named& Find(Statistic statistic) {
    for (const Named& named : kNamed) {
        if (named.statistic == statistic) {
            return named;
        }
    }
    return kNamed[0];
}

// Compensated (Neumaier) summation: the rounding error of each addition is
// carried along and added back at the end, so a sum of many values with
// few decimals lands on the double nearest the exact sum, whatever their
// order, as other statistics packages' sums do.
double Sum(const std::vector<double>& values) {
    double sum = 0.0;
    double lost = 0.0;
    for (double v : values) {
        const double next = sum + v;
        lost += std::fabs(sum) >= std::fabs(v) ? (sum - next) + v : (v - next) + sum;
        sum = next;
    }
    const double total = sum + lost;
    // An overflow leaves the running sum infinite and the correction
    // meaningless.
    return std::isfinite(total) ? total : sum;
}

// The sum of squares about the mean, over n - 1. Two passes: the one-pass
// form loses every digit when the values sit far from zero.
std::optional<double> StandardDeviation(const std::vector<double>& values) {
    if (values.size() < 2) {
        return std::nullopt;
    }
    const double n = static_cast<double>(values.size());
    const double mean = Sum(values) / n;
    double squares = 0.0;
    for (double v : values) {
        squares += (v - mean) * (v - mean);
    }
    return std::sqrt(squares / (n - 1.0));
}

}  // namespace

std::string StatisticName(Statistic statistic) {
    return Find(statistic).name;
}

std::string StatisticTitle(Statistic statistic) {
    return Find(statistic).title;
}

std::string StatisticNames() {
    std::string names;
    for (const Named& named : kNamed) {
        names += names.empty() ? "" : "|";
        names += named.name;
    }
    return names;
}

std::optional<Statistic> StatisticFromName(const std::string& name) {
    for (const Named& named : kNamed) {
        if (name == named.name) {
            return named.statistic;
        }
    }
    return std::nullopt;
}

const std::vector<Statistic>& AllStatistics() {
    static const std::vector<Statistic> all = [] {
        std::vector<Statistic> list;
        for (const Named& named : kNamed) {
            list.push_back(named.statistic);
        }
        return list;
    }();
    return all;
}

bool DefinedWithoutValues(Statistic statistic) {
    return statistic == Statistic::kCount || statistic == Statistic::kCoverage;
}

std::optional<double> Quantile(std::vector<double>& values, double p) {
    if (values.empty()) {
        return std::nullopt;
    }
    const double h = static_cast<double>(values.size() - 1) * p;
    const size_t low = static_cast<size_t>(std::floor(h));
    auto nth = values.begin() + static_cast<std::ptrdiff_t>(low);
    std::nth_element(values.begin(), nth, values.end());
    const double below = *nth;
    const double fraction = h - static_cast<double>(low);
    if (fraction == 0.0 || low + 1 >= values.size()) {
        return below;
    }
    // After the selection everything past `nth` is at least as large, so
    // the next order statistic is the least of them.
    const double above = *std::min_element(nth + 1, values.end());
    return below + (above - below) * fraction;
}

std::optional<double> StatisticOf(Statistic statistic, std::vector<double>& values) {
    if (values.empty()) {
        return std::nullopt;
    }
    switch (statistic) {
        case Statistic::kMinMaxMean:
        case Statistic::kMean:
            return Sum(values) / static_cast<double>(values.size());
        case Statistic::kMin:
            return *std::min_element(values.begin(), values.end());
        case Statistic::kMax:
            return *std::max_element(values.begin(), values.end());
        case Statistic::kSum:
            return Sum(values);
        case Statistic::kMedian:
            return Quantile(values, 0.5);
        case Statistic::kP10:
            return Quantile(values, 0.10);
        case Statistic::kP25:
            return Quantile(values, 0.25);
        case Statistic::kP75:
            return Quantile(values, 0.75);
        case Statistic::kP90:
            return Quantile(values, 0.90);
        case Statistic::kSd:
            return StandardDeviation(values);
        case Statistic::kCount:
            return static_cast<double>(values.size());
        case Statistic::kCoverage:
            return std::nullopt;
    }
    return std::nullopt;
}

std::optional<int64_t> ParseStep(const std::string& text) {
    static const std::pair<const char*, int64_t> kUnits[] = {
        {"s", 1}, {"min", 60}, {"h", 3600}, {"d", 86400}, {"w", 604800}};
    size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
        ++digits;
    }
    if (digits == 0 || digits > 9) {
        return std::nullopt;
    }
    const int64_t count = std::stoll(text.substr(0, digits));
    for (const auto& [suffix, seconds] : kUnits) {
        if (text.compare(digits, std::string::npos, suffix) == 0 && count > 0) {
            return count * seconds;
        }
    }
    return std::nullopt;
}

}  // namespace zav
