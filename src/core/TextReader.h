// Reads text held in memory the way every reader of the program does: lines
// of at most 511 characters ended by LF or CR LF (a CR never belongs to a
// value: those before the LF end the line, any other reads as a blank),
// "key =" headers found by a keyword search, and numbers extracted as
// formatted stream reads. Once a read fails the reader stays failed, so the
// first missing item is the one reported. A UTF-8 byte-order mark at the
// start of the text is no part of it.
#pragma once

#include <string>
#include <string_view>

namespace zav {

class TextReader {
public:
    static constexpr size_t kMaxLine = 511;

    TextReader() = default;
    explicit TextReader(std::string text) { SetText(std::move(text)); }

    // Loads a whole file. Returns false when it cannot be opened.
    bool LoadFile(const std::string& path);
    void SetText(std::string text);

    bool AtEnd() const { return m_pos >= m_text.size(); }
    bool Failed() const { return m_failed; }
    size_t Position() const { return m_pos; }
    size_t Remaining() const { return m_pos < m_text.size() ? m_text.size() - m_pos : 0; }
    // The line the reading position is on, counted from 1. It counts from
    // the start of the text on each call: for messages, not for loops.
    size_t LineNumber() const;

    // One line, at most kMaxLine characters; the rest of a longer line is
    // passed over. Returns false at the end of the text.
    bool ReadLine(std::string& line);
    // The same without the length limit, for the program's own files where
    // a long name must survive.
    bool ReadWholeLine(std::string& line);

    // Takes the text up to the next '=' (consumed) and reports whether the
    // keyword occurs in it. More than kMaxLine characters before the '=', or
    // no '=' at all, fails the reader.
    bool ReadHeader(std::string_view keyword);
    // The rest of the current line, its line end consumed (no length limit).
    std::string RestOfLine();
    // The same without a copy; valid until the reader's text changes.
    std::string_view RestOfLineView();
    // Formatted extraction: white space skipped, then a number; a missing
    // number fails the reader and yields 0.
    double ExtractDouble();
    int ExtractInt();

private:
    std::string_view Line(size_t& next) const;

    std::string m_text;
    size_t m_pos = 0;
    bool m_failed = false;
};

// 3 when `text` starts with a UTF-8 byte-order mark, else 0. Editors and
// spreadsheet programs put one before the first line, where it would
// otherwise become part of the first name or value.
size_t ByteOrderMarkLength(std::string_view text);

}  // namespace zav
