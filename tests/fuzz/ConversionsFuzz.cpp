// The standard conversions file: every line that is not blank gives an
// entry or is named as unread, and what was read writes out and reads back
// the same, to the bit and to the byte.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "core/TextFormat.h"
#include "io/ConversionTable.h"

using namespace zav;

namespace {

void CheckSameTables(const ConversionTable& a, const ConversionTable& b) {
    ZAV_FUZZ_CHECK(a.Count() == b.Count(), std::to_string(a.Count()) + " entries came back as " +
                                               std::to_string(b.Count()));
    for (int i = 0; i < a.Count(); ++i) {
        const std::string where = "entry " + std::to_string(i) + " '" + a.Name(i) + "'";
        ZAV_FUZZ_CHECK(a.Name(i) == b.Name(i), where + " came back as '" + b.Name(i) + "'");
        ZAV_FUZZ_CHECK(fuzz::SameBits(a.Multiplier(i), b.Multiplier(i)),
                       where + ": multiplier " + FormatExact(a.Multiplier(i)) + " came back as " +
                           FormatExact(b.Multiplier(i)));
        ZAV_FUZZ_CHECK(fuzz::SameBits(a.Offset(i), b.Offset(i)),
                       where + ": offset " + FormatExact(a.Offset(i)) + " came back as " +
                           FormatExact(b.Offset(i)));
    }
}

// Lines cut at LF alone; a CR is a blank like any other, and a byte-order
// mark at the start is no text.
size_t NonBlankLines(const std::string& text) {
    size_t count = 0;
    size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        if (!TrimView(std::string_view(text).substr(start, end - start)).empty()) {
            ++count;
        }
        start = end + 1;
    }
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ConversionTable table;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const size_t unreadLines = table.ReadText(text).size();
    ZAV_FUZZ_CHECK(static_cast<size_t>(table.Count()) + unreadLines == NonBlankLines(text),
                   std::to_string(table.Count()) + " entries and " + std::to_string(unreadLines) +
                       " unread lines from " + std::to_string(NonBlankLines(text)) + " lines");
    const std::string written = table.ToText();
    ConversionTable back;
    const auto unread = back.ReadText(written);
    ZAV_FUZZ_CHECK(unread.empty(), "a written line did not read back: '" +
                                       (unread.empty() ? std::string() : unread[0].text) + "'");
    CheckSameTables(table, back);
    ZAV_FUZZ_CHECK(back.ToText() == written, "the second write differs from the first");
    return 0;
}
