#include "core/GapFilling.h"

#include <algorithm>
#include <cmath>

namespace zav {

namespace {

// The point `step` of `steps` of the way from `from` to `to`. Two values of
// opposite sign near the ends of the range have a difference that
// overflows; weighting each end then keeps within them.
double Between(double from, double to, double step, double steps) {
    const double v = from + (to - from) * step / steps;
    if (std::isfinite(v)) {
        return v;
    }
    const double t = step / steps;
    return std::clamp(from * (1.0 - t) + to * t, std::min(from, to), std::max(from, to));
}

}  // namespace

void FillGaps(const std::vector<std::vector<double>*>& columns, std::vector<double>& present,
              size_t count, const GapFillOptions& options, std::vector<char>* filled) {
    if (filled) {
        filled->assign(count, 0);
    }
    // Nothing in the span: there is nothing to draw a line from or to, and
    // a row of made-up values would look like data.
    if (std::none_of(present.begin(), present.begin() + static_cast<std::ptrdiff_t>(count),
                     [](double p) { return p > 0.0; })) {
        return;
    }
    for (size_t i = 0; i < count; ++i) {
        if (present[i] != 0.0) {
            continue;
        }
        size_t j = i + 1;
        while (j < count && !(present[j] > 0.0)) {
            ++j;
        }
        const bool tooLong = options.longestRun > 0 && j - i > options.longestRun;
        // A run at the start without a value before the span stays empty.
        if (tooLong || (i == 0 && !options.leading)) {
            i = j - 1;
            continue;
        }
        const double steps = static_cast<double>(j - i + 1);
        for (std::vector<double>* column : columns) {
            std::vector<double>& v = *column;
            const double from = i > 0 ? v[i - 1] : *options.leading;
            const double to = j < count ? v[j] : from;
            for (size_t k = i; k < j; ++k) {
                v[k] = Between(from, to, static_cast<double>(k - i + 1), steps);
            }
        }
        for (size_t k = i; k < j; ++k) {
            present[k] = 1.0;
            if (filled) {
                (*filled)[k] = 1;
            }
        }
    }
}

}  // namespace zav
