#include "core/TextFormat.h"

#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace zav {

namespace {

// std::from_chars covers the common decimal forms without locale or
// allocation; strtod stays the reference for the rare forms it does not take
// (a leading '+', hexadecimal, "infinity" spelled out and the like).
bool ParseDoubleAt(const char* first, const char* last, double& value, const char*& end) {
    if (ReadPlainDecimal(first, last, value, end)) {
        return true;
    }
    const char* p = first;
    bool plainDecimal = false;
    if (p < last) {
        const char* q = (*p == '-') ? p + 1 : p;
        if (q < last && ((*q >= '0' && *q <= '9') || *q == '.')) {
            plainDecimal = !(q + 1 < last && q[0] == '0' && (q[1] == 'x' || q[1] == 'X'));
        }
    }
    if (plainDecimal) {
        auto result = std::from_chars(p, last, value);
        if (result.ec == std::errc()) {
            end = result.ptr;
            return true;
        }
        if (result.ec == std::errc::result_out_of_range) {
            // strtod gives +-HUGE_VAL or a denormal/zero here; keep its answer.
        } else {
            return false;
        }
    }
    // A bounded copy: strtod needs a terminated string, and a number is never
    // longer than a line. Counted as a length: a pointer 512 past a short
    // text (or past the null of an empty one) is undefined.
    std::string copy(first, std::min<size_t>(static_cast<size_t>(last - first), 512));
    char* stop = nullptr;
    errno = 0;
    value = std::strtod(copy.c_str(), &stop);
    if (stop == copy.c_str()) {
        return false;
    }
    end = first + (stop - copy.c_str());
    return true;
}

}  // namespace

bool ReadPlainDecimal(const char* first, const char* last, double& value, const char*& end) {
    static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const bool negative = first < last && *first == '-';
    const char* p = negative ? first + 1 : first;
    uint64_t digits = 0;
    size_t count = 0;
    const char* point = nullptr;
    for (; p < last; ++p) {
        if (*p >= '0' && *p <= '9') {
            if (++count > 19) {
                return false;
            }
            digits = digits * 10 + static_cast<uint64_t>(*p - '0');
        } else if (*p == '.' && point == nullptr) {
            point = p;
        } else {
            break;
        }
    }
    if (p < last && (*p == 'e' || *p == 'E' || *p == 'x' || *p == 'X')) {
        return false;  // an exponent or a hexadecimal number: the full reading decides
    }
    const size_t places = point == nullptr ? 0 : static_cast<size_t>(p - point - 1);
    if (count == 0 || digits > (uint64_t{1} << 53) || places > 22) {
        return false;
    }
    const double magnitude = static_cast<double>(digits) / kPowersOfTen[places];
    value = negative ? -magnitude : magnitude;
    end = p;
    return true;
}

void AppendG(std::string& out, double value) {
    char buf[64];
    auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 6);
    out.append(buf, result.ptr);
}

std::string FormatG(double value) {
    std::string out;
    AppendG(out, value);
    return out;
}

namespace {

// "%g" text built from a decimal significand and its exponent: the style
// choice and trailing-zero removal that printf makes for precision 6.
size_t ComposeG(char* out, bool negative, const char* digits, int count, int exponent) {
    char* p = out;
    if (negative) {
        *p++ = '-';
    }
    if (exponent < -4 || exponent >= 6) {
        *p++ = digits[0];
        if (count > 1) {
            *p++ = '.';
            for (int i = 1; i < count; ++i) {
                *p++ = digits[i];
            }
        }
        *p++ = 'e';
        *p++ = exponent < 0 ? '-' : '+';
        int e = exponent < 0 ? -exponent : exponent;
        if (e >= 100) {
            *p++ = static_cast<char>('0' + e / 100);
        }
        *p++ = static_cast<char>('0' + (e / 10) % 10);
        *p++ = static_cast<char>('0' + e % 10);
    } else if (exponent >= 0) {
        for (int i = 0; i <= exponent; ++i) {
            *p++ = i < count ? digits[i] : '0';
        }
        if (count > exponent + 1) {
            *p++ = '.';
            for (int i = exponent + 1; i < count; ++i) {
                *p++ = digits[i];
            }
        }
    } else {
        *p++ = '0';
        *p++ = '.';
        for (int i = 0; i < -exponent - 1; ++i) {
            *p++ = '0';
        }
        for (int i = 0; i < count; ++i) {
            *p++ = digits[i];
        }
    }
    return static_cast<size_t>(p - out);
}

}  // namespace

namespace {

const double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                               1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// Measured values usually have a few decimals. When v = r / 10^k for an
// integer r with at most six significant digits, the division being
// correctly rounded, r's digits are exactly what "%g" prints. Returns the
// length written, or 0 when the value is not of that kind.
size_t ComposeShortDecimal(char* out, double value) {
    double magnitude = std::fabs(value);
    if (!(magnitude < 1e15) || magnitude < 1e-9) {
        return value == 0.0 && !std::signbit(value) ? (out[0] = '0', 1) : 0;
    }
    for (int k = 0; k < 16; ++k) {
        double scaled = magnitude * kPowersOfTen[k];
        if (scaled >= 1e15) {
            return 0;
        }
        double r = std::nearbyint(scaled);
        if (r / kPowersOfTen[k] != magnitude) {
            continue;
        }
        auto integer = static_cast<long long>(r);
        char digits[24];
        int count =
            static_cast<int>(std::to_chars(digits, digits + sizeof digits, integer).ptr - digits);
        int exponent = count - 1 - k;
        while (count > 1 && digits[count - 1] == '0') {
            --count;
        }
        if (count > 6) {
            return 0;
        }
        return ComposeG(out, value < 0, digits, count, exponent);
    }
    return 0;
}

}  // namespace

