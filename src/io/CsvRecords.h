// CsvRecords: the records of a delimited text held whole in memory, one at a
// time, the way comma-separated files from spreadsheets and web services are
// written: a field in double quotes may hold the delimiter, line ends and
// doubled quotes; records end at LF or CR LF; a byte-order mark is passed
// over. Fields are views into the text, or into the reader's own buffer for
// a quoted field that had to be unescaped, valid until the next record.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zav {

class CsvRecords {
public:
    explicit CsvRecords(std::string_view text);

    // The delimiter most used outside quotes on the first line that is not
    // a '#' comment: comma, semicolon, tab or pipe; comma when none is.
    char DetectDelimiter() const;
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
    bool SkipBlankOrComment(bool skipComments);
    void ReadField();
    void ReadQuotedField(size_t fieldStart);
    void PushText(std::string_view field);
    void EndLine();

    std::string_view m_text;
    size_t m_pos = 0;
    size_t m_nextLine = 1;
    size_t m_line = 0;
    char m_delimiter = ',';
    bool m_recordEnded = false;
    // Where each field lies until the record is complete: in the text, or
    // (quoted) in m_unquoted, which may move while it grows.
    struct Span {
        bool unquoted;
        size_t begin;
        size_t size;
    };
    std::vector<Span> m_spans;
    std::vector<std::string_view> m_fields;
    std::string_view m_recordText;
    std::string m_unquoted;
};

}  // namespace zav
