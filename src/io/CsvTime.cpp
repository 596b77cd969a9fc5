#include "io/CsvTime.h"

#include "core/Calendar.h"
#include "core/TextFormat.h"
#include "io/InputCells.h"

namespace zav {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A cursor over a cell's text; every read moves it only when it succeeds.
struct Cursor {
    std::string_view text;
    size_t pos = 0;

    bool AtEnd() const { return pos >= text.size(); }
    char Peek() const { return AtEnd() ? '\0' : text[pos]; }
    bool Take(char c) {
        if (Peek() != c) {
            return false;
        }
        ++pos;
        return true;
    }
    // Between `least` and `most` digits.
    bool Digits(size_t least, size_t most, int& value) {
        size_t n = 0;
        int v = 0;
        while (n < most && pos + n < text.size() && IsDigit(text[pos + n])) {
            v = v * 10 + (text[pos + n] - '0');
            ++n;
        }
        if (n < least) {
            return false;
        }
        pos += n;
        value = v;
        return true;
    }
    size_t Blanks() {
        const size_t start = pos;
        while (!AtEnd() && (text[pos] == ' ' || text[pos] == '\t')) {
            ++pos;
        }
        return pos - start;
    }
};

// ":SS" with an optional fraction that must be zero: a project holds whole
// seconds, and a fraction would be lost without a word.
bool ReadSeconds(Cursor& in, CalendarFields& f) {
    if (!in.Take(':')) {
        return true;
    }
    if (!in.Digits(2, 2, f.second)) {
        return false;
    }
    if (in.Take('.') || in.Take(',')) {
        int digit = 0;
        bool any = false;
        while (in.Digits(1, 1, digit)) {
            any = true;
            if (digit != 0) {
                return false;
            }
        }
        return any;
    }
    return true;
}

bool ReadClock(Cursor& in, CalendarFields& f) {
    return in.Digits(1, 2, f.hour) && in.Take(':') && in.Digits(2, 2, f.minute) &&
           ReadSeconds(in, f);
}

// What may follow a date: nothing, or a time after 'T' or blanks.
bool ReadTimeOfDay(Cursor& in, CalendarFields& f) {
    if (in.AtEnd()) {
        return true;
    }
    if (!in.Take('T') && in.Blanks() == 0) {
        return false;
    }
    return ReadClock(in, f);
}

bool ReadIsoDate(Cursor& in, CalendarFields& f) {
    return in.Digits(4, 4, f.year) && in.Take('-') && in.Digits(1, 2, f.month) && in.Take('-') &&
           in.Digits(1, 2, f.day);
}

bool ReadUsDate(Cursor& in, CalendarFields& f) {
    return in.Digits(1, 2, f.month) && in.Take('/') && in.Digits(1, 2, f.day) && in.Take('/') &&
           in.Digits(4, 4, f.year);
}

bool InRange(const CalendarFields& f) {
    return f.year >= 1000 && f.year <= 9999 && f.month >= 1 && f.month <= 12 && f.day >= 1 &&
           f.day <= MonthLength(f.year, f.month) && f.hour >= 0 && f.hour <= 23 && f.minute >= 0 &&
           f.minute <= 59 && f.second >= 0 && f.second <= 59;
}

bool ReadMonthName(Cursor& in, int& month) {
    size_t n = 0;
    while (in.pos + n < in.text.size() &&
           ((in.text[in.pos + n] | 0x20) >= 'a' && (in.text[in.pos + n] | 0x20) <= 'z')) {
        ++n;
    }
    if (n < 3) {
        return false;
    }
    // The name must start with the month's abbreviation ("Mar", "March").
    const int found = MonthFromName(in.text.substr(in.pos, 3));
    if (found < 1) {
        return false;
    }
    month = found;
    in.pos += n;
    return true;
}

// One directive of a pattern; false when the text does not follow it.
bool ReadDirective(Cursor& in, char directive, CalendarFields& f) {
    switch (directive) {
        case 'Y':
            return in.Digits(4, 4, f.year);
        case 'y':
            // Two-digit years as the C library's strptime takes them.
            if (!in.Digits(2, 2, f.year)) {
                return false;
            }
            f.year += f.year < 69 ? 2000 : 1900;
            return true;
        case 'm':
            return in.Digits(1, 2, f.month);
        case 'd':
            return in.Digits(1, 2, f.day);
        case 'H':
            return in.Digits(1, 2, f.hour);
        case 'M':
            return in.Digits(1, 2, f.minute);
        case 'S':
            return in.Digits(1, 2, f.second);
        case 'b':
            return ReadMonthName(in, f.month);
        default:
            return false;
    }
}

bool ReadPattern(Cursor& in, std::string_view pattern, CalendarFields& f) {
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char p = pattern[i];
        if (p == '%' && i + 1 < pattern.size()) {
            if (!ReadDirective(in, pattern[++i], f)) {
                return false;
            }
        } else if (p == ' ') {
            if (in.Blanks() == 0) {
                return false;
            }
        } else if (!in.Take(p)) {
            return false;
        }
    }
    return true;
}

