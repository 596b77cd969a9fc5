// The cells of input lines and what a reader may take from one: the rules the
// spreadsheet and agency readers share for cutting a line into cells, for
// reading a number cell whole, for reading date and time cells, and for
// turning calendar fields into a time a project can save and read back.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/KTRTime.h"

namespace zav {

// The cells of one line, as views into the line (valid while the line is),
// or into the splitter itself for a quoted cell that had to be unescaped.
// The readers keep one splitter, so a line costs no allocation.
class CellSplitter {
public:
    // Cells at every `separator` (comma or tab): two separators in a row
    // make an empty cell, blanks around a cell are trimmed, and a cell in
    // double quotes may hold the separator ("" in it stands for one quote).
    void Split(std::string_view line, char separator);
    // The same at any of the `separators`.
    void Split(std::string_view line, std::string_view separators);
    // Words between runs of blanks and commas: only such runs merge.
    void SplitWords(std::string_view line);

    size_t size() const { return m_cells.size(); }
    bool empty() const { return m_cells.empty(); }
    std::string_view operator[](size_t i) const { return m_cells[i]; }
    // The line's text from cell `first` to cell `last` as written, for
    // reports; the first cell alone where the two are not both in the line.
    std::string_view Span(size_t first, size_t last) const;

private:
    std::string_view Unquoted(std::string_view inside, std::string_view after);
    void SetSeparators(std::string_view separators);
    // The first separator in line[from, size), or the line's size.
    size_t NextSeparator(std::string_view line, size_t from) const;

    std::string_view m_line;
    std::vector<std::string_view> m_cells;
    std::string m_unquoted;  // reserved per line, so views into it stay valid
    std::string m_separatorText;
    std::array<bool, 256> m_isSeparator{};
    // One or two separators (all the readers use) are looked for eight
    // bytes at a time; more, a byte at a time.
    bool m_twoAtMost = false;
    char m_first = 0;
    char m_second = 0;
};

// A value cell: after trimming, the whole text is one decimal number (digits
// with an optional point and exponent, after an optional '-' or '+'). Text,
// trailing letters ("0.05 E"), "nan", "inf", hexadecimal and numbers beyond
// the range of a double are not numbers.
bool ReadNumberCell(std::string_view cell, double& value);

// Calendar fields as a cell gives them, wide enough that a field beyond the
// int range stays beyond it instead of wrapping round into another date.
struct TimeFields {
    int64_t year = 0;
    int64_t month = 0;
    int64_t day = 0;
    int64_t hour = 0;
    int64_t minute = 0;
    int64_t second = 0;
};

// 1 to 12 for the first of "Jan" ... "Dec" found in `name`, in any case (so
// "January", "Jan" and "JAN" are 1); -1 when none is.
int MonthFromName(std::string_view name);

// Date and time cells, read as sscanf reads them: integers with blanks and
// a sign before them. With `whole` the form must fill the cell (blanks
// around it aside); otherwise it is read from the cell's start and
// whatever follows it is passed over. False when the cell is not in (or
// does not begin with) the form.
// "a<sep>b<sep>c", such as M/D/Y or Y.M.D:
bool ScanDateCell(std::string_view cell, char separator, bool whole, int64_t& a, int64_t& b,
                  int64_t& c);
// "D-MonthName-Y" (the name found in any case); month -1 when no month's
// abbreviation is in the name. Read from the cell's start.
bool ScanNamedDateCell(std::string_view cell, int64_t& day, int64_t& month, int64_t& year);
// "H:M:S", or also "H:M" (seconds 0) when `secondsOptional`.
bool ScanClockCell(std::string_view cell, bool secondsOptional, bool whole, TimeFields& fields);
// An integer at the start of the text, as "%d" reads it.
bool ScanLeadingInteger(std::string_view text, int64_t& value);
// A cell that is one whole integer.
bool ScanIntegerCell(std::string_view cell, int64_t& value);

// The time the fields name, carried as KTRTime carries them; invalid when
// a field is beyond the int range or the carried date falls outside the
// years 1000 to 9999, which a project cannot hold.
KTRTime StorableTime(const TimeFields& fields);

}  // namespace zav
