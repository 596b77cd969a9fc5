#include "io/InputCells.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <functional>

#include "core/Bytes.h"
#include "core/Calendar.h"
#include "core/TextFormat.h"

namespace zav {

namespace {

// Digits beyond this are still read, so that a huge field stays a huge
// field (one beyond the int range, never wrapped round into it).
constexpr int64_t kFieldLimit = int64_t{1} << 40;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads what sscanf's "%d" and literal characters read, from the start of
// a cell.
class FieldScanner {
public:
    explicit FieldScanner(std::string_view text) : m_text(text) {}

    bool Int(int64_t& value) {
        while (m_pos < m_text.size() && IsBlank(m_text[m_pos])) {
            ++m_pos;
        }
        bool negative = false;
        if (m_pos < m_text.size() && (m_text[m_pos] == '-' || m_text[m_pos] == '+')) {
            negative = m_text[m_pos] == '-';
            ++m_pos;
        }
        const size_t digits = m_pos;
        int64_t v = 0;
        for (; m_pos < m_text.size() && IsDigit(m_text[m_pos]); ++m_pos) {
            v = std::min(v * 10 + (m_text[m_pos] - '0'), kFieldLimit);
        }
        value = negative ? -v : v;
        return m_pos > digits;
    }
    bool Literal(char c) {
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    // A run of at least one character other than `stop`.
    bool RunUntil(char stop, std::string_view& run) {
        size_t end = m_text.find(stop, m_pos);
        if (end == std::string_view::npos) {
            end = m_text.size();
        }
        if (end == m_pos) {
            return false;
        }
        run = m_text.substr(m_pos, end - m_pos);
        m_pos = end;
        return true;
    }
    // Only blanks left.
    bool AtEnd() const {
        for (size_t i = m_pos; i < m_text.size(); ++i) {
            if (!IsBlank(m_text[i])) {
                return false;
            }
        }
        return true;
    }

private:
    std::string_view m_text;
    size_t m_pos = 0;
};

// The closing quote of the quoted text opening at `open`, passing over the
// "" pairs that stand for one quote; npos when there is none.
size_t ClosingQuote(std::string_view text, size_t open) {
    for (size_t k = open + 1; k < text.size(); ++k) {
        if (text[k] != '"') {
            continue;
        }
        if (k + 1 < text.size() && text[k + 1] == '"') {
            ++k;
            continue;
        }
        return k;
    }
    return std::string_view::npos;
}

bool InLine(std::string_view line, std::string_view cell) {
    std::less_equal<const char*> le;
    return le(line.data(), cell.data()) && le(cell.data() + cell.size(), line.data() + line.size());
}

}  // namespace

void CellSplitter::Split(std::string_view line, char separator) {
    Split(line, std::string_view(&separator, 1));
}

void CellSplitter::SplitWords(std::string_view line) {
    m_line = line;
    m_cells.clear();
    auto isCut = [](char c) { return c == ',' || IsBlank(c); };
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isCut(line[i])) {
            ++i;
        }
        const size_t start = i;
        while (i < line.size() && !isCut(line[i])) {
            ++i;
        }
        if (i > start) {
            m_cells.push_back(line.substr(start, i - start));
        }
    }
}

void CellSplitter::Split(std::string_view line, std::string_view separators) {
    m_line = line;
    m_cells.clear();
    m_unquoted.clear();
    m_unquoted.reserve(line.size());
    SetSeparators(separators);
    size_t i = 0;
    for (;;) {
        size_t end = NextSeparator(line, i);
        std::string_view cell = TrimView(line.substr(i, end - i));
        if (!cell.empty() && cell.front() == '"') {
            // The closing quote may lie beyond separators inside the quotes.
            const size_t open = static_cast<size_t>(cell.data() - line.data());
            const size_t close = ClosingQuote(line, open);
            if (close != std::string_view::npos) {
                end = NextSeparator(line, close + 1);
                cell = Unquoted(line.substr(open + 1, close - open - 1),
                                line.substr(close + 1, end - close - 1));
            }
        }
        m_cells.emplace_back(cell.data(), cell.size());
        if (end >= line.size()) {
            break;
        }
        i = end + 1;
    }
}

// Rows of long files are split at hundreds of megabytes a second, so the
// separators are set up once for the lines that follow: a table for any
// number of them, and the one or two words a fast search looks for.
void CellSplitter::SetSeparators(std::string_view separators) {
    if (separators.size() == m_separatorText.size() &&
        std::equal(separators.begin(), separators.end(), m_separatorText.begin(),
                   [](char a, char b) { return a == b; })) {
        return;
    }
    m_separatorText = separators;
    m_isSeparator.fill(false);
    for (char c : separators) {
        m_isSeparator[static_cast<unsigned char>(c)] = true;
    }
    m_twoAtMost = kWordsInTextOrder && !separators.empty() && separators.size() <= 2;
    m_first = separators.empty() ? '\0' : separators.front();
    m_second = separators.empty() ? '\0' : separators.back();
}

