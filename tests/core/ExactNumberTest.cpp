// The storage form of numbers over the whole range of doubles: whatever was
// written before, every finite value reads back bit for bit, with this
// program's reader and with the C library's, and values with six or fewer
// significant digits are written exactly as "%g" writes them.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "core/TextFormat.h"

namespace zav {
namespace {

uint64_t Bits(double v) {
    uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

std::string PercentG(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

// Checks the text written for `v`: it reads back bit for bit with both
// readers, and it is "%g"'s text whenever that text is exact.
::testing::AssertionResult IsExactText(double v, const std::string& text) {
    char* stop = nullptr;
    const double byLibrary = std::strtod(text.c_str(), &stop);
    const double byProgram = AtoF(text);
    const std::string g = PercentG(v);
    const bool gIsExact = Bits(std::strtod(g.c_str(), nullptr)) == Bits(v);
    if (text.empty() || text.size() >= kNumberBuffer || *stop != '\0' ||
        Bits(byLibrary) != Bits(v) || Bits(byProgram) != Bits(v) || (gIsExact && text != g)) {
        char exact[40];
        std::snprintf(exact, sizeof exact, "%.17g", v);
        return ::testing::AssertionFailure()
               << exact << " written as \"" << text << "\" (%g: \"" << g << "\")";
    }
    return ::testing::AssertionSuccess();
}

// Writes the values one after another into one buffer, with nothing else
// run between them, so that whatever a longer text left behind (in the
// buffer or in the writer's own) would show in the next; then checks each.
::testing::AssertionResult WritesExactly(const std::vector<double>& values) {
    std::vector<std::string> texts;
    texts.reserve(values.size());
    char buffer[kNumberBuffer];
    std::memset(buffer, '7', sizeof buffer);
    for (double v : values) {
        texts.emplace_back(buffer, WriteExact(buffer, v));
    }
    for (size_t i = 0; i < values.size(); ++i) {
        auto result = IsExactText(values[i], texts[i]);
        if (!result) {
            return result;
        }
    }
    return ::testing::AssertionSuccess();
}

std::vector<double> AcrossTheRange() {
    std::vector<double> values = {0.0,
                                  -0.0,
                                  std::numeric_limits<double>::denorm_min(),
                                  std::numeric_limits<double>::denorm_min() * 3,
                                  std::nextafter(DBL_MIN, 0.0),
                                  DBL_MIN,
                                  DBL_MAX,
                                  std::nextafter(DBL_MAX, 0.0),
                                  9007199254740992.0,   // 2^53
                                  9007199254740994.0,   // 2^53 + 2
                                  18014398509481988.0,  // 2^54 + 4
                                  1152921504606846976.0,
                                  9223372036854775808.0,
                                  123456789012345678901234.0,
                                  0.1 + 0.2,
                                  1.0 / 3.0};
    for (int e = -324; e <= 308; ++e) {
        for (double mantissa : {1.0, 2.5, 1.2345678, 9.99999, 9.999999999999999, 4.9406564584124654,
                                1.7976931348623157, 0.5555555555555556, 1.5}) {
            const double v = std::strtod(("1e" + std::to_string(e)).c_str(), nullptr) * mantissa;
            if (std::isfinite(v)) {
                values.push_back(v);
            }
        }
    }
    return values;
}

TEST(ExactNumbers, EveryMagnitudeReadsBackWhateverWasWrittenBefore) {
    // Each value follows a longer text, so that anything read past the end
    // of a text shows.
    std::vector<double> values;
    for (double v : AcrossTheRange()) {
        for (double sign : {1.0, -1.0}) {
            values.push_back(-1.2345678901234567e-300);
            values.push_back(sign * v);
        }
    }
    EXPECT_TRUE(WritesExactly(values));
}

TEST(ExactNumbers, TheTextsThatWereCorruptedComeOutAsPercentG) {
    const std::pair<double, const char*> cases[] = {
        {1e-10, "1e-10"},      {1e-12, "1e-12"},         {1e-15, "1e-15"}, {1e-32, "1e-32"},
        {1e20, "1e+20"},       {2.5e-12, "2.5e-12"},     {-0.0, "-0"},     {1e-300, "1e-300"},
        {1.5e300, "1.5e+300"}, {5e-324, "4.94066e-324"},
    };
    for (const auto& [value, text] : cases) {
        std::vector<double> values = {0.5555555555555556, -17.77777777777778, -0.0, value};
        EXPECT_TRUE(WritesExactly(values)) << text;
        EXPECT_EQ(FormatExact(value), text);
    }
}

TEST(ExactNumbers, RandomBitPatternsReadBack) {
    std::mt19937_64 random(20240229);
    std::vector<double> values;
    while (values.size() < 200000) {
        const uint64_t bits = random();
        double v = 0;
        std::memcpy(&v, &bits, sizeof v);
        if (std::isfinite(v)) {
            values.push_back(v);
            values.push_back(v * 1e-200);  // a short exponent after a long one
        }
    }
    EXPECT_TRUE(WritesExactly(values));
}

TEST(ExactNumbers, RandomShortDecimalsArePercentG) {
    // Decimals of one to six digits at every exponent: the texts users type.
    std::mt19937_64 random(7);
    std::uniform_int_distribution<int> digits(1, 999999);
    std::uniform_int_distribution<int> exponent(-330, 305);
    std::vector<double> values;
    while (values.size() < 100000) {
        const std::string text =
            std::to_string(digits(random)) + "e" + std::to_string(exponent(random));
        const double v = std::strtod(text.c_str(), nullptr);
        if (std::isfinite(v)) {
            values.push_back(v);
        }
    }
    EXPECT_TRUE(WritesExactly(values));
}

}  // namespace
}  // namespace zav
