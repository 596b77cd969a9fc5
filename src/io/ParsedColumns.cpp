#include "io/ParsedColumns.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/KTRTime.h"
#include "core/SideBySide.h"
#include "core/StringArray.h"
#include "core/TextFormat.h"
#include "core/TextReader.h"
#include "core/UserInterface.h"
#include "io/ImportReport.h"
#include "io/InputCells.h"

namespace zav {

const char* const kParseTokens[kParseTokenCount] = {"VALUE",
                                                    "MM/DD/[YY]YY HH:MM:SS",
                                                    "MM/DD/[YY]YY HH:MM",
                                                    "YYYY.MM.DD HH:MM",
                                                    "MM/DD/[YY]YY",
                                                    "HH:MM:SS",
                                                    "HH:MM",
                                                    "SKIP"};

const char* const kNoDateTokenMessage =
    "The spreadsheet parse string has no date token (MM/DD/[YY]YY HH:MM:SS, MM/DD/[YY]YY HH:MM, "
    "YYYY.MM.DD HH:MM or MM/DD/[YY]YY), so no row could be given a date; nothing was read.";

namespace {

// In the order of kParseTokens.
enum class Token {
    kValue,
    kDateTimeSeconds,
    kDateTimeMinutes,
    kDottedDateTime,
    kDate,
    kTimeSeconds,
    kTimeMinutes,
    kSkip
};

// Text that is no token (a hand-edited project, say) reads as "SKIP".
Token TokenOf(std::string_view text) {
    for (int i = 0; i < kParseTokenCount; ++i) {
        if (text == kParseTokens[i]) {
            return static_cast<Token>(i);
        }
    }
    return Token::kSkip;
}

std::vector<Token> TokensOf(const std::string& parseString) {
    StringArray texts;
    texts.Split(parseString, false, "\t");
    std::vector<Token> tokens;
    for (const std::string& text : texts) {
        tokens.push_back(TokenOf(text));
    }
    return tokens;
}

bool IsTwoFieldToken(Token token) {
    return token == Token::kDateTimeSeconds || token == Token::kDateTimeMinutes ||
           token == Token::kDottedDateTime;
}

bool IsDateToken(Token token) {
    return IsTwoFieldToken(token) || token == Token::kDate;
}

bool ScanDateField(Token token, std::string_view cell, TimeFields& f) {
    if (token == Token::kDottedDateTime) {
        return ScanDateCell(cell, '.', true, f.year, f.month, f.day);
    }
    return ScanDateCell(cell, '/', true, f.month, f.day, f.year);
}

// The last date cell read and what it gave: the rows of one day repeat
// their date, and a long file has many rows a day.
class DateMemo {
public:
    bool Scan(Token token, std::string_view cell, TimeFields& f) {
        if (token != m_token || cell != std::string_view(m_text, m_size)) {
            m_read = ScanDateField(token, cell, m_fields);
            m_token = token;
            m_size = std::min(cell.size(), sizeof m_text);
            std::copy_n(cell.begin(), m_size, m_text);
            if (cell.size() > sizeof m_text) {
                m_token = Token::kSkip;  // too long to keep: no later cell matches
            }
        }
        f.year = m_fields.year;
        f.month = m_fields.month;
        f.day = m_fields.day;
        return m_read;
    }

private:
    Token m_token = Token::kSkip;
    char m_text[24] = {};
    size_t m_size = 0;
    TimeFields m_fields;
    bool m_read = false;
};

// Both time tokens read hours and minutes, and the seconds when the cell
// has them, rather than dropping them.
bool ScanTimeField(std::string_view cell, TimeFields& f) {
    return ScanClockCell(cell, true, true, f);
}

// The first words of a cell, cut at runs of blanks; 3 stands for "more
// than two".
size_t SplitInWords(std::string_view cell, std::string_view (&words)[2]) {
    size_t count = 0;
    size_t i = 0;
    while (i < cell.size()) {
        while (i < cell.size() && IsBlank(cell[i])) {
            ++i;
        }
        const size_t start = i;
        while (i < cell.size() && !IsBlank(cell[i])) {
            ++i;
        }
        if (i > start) {
            if (count == 2) {
                return 3;
            }
            words[count++] = cell.substr(start, i - start);
        }
    }
    return count;
}

// What one row's tokens read: the calendar fields, the cells they came
// from (or the one that could not be read), and each "VALUE" column's cell
// (empty where the row ends first).
struct RowRead {
    TimeFields time;
    bool dated = false;
    bool unreadable = false;  // a date or time field not in its token's form
    size_t first = 0;
    size_t last = 0;
    std::vector<std::string_view> values;
    std::vector<size_t> valueCells;

