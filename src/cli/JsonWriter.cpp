#include "cli/JsonWriter.h"

#include <cmath>
#include <string_view>

#include "core/TextFormat.h"

namespace zav::cli {

void JsonWriter::BeforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_first.empty()) {
        if (!m_first.back()) {
            m_text += ',';
        }
        m_first.back() = false;
    }
}

JsonWriter& JsonWriter::BeginObject() {
    BeforeValue();
    m_text += '{';
    m_first.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::EndObject() {
    m_text += '}';
    m_first.pop_back();
    return *this;
}

JsonWriter& JsonWriter::BeginArray() {
    BeforeValue();
    m_text += '[';
    m_first.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::EndArray() {
    m_text += ']';
    m_first.pop_back();
    return *this;
}

JsonWriter& JsonWriter::Key(const std::string& key) {
    BeforeValue();
    m_text += Quote(key);
    m_text += ':';
    m_afterKey = true;
    return *this;
}

JsonWriter& JsonWriter::String(const std::string& value) {
    BeforeValue();
    m_text += Quote(value);
    return *this;
}

JsonWriter& JsonWriter::Number(double value) {
    BeforeValue();
    if (std::isfinite(value)) {
        AppendExact(m_text, value);
    } else {
        m_text += "null";
    }
    return *this;
}

JsonWriter& JsonWriter::Null() {
    BeforeValue();
    m_text += "null";
    return *this;
}

namespace {

bool IsContinuation(std::string_view text, size_t i) {
    return i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
}

bool InRange(std::string_view text, size_t i, unsigned char low, unsigned char high) {
    return i < text.size() && static_cast<unsigned char>(text[i]) >= low &&
           static_cast<unsigned char>(text[i]) <= high;
}

// The length of the well-formed UTF-8 sequence of two to four bytes that
// starts at `i`, or 0. Overlong forms, surrogates and code points above
// U+10FFFF are not well formed; strict JSON readers refuse them.
size_t Utf8SequenceAt(std::string_view text, size_t i) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    if (lead >= 0xC2 && lead <= 0xDF) {
        return IsContinuation(text, i + 1) ? 2 : 0;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
        const unsigned char high = lead == 0xED ? 0x9F : 0xBF;
        return InRange(text, i + 1, low, high) && IsContinuation(text, i + 2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned char low = lead == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = lead == 0xF4 ? 0x8F : 0xBF;
        return InRange(text, i + 1, low, high) && IsContinuation(text, i + 2) &&
                       IsContinuation(text, i + 3)
                   ? 4
                   : 0;
    }
    return 0;
}

void AppendEscaped(std::string& out, unsigned char c) {
    switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20 || c == 0x7F) {
                out += Format("\\u%04x", c);
            } else {
                out += static_cast<char>(c);
            }
    }
}

}  // namespace

// Names come from the inputs as bytes, and agency files are often Latin-1.
// A byte that does not begin a well-formed UTF-8 sequence is taken as the
// Latin-1 character it would be, so the output is always valid UTF-8, the
// same for the same bytes, and a Latin-1 name still reads as it was meant.
std::string JsonWriter::Quote(const std::string& text) {
    std::string out = "\"";
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            AppendEscaped(out, c);
            ++i;
        } else if (size_t length = Utf8SequenceAt(text, i); length > 0) {
            out.append(text, i, length);
            i += length;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
            ++i;
        }
    }
    out += '"';
    return out;
}

}  // namespace zav::cli
