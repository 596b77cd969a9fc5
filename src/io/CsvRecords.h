// CsvRecords: the records of a delimited text, one at a time, the way
// comma-separated files from spreadsheets and web services are written: a
// field in double quotes may hold the delimiter, line ends and doubled
// quotes; records end at LF or CR LF; a byte-order mark is passed over.
// The text is held whole in memory, or a file is read in pieces, so that a
// file of hundreds of megabytes never sits in memory beside the project it
// fills. Fields are views into the text, or into the reader's own buffer
// for a quoted field that had to be unescaped, valid until the next record.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zav {

class InputFile;

class CsvRecords {
public:
    // The least a file's piece holds; tests make it small to put the ends
    // of pieces everywhere.
    static constexpr size_t kPieceSize = size_t{4} << 20;

    explicit CsvRecords(std::string_view text);
    // Reads an open file in pieces of at least `pieceSize` bytes. A record
    // longer than a piece makes the piece grow. When the file cannot be
    // read to its end, or changes meanwhile, the records end early and
    // `file` says why.
    explicit CsvRecords(InputFile& file, size_t pieceSize = kPieceSize);

    // The delimiter most used outside quotes on the first line that is not
    // a '#' comment: comma, semicolon, tab or pipe; comma when none is.
    char DetectDelimiter();
    void SetDelimiter(char delimiter) { m_delimiter = delimiter; }

    // The next record, with blanks around unquoted fields trimmed. Lines
    // that are empty (or hold only blanks) are passed over, and so are
    // lines starting with '#' when `skipComments`. False at the end.
    bool Next(bool skipComments = true);

    const std::vector<std::string_view>& Fields() const { return m_fields; }
    // The line (counted from 1) the record starts on.
    size_t Line() const { return m_line; }
    // The record's text as written, for reports.
    std::string_view Text() const { return m_recordText; }
    // How far into the text reading has come, in bytes.
    size_t Position() const { return m_pos; }

private:
    bool ReadRecord(bool skipComments);
    bool MoreToRead() const;
    bool ReadMore();
    bool SkipBlankOrComment(bool skipComments);
    void ReadField();
    void ReadQuotedField(size_t fieldStart);
    void EndLine();

    // The text, or the part of the file read and not yet passed over.
    std::string_view m_text;
    InputFile* m_file = nullptr;
    std::string m_piece;
    size_t m_pieceSize = kPieceSize;
    // The record being read ran into the end of m_text: with more of the
    // file to come it is read again once more is there.
    bool m_hitEnd = false;
    size_t m_pos = 0;
    size_t m_nextLine = 1;
    size_t m_line = 0;
    char m_delimiter = ',';
    bool m_recordEnded = false;
    // The quoted fields of the record: their text lies in m_unquoted, which
    // may move while it grows, so their views are made once it is complete.
    struct Unquoted {
        size_t field;
        size_t begin;
        size_t size;
    };
    std::vector<Unquoted> m_quoted;
    std::vector<std::string_view> m_fields;
    std::string_view m_recordText;
    std::string m_unquoted;
};

}  // namespace zav