    // Every "VALUE" token of a row that is stored sets its cell, so the
    // cells of the row before need no clearing.
    void Reset(size_t valueColumns) {
        time = TimeFields();
        dated = false;
        unreadable = false;
        first = SIZE_MAX;
        last = 0;
        values.resize(valueColumns);
        valueCells.resize(valueColumns);
    }
    // Cells a to b read (or, when `read` is false, could not be read).
    void Note(size_t a, size_t b, bool read) {
        if (!read) {
            unreadable = true;
            first = a;
            last = b;
            return;
        }
        first = std::min(first, a);
        last = std::max(last, b);
    }
};

enum class RowResult { kRead, kBadFormat };

// Room in each wanted column for as many rows as `remaining` bytes hold if
// they are like one of `rowBytes`: growing ten million points as they come
// would copy them over and over.
void ReserveLike(const std::vector<bool>& wanted, std::vector<DataSeries>& columns, size_t rowBytes,
                 size_t remaining) {
    const size_t rows = 1 + remaining / (rowBytes + 1);
    for (size_t k = 0; k < wanted.size(); ++k) {
        if (wanted[k]) {
            columns[k].Reserve(rows);
        }
    }
}

// Reads the rows of one text, or of one part of it whose lines it counts
// from 1.
class ParsedReader {
public:
    ParsedReader(const std::vector<Token>& tokens, const std::vector<bool>& wanted,
                 std::vector<DataSeries>& columns, ImportReport& report)
        : m_tokens(tokens), m_wanted(wanted), m_columns(columns), m_report(report) {
        m_columns.resize(wanted.size());
    }

    // False at a row in no form the tokens can read ("Bad spreadsheet
    // format."): the import of the text ends there.
    bool Read(TextReader& in) {
        // The line stays in the reader's window: the cells are views into it.
        std::string_view line;
        while (in.ReadLineView(line)) {
            const size_t lineNumber = ++m_lines;
            if (TrimView(line).empty()) {
                continue;
            }
            m_cells.Split(line, ",\t");
            if (m_cells.size() == 1 && line.find_first_of(",\t") == std::string_view::npos) {
                m_cells.SplitWords(line);
            }
            if (ReadRow() == RowResult::kBadFormat) {
                return false;
            }
            if (m_firstRowBytes == 0) {
                m_firstRowBytes = line.size();
                ReserveLike(m_wanted, m_columns, line.size(), in.Remaining());
            }
            StoreRow(lineNumber);
        }
        return true;
    }

    // Lines read, blank ones included.
    size_t Lines() const { return m_lines; }
    // The length of the first row read, 0 before one is.
    size_t FirstRowBytes() const { return m_firstRowBytes; }

private:
    // Each token takes its cell in turn; a two-field token may take two. A
    // cell not in its token's form abandons the row.
    RowResult ReadRow() {
        m_row.Reset(m_wanted.size());
        const size_t count = m_cells.size();
        size_t c = 0;
        size_t valueIndex = 0;
        for (size_t i = 0; i < m_tokens.size() && !m_row.unreadable; ++i, ++c) {
            const Token token = m_tokens[i];
            if (token == Token::kValue) {
                if (valueIndex < m_row.values.size()) {
                    m_row.values[valueIndex] = c < count ? m_cells[c] : std::string_view();
                    m_row.valueCells[valueIndex] = c;
                }
                ++valueIndex;
            } else if (c >= count) {
                // Past the row's end a date cannot be read; a missing time
                // of day is midnight, as it always was.
                if (IsDateToken(token) && !m_row.dated) {
                    m_row.Note(c, c, false);
                }
            } else if (IsTwoFieldToken(token)) {
                if (!ReadDateAndTime(token, c)) {
                    return RowResult::kBadFormat;
                }
            } else if (token == Token::kDate) {
                m_row.Note(c, c, m_dates.Scan(token, m_cells[c], m_row.time));
                m_row.dated = true;
            } else if (token != Token::kSkip) {
                m_row.Note(c, c, ScanTimeField(m_cells[c], m_row.time));
            }
        }
        return RowResult::kRead;
    }

