// Number and text conventions shared by every reader and writer: how numbers
// are read (the lenient atof/atoi rules users' files rely on), how they are
// written for display and for storage, and how text is trimmed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zav {

// Display form of a double: six significant digits, as "%g" writes it.
std::string FormatG(double value);
void AppendG(std::string& out, double value);

// Storage form of a double: the shortest "%g"-style text that reads back to
// exactly the same value. Values with six or fewer significant digits come
// out exactly as "%g" writes them, so files stay readable by any reader
// that uses atof.
std::string FormatExact(double value);
void AppendExact(std::string& out, double value);
// The same into a buffer of at least kNumberBuffer characters; returns the
// length written. For writers that build a whole line at once.
constexpr size_t kNumberBuffer = 40;
size_t WriteExact(char* out, double value);

void AppendInt(std::string& out, long long value);

// printf into a std::string; for the fixed display formats.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// atof: leading white space skipped, trailing text ignored, no number gives 0.
double AtoF(std::string_view text);
// atoi: the same for integers; values beyond the int range are clamped.
int AtoI(std::string_view text);
// A number typed into a table cell: leading white space skipped, then the
// longest prefix that forms a decimal number (sign, digits, point, exponent);
// 0 when there is none. Unlike AtoF it never takes "inf", "nan" or hex.
double ReadDecimal(std::string_view text);

// Reads a number the way a formatted stream extraction does: white space
// skipped, then a number must follow. Returns false (and leaves the position
// where it was) when there is none. On success `pos` is just past it.
bool ExtractDouble(std::string_view text, size_t& pos, double& value);
bool ExtractInt(std::string_view text, size_t& pos, int& value);

// The most common number in files, such as "-12.375", read by a shortcut:
// at most 19 digits with one optional point and no exponent, whose digits
// as an integer fit a double exactly and whose point stands at most 22
// places from its end. Its value is then one exact integer divided by one
// exact power of ten, which a single division rounds correctly, to the same
// double a full reading gives. On success `end` is just past it; false
// (nothing read) for any other text at `first`, which a full reading takes.
bool ReadPlainDecimal(const char* first, const char* last, double& value, const char*& end);

// Blank, tab, CR, LF, VT, FF. Inline, with TrimView: readers ask for every
// character of every cell.
inline bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
inline std::string_view TrimView(std::string_view text) {
    size_t b = 0;
    size_t e = text.size();
    while (b < e && IsBlank(text[b])) {
        ++b;
    }
    while (e > b && IsBlank(text[e - 1])) {
        --e;
    }
    return text.substr(b, e - b);
}
std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);

}  // namespace zav
