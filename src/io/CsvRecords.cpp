#include "io/CsvRecords.h"

#include <algorithm>
#include <array>

#include "core/FileIO.h"
#include "core/TextFormat.h"

namespace zav {

namespace {
const std::string_view kByteOrderMark = "\xEF\xBB\xBF";
}  // namespace

CsvRecords::CsvRecords(std::string_view text) : m_text(text) {
    if (m_text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        m_pos = kByteOrderMark.size();
    }
}

CsvRecords::CsvRecords(InputFile& file, size_t pieceSize)
    : m_file(&file), m_pieceSize(pieceSize > 0 ? pieceSize : 1) {
    while (m_piece.size() < kByteOrderMark.size() && MoreToRead()) {
        ReadMore();
    }
    if (m_text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        m_pos = kByteOrderMark.size();
    }
}

bool CsvRecords::MoreToRead() const {
    return m_file != nullptr && m_file->Left() > 0 && !m_file->Failed();
}

// Drops what was passed over and appends the next piece, at least as much
// as is held, so that a record longer than a piece is read in a few steps.
bool CsvRecords::ReadMore() {
    m_piece.erase(0, m_pos);
    m_pos = 0;
    const size_t held = m_piece.size();
    m_file->ReadMore(m_piece, std::max(m_pieceSize, held));
    m_text = m_piece;
    return m_piece.size() > held;
}

char CsvRecords::DetectDelimiter() {
    static constexpr std::array<char, 4> kCandidates = {',', ';', '\t', '|'};
    size_t pos = m_pos;
    // The first line that is neither blank nor a comment.
    while (pos < m_text.size() || MoreToRead()) {
        size_t end = m_text.find('\n', pos);
        if (end == std::string_view::npos && MoreToRead()) {
            // The line goes on in the next piece; what lies before the
            // reading position (a byte-order mark) is dropped from the text.
            const size_t dropped = m_pos;
            if (!ReadMore()) {
                break;
            }
            pos -= dropped;
            continue;
        }
        end = end == std::string_view::npos ? m_text.size() : end;
        std::string_view line = TrimView(m_text.substr(pos, end - pos));
        if (!line.empty() && line.front() != '#') {
            std::array<size_t, 4> counts{};
            bool quoted = false;
            for (char c : line) {
                quoted = c == '"' ? !quoted : quoted;
                for (size_t k = 0; k < kCandidates.size(); ++k) {
                    counts[k] += !quoted && c == kCandidates[k] ? 1 : 0;
                }
            }
            size_t best = 0;
            for (size_t k = 1; k < kCandidates.size(); ++k) {
                best = counts[k] > counts[best] ? k : best;
            }
            return kCandidates[best];
        }
        pos = end + 1;
    }
    return ',';
}

// Blank lines carry no record; a comment line is one whose first character
// is '#', so a quoted field that begins a line with '#' stays data.
bool CsvRecords::SkipBlankOrComment(bool skipComments) {
    while (m_pos < m_text.size()) {
        // Most lines start with data: no need to look for their end.
        const char first = m_text[m_pos];
        if (first != '#' && !IsBlank(first)) {
            return true;
        }
        size_t end = m_text.find('\n', m_pos);
        if (end == std::string_view::npos) {
            end = m_text.size();
            m_hitEnd = true;
        }
        const std::string_view line = m_text.substr(m_pos, end - m_pos);
        const bool blank = TrimView(line).empty();
        const bool comment = skipComments && !line.empty() && line.front() == '#';
        if (!blank && !comment) {
            return true;
        }
        m_pos = end + 1;
        ++m_nextLine;
    }
    m_hitEnd = true;
    return false;
}

bool CsvRecords::Next(bool skipComments) {
    for (;;) {
        const size_t pos = m_pos;
        const size_t line = m_nextLine;
        m_hitEnd = false;
        const bool read = ReadRecord(skipComments);
        if (!m_hitEnd || !MoreToRead()) {
            return read;
        }
        // The record may go on in the next piece: read it again with that.
        m_pos = pos;
        m_nextLine = line;
        if (!ReadMore()) {
            return ReadRecord(skipComments);
        }
    }
}

bool CsvRecords::ReadRecord(bool skipComments) {
    m_fields.clear();
    m_quoted.clear();
    m_unquoted.clear();
    if (!SkipBlankOrComment(skipComments)) {
        return false;
    }
    const size_t start = m_pos;
    m_line = m_nextLine;
    m_recordEnded = false;
    while (!m_recordEnded) {
        ReadField();
    }
    size_t end = m_pos;
    while (end > start && (m_text[end - 1] == '\n' || m_text[end - 1] == '\r')) {
        --end;
    }
    m_recordText = m_text.substr(start, end - start);
    for (const Unquoted& q : m_quoted) {
        m_fields[q.field] = std::string_view(m_unquoted).substr(q.begin, q.size);
    }
    return true;
}

void CsvRecords::ReadField() {
    size_t pos = m_pos;
    while (pos < m_text.size() && (m_text[pos] == ' ' || m_text[pos] == '\t') &&
           m_text[pos] != m_delimiter) {
        ++pos;
    }
    if (pos < m_text.size() && m_text[pos] == '"') {
        m_pos = pos;
        ReadQuotedField(pos);
        return;
    }
    const size_t start = m_pos;
    const char* data = m_text.data();
    size_t end = start;
    while (end < m_text.size() && data[end] != m_delimiter && data[end] != '\n') {
        ++end;
    }
    m_fields.push_back(TrimView(m_text.substr(start, end - start)));
    m_pos = end + 1;
    m_hitEnd = m_hitEnd || end >= m_text.size();
    if (end >= m_text.size() || data[end] == '\n') {
        EndLine();
    }
}

// A quoted field runs to the quote that is not doubled; what follows it up
// to the delimiter (blanks, or text a careless writer left) is kept after
// it, so nothing of the line is dropped.
void CsvRecords::ReadQuotedField(size_t fieldStart) {
    const size_t begin = m_unquoted.size();
    size_t pos = fieldStart + 1;
    while (pos < m_text.size()) {
        const char c = m_text[pos];
        if (c == '"') {
            if (pos + 1 < m_text.size() && m_text[pos + 1] == '"') {
                m_unquoted += '"';
                pos += 2;
                continue;
            }
            ++pos;
            break;
        }
        if (c == '\n') {
            ++m_nextLine;
        }
        m_unquoted += c;
        ++pos;
    }
    size_t end = pos;
    while (end < m_text.size() && m_text[end] != m_delimiter && m_text[end] != '\n') {
        ++end;
    }
    m_unquoted += TrimView(m_text.substr(pos, end - pos));
    m_quoted.push_back(Unquoted{m_fields.size(), begin, m_unquoted.size() - begin});
    m_fields.emplace_back();
    m_pos = end + 1;
    m_hitEnd = m_hitEnd || end >= m_text.size();
    if (end >= m_text.size() || m_text[end] == '\n') {
        EndLine();
    }
}

void CsvRecords::EndLine() {
    m_recordEnded = true;
    ++m_nextLine;
}

}  // namespace zav
