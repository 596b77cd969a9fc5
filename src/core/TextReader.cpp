#include "core/TextReader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/Bytes.h"
#include "core/FileIO.h"
#include "core/Pages.h"
#include "core/TextFormat.h"

namespace zav {

namespace {

// Counts the LFs in [first, last) eight bytes at a time: a reading counts
// every line of a large file once, and a byte-by-byte count would take a
// tenth of the time of parsing it.
size_t CountLineEnds(const char* first, const char* last) {
    size_t count = 0;
    for (; last - first >= 8; first += 8) {
        // One bit per LF at the bottom of its byte; the product sums them
        // into the top byte (at most 8, so no byte overflows).
        count += static_cast<size_t>(((BytesEqual(Word(first), '\n') >> 7) * kByteOnes) >> 56);
    }
    return count + static_cast<size_t>(std::count(first, last, '\n'));
}

// The first CR in text[from, size), or size. The C library's search goes
// through tens of bytes at a time, and most files have no CR at all.
size_t FindCarriageReturn(const char* text, size_t from, size_t size) {
    const void* found = from < size ? std::memchr(text + from, '\r', size - from) : nullptr;
    return found != nullptr ? static_cast<size_t>(static_cast<const char*>(found) - text) : size;
}

}  // namespace

ReadResult TextReader::OpenFile(const std::string& path) {
    m_text.clear();
    m_data = m_text.data();
    m_end = m_pos = m_offset = m_linesBefore = m_total = 0;
    m_counted = m_countedLineEnds = 0;
    m_failed = m_cancelled = false;
    ReadResult result = m_file.Open(path);
    if (result != ReadResult::kOk) {
        return result;
    }
    m_total = m_file.Size();
    Fill(3);
    m_pos = ByteOrderMarkLength(std::string_view(m_data, m_end));
    return m_file.Status();
}

bool TextReader::LoadFile(const std::string& path) {
    return OpenFile(path) == ReadResult::kOk;
}

// CRs followed by nothing but more CRs up to the LF (or the end of the text)
// belong to the line end. Any other CR would end up inside a value, where a
// save writes it as a blank; it becomes that blank here, keeping the columns
// of fixed layouts, so that a name reads the same before and after a save.
// A run of CRs at the end of what a file has given so far waits for the
// next piece to tell which it is.
void TextReader::SettleLineEnds(size_t from) {
    const size_t size = m_text.size();
    for (size_t i = FindCarriageReturn(m_text.data(), from, size); i < size;
         i = FindCarriageReturn(m_text.data(), i, size)) {
        size_t run = i;
        while (run < size && m_text[run] == '\r') {
            ++run;
        }
        if (run == size) {
            m_end = MoreToCome() ? i : size;
            return;
        }
        if (m_text[run] != '\n') {
            std::fill(m_text.begin() + static_cast<std::ptrdiff_t>(i),
                      m_text.begin() + static_cast<std::ptrdiff_t>(run), ' ');
        }
        i = run;
    }
    m_end = size;
}

void TextReader::SetText(std::string text) {
    m_file.Close();
    m_text = std::move(text);
    m_data = m_text.data();
    m_offset = m_linesBefore = 0;
    m_counted = m_countedLineEnds = 0;
    m_total = m_text.size();
    SettleLineEnds(0);
    m_pos = ByteOrderMarkLength(m_text);
    m_failed = m_cancelled = false;
}

void TextReader::SetPart(std::string_view text, size_t start, size_t end, size_t firstLine) {
    m_file.Close();
    m_text.clear();
    m_data = text.data() + start;
    m_end = end - start;
    m_pos = 0;
    m_offset = start;
    m_linesBefore = firstLine - 1;
    m_counted = m_countedLineEnds = 0;
    m_total = end;
    m_failed = false;
}

// Drops the text before the reading position, counting its lines.
void TextReader::Compact() {
    m_linesBefore += LineEndsBefore(m_pos);
    m_counted = m_countedLineEnds = 0;
    m_offset += m_pos;
    m_text.erase(0, m_pos);
    m_end -= m_pos;
    m_pos = 0;
    m_data = m_text.data();
}

// Reads on until `want` settled bytes lie ahead, or the file has no more.
bool TextReader::Fill(size_t want) {
    while (Available() < want && MoreToCome()) {
        if (m_progress->Cancelled()) {
            StopAtLastLine();
            break;
        }
        const size_t chunk = std::max(m_piece, want - Available());
        if (m_pos > 0 && m_text.size() + chunk > m_text.capacity()) {
            Compact();
        }
        Append(chunk);
    }
    return Available() >= want;
}

// Up to `bytes` more of the file at the end of the window, their line ends
// settled and the progress told.
void TextReader::Append(size_t bytes) {
    const size_t from = m_end;
    m_file.ReadMore(m_text, bytes);
    m_data = m_text.data();
    SettleLineEnds(from);
    m_progress->Report(m_file.Size() - m_file.Left(), m_total);
}

void TextReader::MakeRoomAhead(size_t bytes) {
    if (!MoreToCome() || m_text.size() + bytes <= m_text.capacity()) {
        return;
    }
    if (m_pos > 0) {
        Compact();
    }
    if (m_text.size() + bytes > m_text.capacity()) {
        m_text.reserve(2 * (m_text.size() + bytes));
        PrepareReserved(m_text);
        m_data = m_text.data();
    }
}

void TextReader::ReadAhead(size_t bytes) {
    // A wish to stop is left to the next refill, which ends the text there.
    if (!MoreToCome() || m_progress->Cancelled()) {
        return;
    }
    Append(std::min(bytes, m_text.capacity() - m_text.size()));  // within the room: nothing moves
}

// The person stopped the reading: the text ends after the last whole line
// already read, so that no reader meets half a line and reports it.
void TextReader::StopAtLastLine() {
    m_cancelled = true;
    m_file.Close();
    const void* lastEnd = memrchr(m_data + m_pos, '\n', Available());
    m_end = lastEnd != nullptr ? static_cast<size_t>(static_cast<const char*>(lastEnd) - m_data) + 1
                               : m_pos;
    m_total = m_offset + m_end;
}

bool TextReader::AtEnd() {
    return m_pos >= m_end && !Fill(1);
}

// Line ends in the window before `pos`, counted on from the last call when
// the reading has moved forward since, so that asking as a reading goes on
// counts each line once.
size_t TextReader::LineEndsBefore(size_t pos) const {
    if (pos < m_counted) {
        m_counted = m_countedLineEnds = 0;
    }
    m_countedLineEnds += CountLineEnds(m_data + m_counted, m_data + pos);
    m_counted = pos;
    return m_countedLineEnds;
}

void TextReader::Skip(size_t bytes, size_t lineEnds) {
    if (m_counted == m_pos) {
        m_counted += bytes;
        m_countedLineEnds += lineEnds;
    }
    m_pos += bytes;
}

size_t TextReader::LineNumber() const {
    return 1 + m_linesBefore + LineEndsBefore(std::min(m_pos, m_end));
}

size_t ByteOrderMarkLength(std::string_view text) {
    return text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
}

std::string_view TextReader::Window(size_t bytes) {
    Fill(bytes);
    return std::string_view(m_data + m_pos, Available());
}

// The index of the LF that ends the line holding m_pos + `from`, or m_end
// when the text ends first.
size_t TextReader::FindLineEnd(size_t from) {
    for (;;) {
        const void* hit = std::memchr(m_data + m_pos + from, '\n', Available() - from);
        if (hit != nullptr) {
            return static_cast<size_t>(static_cast<const char*>(hit) - m_data);
        }
        from = Available();
        if (!Fill(from + 1)) {
            return m_end;
        }
    }
}

// How many blanks lie at the reading position, the window grown to see
// past them.
size_t TextReader::SkipBlanks() {
    size_t n = 0;
    for (;;) {
        while (n < Available() && IsBlank(m_data[m_pos + n])) {
            ++n;
        }
        if (n < Available() || !Fill(n + 1)) {
            return n;
        }
    }
}

// The line starting at m_pos without its line end (LF, CR LF, or CR CR LF as
// some exporters write); `next` is set past the line end.
std::string_view TextReader::Line(size_t& next) {
    const size_t end = FindLineEnd(0);
    next = end < m_end ? end + 1 : end;
    size_t stop = end;
    while (stop > m_pos && m_data[stop - 1] == '\r') {
        --stop;
    }
    return std::string_view(m_data + m_pos, stop - m_pos);
}

bool TextReader::ReadLine(std::string& line) {
    std::string_view view;
    const bool read = ReadLineView(view);
    line.assign(view);
    return read;
}

bool TextReader::ReadLineView(std::string_view& line) {
    if (m_failed || AtEnd()) {
        line = std::string_view();
        return false;
    }
    size_t next = 0;
    line = Line(next);
    if (line.size() > kMaxLine) {
        line = line.substr(0, kMaxLine);
    }
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
    Fill(kMaxLine + 1);
    const size_t limit = std::min(m_end, m_pos + kMaxLine + 1);
    size_t eq = m_pos;
    while (eq < limit && m_data[eq] != '=') {
        ++eq;
    }
    if (eq >= limit) {
        m_failed = true;
        return false;
    }
    std::string_view header(m_data + m_pos, eq - m_pos);
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
    // The number's whole line is in the window: a number never runs past it.
    const size_t blanks = SkipBlanks();
    FindLineEnd(blanks);
    double value = 0.0;
    size_t pos = m_pos + blanks;
    if (!zav::ExtractDouble(std::string_view(m_data, m_end), pos, value)) {
        m_failed = true;
        return 0.0;
    }
    m_pos = pos;
    return value;
}

int TextReader::ExtractInt() {
    if (m_failed) {
        return 0;
    }
    const size_t blanks = SkipBlanks();
    FindLineEnd(blanks);
    int value = 0;
    size_t pos = m_pos + blanks;
    if (!zav::ExtractInt(std::string_view(m_data, m_end), pos, value)) {
        m_failed = true;
        return 0;
    }
    m_pos = pos;
    return value;
}

}  // namespace zav
