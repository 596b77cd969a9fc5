#include "analysis/NumberBoxes.h"

#include <cfloat>
#include <cmath>

#include "core/TextFormat.h"

namespace zav {

const char* const kEnterNumberMessage = "Please enter a number.";
const char* const kEnterIntegerMessage = "Please enter an integer.";

namespace {
bool OnlyBlanksFrom(std::string_view text, size_t pos) {
    return TrimView(text.substr(pos)).empty();
}
}  // namespace

std::optional<float> ReadNumberBox(std::string_view text) {
    size_t pos = 0;
    double value = 0.0;
    if (!ExtractDouble(text, pos, value) || !OnlyBlanksFrom(text, pos) || !std::isfinite(value) ||
        std::fabs(value) > FLT_MAX) {
        return std::nullopt;
    }
    return static_cast<float>(value);
}

std::optional<int> ReadIntegerBox(std::string_view text) {
    size_t pos = 0;
    int value = 0;
    if (!ExtractInt(text, pos, value) || !OnlyBlanksFrom(text, pos)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace zav