namespace {

// The decimal exponent of to_chars' scientific text, read only up to where
// that text ends: the buffer beyond it holds whatever an earlier number left.
int ExponentOf(const char* p, const char* end) {
    bool negative = p < end && *p == '-';
    if (p < end && (*p == '-' || *p == '+')) {
        ++p;
    }
    int exponent = 0;
    for (; p < end && *p >= '0' && *p <= '9'; ++p) {
        exponent = exponent * 10 + (*p - '0');
    }
    return negative ? -exponent : exponent;
}

}  // namespace

size_t WriteExact(char* out, double value) {
    if (size_t n = ComposeShortDecimal(out, value)) {
        return n;
    }
    char buf[64];
    // The shortest digits that read back exactly. When there are at most
    // six, "%g" would print those very digits, so compose its text from them.
    const auto shortest =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    const char* p = buf;
    bool negative = *p == '-';
    if (negative) {
        ++p;
    }
    if (!(*p >= '0' && *p <= '9')) {
        auto special =
            std::to_chars(out, out + kNumberBuffer, value, std::chars_format::general, 6);
        return static_cast<size_t>(special.ptr - out);  // inf and nan
    }
    char digits[20];
    int count = 0;
    while (p < shortest.ptr && *p != 'e') {
        if (*p != '.' && count < 20) {
            digits[count++] = *p;
        }
        ++p;
    }
    const int exponent = p < shortest.ptr ? ExponentOf(p + 1, shortest.ptr) : 0;
    if (count <= 6 && !(std::fabs(value) < DBL_MIN)) {
        return ComposeG(out, negative, digits, count, exponent);
    }
    if (count <= 6) {
        // Subnormals hold fewer digits than "%g" prints, so its rounding may
        // differ from the shortest digits; its text is kept when it is exact.
        auto g = std::to_chars(out, out + kNumberBuffer, value, std::chars_format::general, 6);
        double back = 0.0;
        auto check = std::from_chars(out, g.ptr, back);
        if (check.ec == std::errc() && back == value) {
            return static_cast<size_t>(g.ptr - out);
        }
    }
    // More than six significant digits are needed: the fewest that read
    // back exactly, still in %g style. Fewer than the shortest never do.
    std::to_chars_result result{};
    for (int precision = count; precision <= 17; ++precision) {
        result =
            std::to_chars(out, out + kNumberBuffer, value, std::chars_format::general, precision);
        double back = 0.0;
        auto check = std::from_chars(out, result.ptr, back);
        if (check.ec == std::errc() && back == value) {
            break;
        }
    }
    return static_cast<size_t>(result.ptr - out);
}

void AppendExact(std::string& out, double value) {
    char buf[kNumberBuffer];
    out.append(buf, WriteExact(buf, value));
}

std::string FormatExact(double value) {
    std::string out;
    AppendExact(out, value);
    return out;
}

void AppendInt(std::string& out, long long value) {
    char buf[24];
    auto result = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, result.ptr);
}

std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    char small[256];
    int n = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    std::string out;
    if (n < 0) {
        va_end(copy);
        return out;
    }
    if (static_cast<size_t>(n) < sizeof small) {
        out.assign(small, static_cast<size_t>(n));
    } else {
        std::vector<char> big(static_cast<size_t>(n) + 1);
        std::vsnprintf(big.data(), big.size(), format, copy);
        out.assign(big.data(), static_cast<size_t>(n));
    }
    va_end(copy);
    return out;
}

double AtoF(std::string_view text) {
    size_t pos = 0;
    double value = 0.0;
    return ExtractDouble(text, pos, value) ? value : 0.0;
}

double ReadDecimal(std::string_view text) {
    auto digitsAt = [&text](size_t i) {
        size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            ++i;
        }
        return i - start;
    };
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    const size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    size_t mantissa = digitsAt(i);
    i += mantissa;
    if (i < text.size() && text[i] == '.') {
        size_t fraction = digitsAt(i + 1);
        mantissa += fraction;
        i += 1 + fraction;
    }
    if (mantissa == 0) {
        return 0.0;
    }
    // An exponent counts only when digits follow it: "2e" is 2.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (size_t exponent = digitsAt(j)) {
            i = j + exponent;
        }
    }
    return AtoF(text.substr(start, i - start));
}

int AtoI(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

bool ExtractDouble(std::string_view text, size_t& pos, double& value) {
    size_t i = pos;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    const char* first = text.data() + i;
    const char* end = first;
    if (!ParseDoubleAt(first, text.data() + text.size(), value, end)) {
        return false;
    }
    pos = i + static_cast<size_t>(end - first);
    return true;
}

bool ExtractInt(std::string_view text, size_t& pos, int& value) {
    size_t i = pos;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    size_t digits = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        ++i;
    }
    if (i == digits) {
        return false;
    }
    long long parsed = 0;
    const char* p = text.data() + (text[start] == '+' ? start + 1 : start);
    auto result = std::from_chars(p, text.data() + i, parsed);
    if (result.ec != std::errc() || parsed > INT_MAX || parsed < INT_MIN) {
        return false;  // out of range fails, as a stream extraction does
    }
    value = static_cast<int>(parsed);
    pos = i;
    return true;
}

std::string Trim(std::string_view text) {
    return std::string(TrimView(text));
}

std::string TrimLeft(std::string_view text) {
    size_t b = 0;
    while (b < text.size() && IsBlank(text[b])) {
        ++b;
    }
    return std::string(text.substr(b));
}

std::string TrimRight(std::string_view text) {
    size_t e = text.size();
    while (e > 0 && IsBlank(text[e - 1])) {
        --e;
    }
    return std::string(text.substr(0, e));
}

}  // namespace zav