size_t CellSplitter::NextSeparator(std::string_view line, size_t from) const {
    size_t i = from;
    if (m_twoAtMost) {
        for (; i + 8 <= line.size(); i += 8) {
            const uint64_t word = Word(line.data() + i);
            if (const uint64_t hits = BytesEqual(word, m_first) | BytesEqual(word, m_second)) {
                return i + FirstHit(hits);
            }
        }
    }
    while (i < line.size() && !m_isSeparator[static_cast<unsigned char>(line[i])]) {
        ++i;
    }
    return i;
}

// Text after the closing quote stays part of the cell rather than being
// dropped.
std::string_view CellSplitter::Unquoted(std::string_view inside, std::string_view after) {
    after = TrimView(after);
    if (inside.find('"') == std::string_view::npos && after.empty()) {
        return TrimView(inside);
    }
    const size_t start = m_unquoted.size();
    for (size_t i = 0; i < inside.size(); ++i) {
        m_unquoted.push_back(inside[i]);
        i += inside[i] == '"' ? 1 : 0;  // "" stands for one quote
    }
    m_unquoted.append(after);
    return TrimView(std::string_view(m_unquoted).substr(start));
}

std::string_view CellSplitter::Span(size_t first, size_t last) const {
    std::string_view a = m_cells[first];
    std::string_view b = m_cells[last];
    if (!InLine(m_line, a) || !InLine(m_line, b) || b.data() < a.data()) {
        return a;
    }
    return std::string_view(a.data(), static_cast<size_t>(b.data() + b.size() - a.data()));
}

bool ReadNumberCell(std::string_view cell, double& value) {
    std::string_view text = TrimView(cell);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') {
            return false;
        }
    }
    const size_t lead = !text.empty() && text.front() == '-' ? 1 : 0;
    if (text.size() <= lead || !(IsDigit(text[lead]) || text[lead] == '.')) {
        return false;
    }
    const char* last = text.data() + text.size();
    const char* end = nullptr;
    if (ReadPlainDecimal(text.data(), last, value, end) && end == last) {
        return true;
    }
    auto result = std::from_chars(text.data(), last, value);
    if (result.ptr != last) {
        return false;
    }
    if (result.ec == std::errc::result_out_of_range) {
        // Too small to hold is near enough zero; too large is no number.
        const std::string copy(text);
        value = std::strtod(copy.c_str(), nullptr);
        return std::isfinite(value);
    }
    return result.ec == std::errc();
}

int MonthFromName(std::string_view name) {
    for (int m = 0; m < 12; ++m) {
        const char* abbreviation = kMonthAbbreviations[m];
        for (size_t at = 0; at + 3 <= name.size(); ++at) {
            bool same = true;
            for (size_t k = 0; k < 3 && same; ++k) {
                same = std::tolower(static_cast<unsigned char>(name[at + k])) ==
                       std::tolower(static_cast<unsigned char>(abbreviation[k]));
            }
            if (same) {
                return m + 1;
            }
        }
    }
    return -1;
}

bool ScanDateCell(std::string_view cell, char separator, bool whole, int64_t& a, int64_t& b,
                  int64_t& c) {
    FieldScanner scan(cell);
    return scan.Int(a) && scan.Literal(separator) && scan.Int(b) && scan.Literal(separator) &&
           scan.Int(c) && (!whole || scan.AtEnd());
}

bool ScanNamedDateCell(std::string_view cell, int64_t& day, int64_t& month, int64_t& year) {
    FieldScanner scan(cell);
    std::string_view name;
    if (!(scan.Int(day) && scan.Literal('-') && scan.RunUntil('-', name) && scan.Literal('-') &&
          scan.Int(year))) {
        return false;
    }
    month = MonthFromName(name);
    return true;
}

bool ScanClockCell(std::string_view cell, bool secondsOptional, bool whole, TimeFields& fields) {
    FieldScanner scan(cell);
    if (!(scan.Int(fields.hour) && scan.Literal(':') && scan.Int(fields.minute))) {
        return false;
    }
    fields.second = 0;
    const bool seconds = scan.Literal(':') && scan.Int(fields.second);
    return (seconds || secondsOptional) && (!whole || scan.AtEnd());
}

bool ScanLeadingInteger(std::string_view text, int64_t& value) {
    FieldScanner scan(text);
    return scan.Int(value);
}

bool ScanIntegerCell(std::string_view cell, int64_t& value) {
    FieldScanner scan(TrimView(cell));
    return scan.Int(value) && scan.AtEnd();
}

KTRTime StorableTime(const TimeFields& fields) {
    for (int64_t field :
         {fields.year, fields.month, fields.day, fields.hour, fields.minute, fields.second}) {
        if (field < INT_MIN || field > INT_MAX) {
            return KTRTime();
        }
    }
    return KTRTime(static_cast<int>(fields.year), static_cast<int>(fields.month),
                   static_cast<int>(fields.day), static_cast<int>(fields.hour),
                   static_cast<int>(fields.minute), static_cast<int>(fields.second));
}

}  // namespace zav