// What may end a time: blanks, then a UTC offset or nothing.
bool ReadEnd(Cursor& in, bool& hasOffset, int& offset) {
    in.Blanks();
    if (in.AtEnd()) {
        return true;
    }
    hasOffset = ReadUtcOffset(in.text.substr(in.pos), offset);
    return hasOffset;
}

}  // namespace

bool ReadUtcOffset(std::string_view text, int& minutes) {
    text = TrimView(text);
    if (text == "Z") {
        minutes = 0;
        return true;
    }
    Cursor in{text};
    const int sign = in.Take('+') ? 1 : (in.Take('-') ? -1 : 0);
    int hours = 0;
    int mins = 0;
    if (sign == 0 || !in.Digits(2, 2, hours)) {
        return false;
    }
    if (!in.AtEnd()) {
        in.Take(':');
        if (!in.Digits(2, 2, mins)) {
            return false;
        }
    }
    if (!in.AtEnd() || hours > 18 || mins > 59 || hours * 60 + mins > 18 * 60) {
        return false;
    }
    minutes = sign * (hours * 60 + mins);
    return true;
}

CsvTimeReader::CsvTimeReader(std::string format, int utcOffsetMinutes)
    : m_pattern(format == "auto" ? std::string() : std::move(format)),
      m_utcOffsetMinutes(utcOffsetMinutes) {}

std::string CsvTimeReader::FormatError() const {
    bool date = false;
    for (size_t i = 0; i < m_pattern.size(); ++i) {
        if (m_pattern[i] != '%') {
            continue;
        }
        const char d = i + 1 < m_pattern.size() ? m_pattern[++i] : '\0';
        if (std::string_view("YymdHMSb").find(d) == std::string_view::npos || d == '\0') {
            return "the time format '" + m_pattern + "' has %" + std::string(1, d) +
                   ", which is not one of %Y %m %d %H %M %S %b %y";
        }
        date = date || d == 'Y' || d == 'y';
    }
    if (!m_pattern.empty() && !date) {
        return "the time format '" + m_pattern + "' has no year (%Y or %y)";
    }
    return "";
}

KTRTime CsvTimeReader::Read(std::string_view text) const {
    Cursor in{TrimView(text)};
    CalendarFields f;
    f.month = 1;
    f.day = 1;
    bool read = false;
    if (!m_pattern.empty()) {
        read = ReadPattern(in, m_pattern, f);
    } else if (in.text.size() > 4 && in.text[4] == '-') {
        read = ReadIsoDate(in, f) && ReadTimeOfDay(in, f);
    } else {
        read = ReadUsDate(in, f) && ReadTimeOfDay(in, f);
    }
    bool hasOffset = false;
    int offset = 0;
    if (!read || !ReadEnd(in, hasOffset, offset) || !InRange(f)) {
        return KTRTime();
    }
    const KTRTime written(f.year, f.month, f.day, f.hour, f.minute, f.second);
    if (!hasOffset) {
        return written;
    }
    return written + int64_t{m_utcOffsetMinutes - offset} * 60;
}

}  // namespace zav