    // The date and time of a two-field token from cell `c`, or from it and
    // the next one (`c` is left on the last cell taken). False when the
    // time would have to come from beyond the row's last cell.
    bool ReadDateAndTime(Token token, size_t& c) {
        std::string_view words[2];
        const size_t first = c;
        switch (SplitInWords(m_cells[c], words)) {
            case 1:
                if (c + 1 >= m_cells.size()) {
                    return false;
                }
                words[1] = m_cells[++c];
                break;
            case 2:
                break;
            default:
                m_row.Note(c, c, false);
                return true;
        }
        m_row.Note(
            first, c,
            m_dates.Scan(token, words[0], m_row.time) && ScanTimeField(words[1], m_row.time));
        m_row.dated = true;
        return true;
    }

    std::string_view TimeText() const {
        if (m_row.first >= m_cells.size()) {
            return std::string_view();
        }
        return m_cells.Span(m_row.first, std::min(m_row.last, m_cells.size() - 1));
    }

    void StoreRow(size_t lineNumber) {
        const KTRTime time =
            m_row.unreadable || !m_row.dated ? KTRTime() : StorableTime(m_row.time);
        if (!time.IsValid()) {
            m_report.Skip(SkipRule::kUnreadableTime, lineNumber, m_row.first + 1, TimeText());
            return;
        }
        for (size_t k = 0; k < m_wanted.size(); ++k) {
            if (m_wanted[k]) {
                StoreValue(lineNumber, k, time);
            }
        }
    }

    // A missing value cell counts as an empty one; -999 and below are the
    // layout's mark for a value that is not there.
    void StoreValue(size_t lineNumber, size_t k, const KTRTime& time) {
        const std::string_view cell = m_row.values[k];
        const size_t column = m_row.valueCells[k] + 1;
        double value = 0.0;
        if (cell.empty()) {
            m_report.Skip(SkipRule::kEmptyCell, lineNumber, column, cell);
        } else if (!ReadNumberCell(cell, value)) {
            m_report.Skip(SkipRule::kNotANumber, lineNumber, column, cell);
        } else if (value <= -999.0) {
            m_report.Skip(SkipRule::kMissingValue, lineNumber, column, cell);
        } else {
            m_columns[k].InsertPoint(time, value, 0);
        }
    }

