// The number routines against the C library as the model: every finite
// double written in its storage form reads back to the same bits and is the
// "%g" form whenever that form is exact; the lenient readers agree with
// strtod and strtol on any text.
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "FuzzSupport.h"
#include "core/TextFormat.h"

using namespace zav;

namespace {

bool Same(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || fuzz::SameBits(a, b);
}

std::string Printf(const char* format, double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, value);
    return buf;
}

void CheckWritten(double value) {
    if (!std::isfinite(value)) {
        return;
    }
    const std::string exact = FormatExact(value);
    const std::string where = Printf("%.17g", value) + " written as '" + exact + "'";
    ZAV_FUZZ_CHECK(exact.size() < kNumberBuffer, where);
    ZAV_FUZZ_CHECK(fuzz::SameBits(std::strtod(exact.c_str(), nullptr), value),
                   where + " reads back otherwise with strtod");
    ZAV_FUZZ_CHECK(fuzz::SameBits(AtoF(exact), value), where + " reads back otherwise with AtoF");
    ZAV_FUZZ_CHECK(fuzz::SameBits(ReadDecimal(exact), value), where + " reads back otherwise");
    char buf[kNumberBuffer];
    ZAV_FUZZ_CHECK(std::string(buf, WriteExact(buf, value)) == exact, where);
    const std::string g = Printf("%g", value);
    ZAV_FUZZ_CHECK(FormatG(value) == g,
                   where + ": display form '" + FormatG(value) + "', %g gives '" + g + "'");
    if (fuzz::SameBits(std::strtod(g.c_str(), nullptr), value)) {
        ZAV_FUZZ_CHECK(exact == g, where + ", though %g gives the exact '" + g + "'");
    }
}

// ReadDecimal's model: the longest run of the characters a plain decimal
// number is made of, read by strtod.
double DecimalModel(const std::string& text) {
    size_t i = text.find_first_not_of(" \t\r\n\v\f");
    if (i == std::string::npos) {
        return 0.0;
    }
    const size_t end = text.find_first_not_of("+-0123456789.eE", i);
    const std::string run = text.substr(i, end == std::string::npos ? end : end - i);
    return std::strtod(run.c_str(), nullptr);
}

int IntModel(const char* text) {
    errno = 0;
    const long long value = std::strtoll(text, nullptr, 10);
    if (value > INT_MAX || (errno == ERANGE && value > 0)) {
        return INT_MAX;
    }
    if (value < INT_MIN || (errno == ERANGE && value < 0)) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

void CheckRead(const std::string& text) {
    // The C library sees the text up to its first NUL; so does the model.
    const std::string c(text.c_str());
    char* end = nullptr;
    const double model = std::strtod(c.c_str(), &end);
    const std::string where = "text '" + c + "'";
    ZAV_FUZZ_CHECK(Same(AtoF(c), model), where + ": AtoF " + Printf("%.17g", AtoF(c)) +
                                             ", strtod " + Printf("%.17g", model));
    size_t pos = 0;
    double extracted = 0.0;
    const bool read = ExtractDouble(c, pos, extracted);
    ZAV_FUZZ_CHECK(read == (end != c.c_str()), where + ": ExtractDouble found a number or not");
    if (read) {
        ZAV_FUZZ_CHECK(Same(extracted, model) && pos == static_cast<size_t>(end - c.c_str()),
                       where + ": ExtractDouble");
    }
    ZAV_FUZZ_CHECK(Same(ReadDecimal(c), DecimalModel(c)),
                   where + ": ReadDecimal " + Printf("%.17g", ReadDecimal(c)) + ", model " +
                       Printf("%.17g", DecimalModel(c)));
    ZAV_FUZZ_CHECK(AtoI(c) == IntModel(c.c_str()), where + ": AtoI " + std::to_string(AtoI(c)) +
                                                       ", strtoll " +
                                                       std::to_string(IntModel(c.c_str())));
    pos = 0;
    int whole = 0;
    errno = 0;
    const long long wide = std::strtoll(c.c_str(), &end, 10);
    const bool inRange = errno != ERANGE && wide >= INT_MIN && wide <= INT_MAX;
    const bool modelRead = end != c.c_str() && inRange;
    ZAV_FUZZ_CHECK(ExtractInt(c, pos, whole) == modelRead, where + ": ExtractInt");
    if (modelRead) {
        ZAV_FUZZ_CHECK(whole == wide && pos == static_cast<size_t>(end - c.c_str()),
                       where + ": ExtractInt");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 0 && data[0] % 2 == 0) {
        // Whole doubles from the bytes, eight at a time.
        for (size_t i = 1; i + sizeof(double) <= size; i += sizeof(double)) {
            double value = 0.0;
            std::memcpy(&value, data + i, sizeof value);
            CheckWritten(value);
        }
        return 0;
    }
    // A number is never longer than a line; the reader copies at most that.
    if (size > 1 && size <= 512) {
        CheckRead(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    }
    return 0;
}
