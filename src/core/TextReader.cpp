#include "core/TextReader.h"

#include <algorithm>

#include "core/FileIO.h"
#include "core/TextFormat.h"

namespace zav {

bool TextReader::LoadFile(const std::string& path) {
    std::string text;
    if (!ReadFileText(path, text)) {
        return false;
    }
    SetText(std::move(text));
    return true;
}

namespace {

// CRs followed by nothing but more CRs up to the LF (or the end of the text)
// belong to the line end. Any other CR would end up inside a value, where a
// save writes it as a blank; it becomes that blank here, keeping the columns
// of fixed layouts, so that a name reads the same before and after a save.
void BlankCarriageReturnsInsideLines(std::string& text) {
    for (size_t i = text.find('\r'); i != std::string::npos; i = text.find('\r', i)) {
        size_t run = i;
        while (run < text.size() && text[run] == '\r') {
            ++run;
        }
        if (run < text.size() && text[run] != '\n') {
            std::fill(text.begin() + static_cast<std::ptrdiff_t>(i),
                      text.begin() + static_cast<std::ptrdiff_t>(run), ' ');
        }
        i = run;
    }
}

}  // namespace

void TextReader::SetText(std::string text) {
    m_text = std::move(text);
    BlankCarriageReturnsInsideLines(m_text);
    m_pos = ByteOrderMarkLength(m_text);
    m_failed = false;
}

size_t TextReader::LineNumber() const {
    const size_t end = std::min(m_pos, m_text.size());
    return 1 + static_cast<size_t>(std::count(
                   m_text.begin(), m_text.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
}

size_t ByteOrderMarkLength(std::string_view text) {
    return text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
}

// The line starting at m_pos without its line end (LF, CR LF, or CR CR LF as
// some exporters write); `next` is set past the line end.
std::string_view TextReader::Line(size_t& next) const {
    size_t end = m_text.find('\n', m_pos);
    if (end == std::string::npos) {
        end = m_text.size();
        next = end;
    } else {
        next = end + 1;
    }
    size_t stop = end;
    while (stop > m_pos && m_text[stop - 1] == '\r') {
        --stop;
    }
    return std::string_view(m_text).substr(m_pos, stop - m_pos);
}

bool TextReader::ReadLine(std::string& line) {
    if (m_failed || AtEnd()) {
        line.clear();
        return false;
    }
    size_t next = 0;
    std::string_view view = Line(next);
    if (view.size() > kMaxLine) {
        view = view.substr(0, kMaxLine);
    }
    line.assign(view);
    m_pos = next;
    return true;
}

bool TextReader::ReadWholeLine(std::string& line) {
    if (m_failed || AtEnd()) {
        line.clear();
        return false;
    }
    size_t next = 0;
    line.assign(Line(next));
    m_pos = next;
    return true;
}

namespace {

// Nearly every header is its keyword right after the previous line end; a
// plain comparison settles those before the general search.
bool StartsWithAfterBlanks(std::string_view text, std::string_view keyword) {
    size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) {
        ++start;
    }
    if (text.size() - start < keyword.size()) {
        return false;
    }
    for (size_t i = 0; i < keyword.size(); ++i) {
        if (text[start + i] != keyword[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool TextReader::ReadHeader(std::string_view keyword) {
    if (m_failed || AtEnd()) {
        m_failed = true;
        return false;
    }
    // Headers are a few characters long: a plain loop up to the limit beats
    // a library search, and never looks further than the limit.
    const size_t limit = std::min(m_text.size(), m_pos + kMaxLine + 1);
    size_t eq = m_pos;
    while (eq < limit && m_text[eq] != '=') {
        ++eq;
    }
    if (eq >= limit) {
        m_failed = true;
        return false;
    }
    std::string_view header = std::string_view(m_text).substr(m_pos, eq - m_pos);
    m_pos = eq + 1;
    if (StartsWithAfterBlanks(header, keyword)) {
        return true;
    }
    if (header.find(keyword) == std::string_view::npos) {
        m_failed = true;
        return false;
    }
    return true;
}

std::string TextReader::RestOfLine() {
    return std::string(RestOfLineView());
}

std::string_view TextReader::RestOfLineView() {
    if (m_failed || AtEnd()) {
        return {};
    }
    size_t next = 0;
    std::string_view line = Line(next);
    m_pos = next;
    return line;
}

double TextReader::ExtractDouble() {
    if (m_failed) {
        return 0.0;
    }
    double value = 0.0;
    if (!zav::ExtractDouble(m_text, m_pos, value)) {
        m_failed = true;
        return 0.0;
    }
    return value;
}

int TextReader::ExtractInt() {
    if (m_failed) {
        return 0;
    }
    int value = 0;
    if (!zav::ExtractInt(m_text, m_pos, value)) {
        m_failed = true;
        return 0;
    }
    return value;
}

}  // namespace zav