    // Copies of their own: readers on other threads would otherwise read
    // them from memory that the first thread writes beside.
    const std::vector<Token> m_tokens;
    const std::vector<bool> m_wanted;
    std::vector<DataSeries>& m_columns;
    ImportReport& m_report;
    CellSplitter m_cells;
    DateMemo m_dates;
    RowRead m_row;
    size_t m_lines = 0;
    size_t m_firstRowBytes = 0;
};

// Lines read side by side: what each gave, to be taken in order.
struct Chunk {
    size_t start = 0;  // in the piece
    size_t end = 0;
    std::vector<DataSeries> columns;
    ImportReport report;
    size_t lines = 0;
    size_t firstRowBytes = 0;
    bool read = true;  // false at a row in no readable form
};

constexpr size_t kChunksPerThread = 4;

// `piece` cut at line ends into at most `count` chunks of about equal size.
// The chunks of the piece before are emptied and used again: the room their
// columns took is taken once for the whole reading.
void CutIntoChunks(std::string_view piece, size_t count, std::vector<Chunk>& chunks) {
    size_t start = 0;
    size_t used = 0;
    for (size_t i = 1; i <= count && start < piece.size(); ++i, ++used) {
        size_t end = piece.size();
        if (i < count) {
            const size_t lineEnd = piece.find('\n', std::max(start, piece.size() / count * i));
            end = lineEnd == std::string_view::npos ? piece.size() : lineEnd + 1;
        }
        if (used == chunks.size()) {
            chunks.emplace_back();
        }
        Chunk& chunk = chunks[used];
        chunk.start = start;
        chunk.end = end;
        for (DataSeries& column : chunk.columns) {
            column.ClearPoints();
        }
        chunk.report = ImportReport();
        chunk.lines = chunk.firstRowBytes = 0;
        chunk.read = true;
        start = end;
    }
    chunks.resize(used);
}

// The text from the reading position to the last line end within about
// `bytes` (further when one line is longer), or to the end of the text.
std::string_view NextWholeLines(TextReader& in, size_t bytes) {
    for (size_t want = bytes;; want *= 2) {
        const std::string_view window = in.Window(want);
        if (window.size() < want || window.size() >= in.Remaining()) {
            return window;  // the end of the text, or all a failed file gave
        }
        const size_t lastLineEnd = window.rfind('\n');
        if (lastLineEnd != std::string_view::npos) {
            return window.substr(0, lastLineEnd + 1);
        }
    }
}

// Takes the chunks of a piece, in order, into `columns` and `report`.
class ChunkTaker {
public:
    ChunkTaker(const std::vector<bool>& wanted, std::vector<DataSeries>& columns,
               ImportReport& report, size_t total)
        : m_wanted(wanted), m_columns(columns), m_report(report), m_total(total) {
        m_columns.resize(wanted.size());
    }

