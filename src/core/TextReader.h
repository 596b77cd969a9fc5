// Reads text the way every reader of the program does: lines of at most 511
// characters ended by LF or CR LF (a CR never belongs to a value: those
// before the LF end the line, any other reads as a blank), "key =" headers
// found by a keyword search, and numbers extracted as formatted stream
// reads. Once a read fails the reader stays failed, so the first missing
// item is the one reported. A UTF-8 byte-order mark at the start of the
// text is no part of it.
//
// A file is read through a window that is refilled as the reading moves
// on, so that a project of hundreds of megabytes never sits in memory as
// one string beside the store it fills.
#pragma once

#include <string>
#include <string_view>

#include "core/FileIO.h"
#include "core/Progress.h"

namespace zav {

class TextReader {
public:
    static constexpr size_t kMaxLine = 511;

    TextReader() = default;
    explicit TextReader(std::string text) { SetText(std::move(text)); }
    TextReader(const TextReader&) = delete;
    TextReader& operator=(const TextReader&) = delete;

    // Opens a file to be read piece by piece; the result says why not.
    ReadResult OpenFile(const std::string& path);
    // The same; false when it cannot be opened.
    bool LoadFile(const std::string& path);
    // Where a file's reading reports the bytes read so far, and whose wish
    // to stop ends the reading at the next refill as if the file ended
    // there (Cancelled() then tells the two apart).
    void SetProgress(Progress& progress) { m_progress = &progress; }
    bool Cancelled() const { return m_cancelled; }
    // The least one refill of a file's window reads (a megabyte). Tests make
    // it small to put the ends of pieces everywhere.
    void SetPieceSize(size_t bytes) { m_piece = bytes > 0 ? bytes : 1; }
    void SetText(std::string text);
    // Reads `text[start, end)` of text kept by the caller, whose line ends
    // are already settled, as if the text began at `start`, except that
    // offsets count from `text`'s start and the line at `start` is
    // `firstLine`.
    void SetPart(std::string_view text, size_t start, size_t end, size_t firstLine);

    bool AtEnd();
    bool Failed() const { return m_failed; }
    // The file could not be read to its end, changed while it was read, or
    // its reading was cancelled: what was read is not the file. FileStatus
    // says which failure it was.
    bool ReadFailed() const { return m_cancelled || m_file.Failed(); }
    ReadResult FileStatus() const { return m_file.Status(); }
    // Where the reading position is, counted in bytes from the start of
    // the text, and how many bytes of it are still to come.
    size_t Offset() const { return m_offset + m_pos; }
    size_t Remaining() const { return m_total - Offset(); }
    // The line the reading position is on, counted from 1. Each call counts
    // the lines read since the last: cheap as the reading goes on, but not
    // free.
    size_t LineNumber() const;

    // The text from the reading position on, at least `bytes` of it unless
    // the text ends first. Valid until the next read.
    std::string_view Window(size_t bytes);
    // Reading ahead on another thread while the window's text is read: first
    // MakeRoomAhead, which may move the window; then ReadAhead, which reads
    // up to `bytes` more of the file into the window without moving what it
    // holds, so views into it stay valid while other threads read them.
    // Nothing else may use the reader while ReadAhead runs. Without a file
    // behind the reader both do nothing.
    void MakeRoomAhead(size_t bytes);
    void ReadAhead(size_t bytes);
    // Moves the reading position `bytes` on, within the window.
    void Skip(size_t bytes) { m_pos += bytes; }
    // The same over text known to hold `lineEnds` line ends, which then
    // need not be counted again.
    void Skip(size_t bytes, size_t lineEnds);

    // One line, at most kMaxLine characters; the rest of a longer line is
    // passed over. Returns false at the end of the text.
    bool ReadLine(std::string& line);
    // The same without a copy; the view is valid until the next read.
    bool ReadLineView(std::string_view& line);
    // The same without the length limit, for the program's own files where
    // a long name must survive.
    bool ReadWholeLine(std::string& line);

    // Takes the text up to the next '=' (consumed) and reports whether the
    // keyword occurs in it. More than kMaxLine characters before the '=', or
    // no '=' at all, fails the reader.
    bool ReadHeader(std::string_view keyword);
    // The rest of the current line, its line end consumed (no length limit).
    std::string RestOfLine();
    // The same without a copy; valid until the next read.
    std::string_view RestOfLineView();
    // Formatted extraction: white space skipped, then a number; a missing
    // number fails the reader and yields 0.
    double ExtractDouble();
    int ExtractInt();

private:
    std::string_view Line(size_t& next);
    size_t FindLineEnd(size_t from);
    size_t SkipBlanks();
    bool Fill(size_t want);
    void Append(size_t bytes);
    void StopAtLastLine();
    bool MoreToCome() const { return m_file.IsOpen(); }
    void Compact();
    void SettleLineEnds(size_t from);
    size_t Available() const { return m_end - m_pos; }
    size_t LineEndsBefore(size_t pos) const;

    std::string m_text;            // the window, when the reader owns it
    const char* m_data = nullptr;  // the window's text
    size_t m_end = 0;              // end of the settled text of the window
    size_t m_pos = 0;              // reading position in the window
    size_t m_offset = 0;           // of the window's start in the whole text
    size_t m_linesBefore = 0;      // line ends before the window's start
    // Line ends in the window before m_counted, as far as LineNumber counted.
    mutable size_t m_counted = 0;
    mutable size_t m_countedLineEnds = 0;
    size_t m_total = 0;  // size of the whole text
    size_t m_piece = size_t{1} << 20;
    InputFile m_file;
    Progress* m_progress = &NoProgress();
    bool m_failed = false;
    bool m_cancelled = false;
};

// 3 when `text` starts with a UTF-8 byte-order mark, else 0. Editors and
// spreadsheet programs put one before the first line, where it would
// otherwise become part of the first name or value.
size_t ByteOrderMarkLength(std::string_view text);

}  // namespace zav