    // False when a chunk held a row in no readable form: its rows before it
    // are taken, and nothing after it.
    bool Take(std::vector<Chunk>& chunks) {
        for (Chunk& chunk : chunks) {
            if (!m_reserved && chunk.firstRowBytes > 0) {
                m_reserved = true;
                ReserveLike(m_wanted, m_columns, chunk.firstRowBytes, m_total);
            }
            m_report.Absorb(chunk.report, m_linesBefore);
            m_linesBefore += chunk.lines;
            for (size_t k = 0; k < m_wanted.size(); ++k) {
                m_columns[k].InsertPoints(chunk.columns[k]);
            }
            if (!chunk.read) {
                return false;
            }
        }
        return true;
    }

private:
    const std::vector<bool>& m_wanted;
    std::vector<DataSeries>& m_columns;
    ImportReport& m_report;
    size_t m_total;  // the bytes of the whole text, for the room to reserve
    size_t m_linesBefore = 0;
    bool m_reserved = false;
};

void ReadChunk(const std::vector<Token>& tokens, const std::vector<bool>& wanted,
               std::string_view piece, Chunk& chunk) {
    TextReader part;
    part.SetPart(piece, chunk.start, chunk.end, 1);
    chunk.report.StartInput(std::string());
    ParsedReader reader(tokens, wanted, chunk.columns, chunk.report);
    chunk.read = reader.Read(part);
    chunk.lines = reader.Lines();
    chunk.firstRowBytes = reader.FirstRowBytes();
}

// Reads a text piece by piece, each cut into chunks of whole lines read side
// by side and then taken in order: the rows of a chunk come after those of
// the chunks before, as in a reading line by line, so a later row at the
// same time replaces an earlier one, places are numbered in the whole text
// and the first row in no readable form ends the reading, keeping only the
// rows before it. A piece is taken while the next is read, so that taking
// one keeps no thread waiting.
bool ReadInPieces(const std::vector<Token>& tokens, TextReader& in, const std::vector<bool>& wanted,
                  std::vector<DataSeries>& columns, ImportReport& report,
                  const ParsedReading& how) {
    ChunkTaker taker(wanted, columns, report, in.Remaining());
    const unsigned threads = ThreadsFor(how.threads);
    // The chunks of the piece being read and of the one before, kept from
    // piece to piece with the room their columns took.
    std::vector<Chunk> reading;
    std::vector<Chunk> waiting;
    bool taken = true;
    while (!in.AtEnd()) {
        // Room for this piece and the next, which is read while this one is.
        in.MakeRoomAhead(2 * how.pieceBytes);
        const std::string_view piece = NextWholeLines(in, how.pieceBytes);
        CutIntoChunks(
            piece,
            std::min<size_t>(threads * kChunksPerThread, piece.size() / how.leastPartBytes + 1),
            reading);
        // Task 0 reads the next piece, task 1 takes the piece before, the
        // others read this one's chunks.
        const size_t first = waiting.empty() ? 1 : 2;
        RunSideBySide(reading.size() + first, threads, [&](size_t i) {
            if (i == 0) {
                in.ReadAhead(how.pieceBytes);
            } else if (i < first) {
                taken = taker.Take(waiting);
            } else {
                ReadChunk(tokens, wanted, piece, reading[i - first]);
            }
        });
        if (!taken) {
            return false;
        }
        size_t lines = 0;
        for (const Chunk& chunk : reading) {
            lines += chunk.lines;
        }
        if (piece.back() == '\n') {
            in.Skip(piece.size(), lines);
        } else {
            in.Skip(piece.size());
        }
        std::swap(reading, waiting);
    }
    return waiting.empty() || taker.Take(waiting);
}

}  // namespace

bool IsParseToken(std::string_view token) {
    for (const char* known : kParseTokens) {
        if (token == known) {
            return true;
        }
    }
    return false;
}

int CountValueColumns(const std::string& parseString) {
    int count = 0;
    for (Token token : TokensOf(parseString)) {
        count += token == Token::kValue ? 1 : 0;
    }
    return count;
}

bool HasDateToken(const std::string& parseString) {
    const std::vector<Token> tokens = TokensOf(parseString);
    return std::any_of(tokens.begin(), tokens.end(), IsDateToken);
}

bool ReadParsedColumns(const std::string& parseString, const std::string& text,
                       const std::vector<bool>& wanted, std::vector<DataSeries>& columns,
                       UserInterface& ui, ImportReport& report) {
    TextReader in(text);
    return ReadParsedColumns(parseString, in, wanted, columns, ui, report);
}

bool ReadParsedColumns(const std::string& parseString, TextReader& in,
                       const std::vector<bool>& wanted, std::vector<DataSeries>& columns,
                       UserInterface& ui, ImportReport& report, const ParsedReading& how) {
    if (!ReadInPieces(TokensOf(parseString), in, wanted, columns, report, how)) {
        ui.ShowMessage("Bad spreadsheet format.");
        return false;
    }
    return true;
}

bool ImportParsedColumn(ZAVFieldManager& store, const std::string& station,
                        const std::string& parameter, const std::string& parseString,
                        int valueColumn, const std::string& text) {
    DataSeries* series = store.FindSeries(station, parameter);
    if (series == nullptr) {
        return false;
    }
    if (!HasDateToken(parseString)) {
        store.UI().ShowMessage(kNoDateTokenMessage);
        return false;
    }
    const int count = CountValueColumns(parseString);
    if (valueColumn < 1 || valueColumn > count) {
        return true;
    }
    std::vector<bool> wanted(static_cast<size_t>(count), false);
    wanted[static_cast<size_t>(valueColumn) - 1] = true;
    std::vector<DataSeries> columns;
    ImportReport report;
    report.StartInput(kClipboardInput);
    const bool ok = ReadParsedColumns(parseString, text, wanted, columns, store.UI(), report);
    const DataSeries& read = columns[static_cast<size_t>(valueColumn) - 1];
    series->InsertPoints(read);
    report.AddValues(read.Size());
    if (const std::string message = ImportMessage(report); !message.empty()) {
        store.UI().ShowMessage(message);
    }
    return ok;
}

}  // namespace zav
