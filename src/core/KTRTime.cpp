#include "core/KTRTime.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdio>
#include <ctime>
#include <string>

#include "core/Calendar.h"
#include "core/TextFormat.h"

namespace zav {

namespace {

constexpr int64_t kDay = 86400;

using calendar_detail::FloorDiv;

CalendarFields FieldsOf(int64_t seconds) {
    CalendarFields f;
    int64_t days = FloorDiv(seconds, kDay);
    int64_t sod = seconds - days * kDay;
    CivilFromDays(days, f.year, f.month, f.day);
    f.hour = static_cast<int>(sod / 3600);
    f.minute = static_cast<int>((sod / 60) % 60);
    f.second = static_cast<int>(sod % 60);
    return f;
}

// Emulates sscanf's "%Nd": blanks skipped, then at most `width` characters
// of an optionally signed number.
bool ScanWidthInt(std::string_view text, size_t& pos, int width, int& value) {
    while (pos < text.size() && IsBlank(text[pos])) {
        ++pos;
    }
    size_t end = std::min(text.size(), pos + static_cast<size_t>(width));
    size_t i = pos;
    bool negative = false;
    if (i < end && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    size_t digits = i;
    long long v = 0;
    while (i < end && text[i] >= '0' && text[i] <= '9') {
        v = v * 10 + (text[i] - '0');
        ++i;
    }
    if (i == digits) {
        return false;
    }
    value = static_cast<int>(negative ? -v : v);
    pos = i;
    return true;
}

// Times are made in runs from the same month (a file's points, a grid), so
// the day count of the month's first day is remembered; a day of the month
// only adds to it.
int64_t DaysOfDate(int64_t year, int64_t month, int64_t day) {
    struct Memo {
        int64_t year = 0;
        int64_t month = 0;
        int64_t firstDay = 0;
    };
    thread_local Memo memo;
    if (year != memo.year || month != memo.month) {
        memo = Memo{year, month, DaysFromCivil(year, month, 1)};
    }
    return memo.firstDay + (day - 1);
}

// sscanf's "%d": blanks skipped, an optional sign, then digits. A number
// beyond the int range, which sscanf would wrap into some other date, is
// reported apart.
enum class Number { kNone, kRead, kTooLarge };

Number ScanInt(std::string_view text, size_t& pos, int64_t& value) {
    size_t i = pos;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        ++i;
    }
    const size_t digits = i;
    int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = std::min<int64_t>(magnitude * 10 + (text[i] - '0'), int64_t{1} << 32);
    }
    if (i == digits) {
        return Number::kNone;
    }
    value = negative ? -magnitude : magnitude;
    pos = i;
    return value < INT_MIN || value > INT_MAX ? Number::kTooLarge : Number::kRead;
}

// Reads numbers with the literal text of `pattern` between them: 'd' is a
// number, a blank any run of blanks (or none), any other character itself.
// Returns how many numbers were read before the first mismatch, as sscanf
// counts them, or -1 at a number beyond the int range.
int ScanNumbers(std::string_view text, const char* pattern, int64_t* values) {
    size_t pos = 0;
    int count = 0;
    for (const char* p = pattern; *p != '\0'; ++p) {
        if (*p == 'd') {
            switch (ScanInt(text, pos, values[count])) {
                case Number::kNone:
                    return count;
                case Number::kTooLarge:
                    return -1;
                case Number::kRead:
                    ++count;
                    break;
            }
        } else if (*p == ' ') {
            while (pos < text.size() && IsBlank(text[pos])) {
                ++pos;
            }
        } else if (pos < text.size() && text[pos] == *p) {
            ++pos;
        } else {
            return count;
        }
    }
    return count;
}

}  // namespace

int64_t KTRTime::SecondsOf(int64_t year, int64_t month, int64_t day, int64_t hour, int64_t minute,
                           int64_t second) {
    if (year < 100) {
        year += 1900;
    }
    if (year < 1000 || year > 9999) {
        return kInvalid;
    }
    // Fields an int can hold carry at most some millions of years away,
    // far inside the 64-bit range; the result is checked afterwards.
    const int64_t seconds =
        DaysOfDate(year, month, day) * kDay + hour * 3600 + minute * 60 + second;
    return seconds >= kFirst && seconds <= kLast ? seconds : kInvalid;
}

KTRTime::KTRTime(int year, int month, int day, int hour, int minute, int second)
    : m_instant(SecondsOf(year, month, day, hour, minute, second)) {}

KTRTime::KTRTime(std::string_view text) {
    if (text.empty()) {
        std::fputs("[KTRTime::KTRTime] Warning: NULL str_date value.\n", stderr);
        return;
    }
    std::string clean;
    clean.reserve(text.size());
    for (char c : text) {
        if (c == '\0') {
            break;  // where the C library's reading of the text ended
        }
        if (c != '"') {
            clean.push_back(c);
        }
    }
    int64_t v[6] = {0, 0, 0, 0, 0, 0};
    int read = ScanNumbers(clean, "d/d/d d:d:d", v);
    if (read == 6) {
        m_instant = SecondsOf(v[2], v[0], v[1], v[3], v[4], v[5]);
        return;
    }
    if (read >= 0) {
        read = ScanNumbers(clean, "d-d-d d:d:d", v);
        if (read == 6) {
            m_instant = SecondsOf(v[0], v[1], v[2], v[3], v[4], v[5]);
            return;
        }
    }
    if (read >= 0 && ScanNumbers(clean, "d/d/d", v) == 3) {
        m_instant = SecondsOf(v[2], v[0], v[1], 0, 0, 0);
    }
}

KTRTime KTRTime::FromInstant(int64_t instant) {
    KTRTime t;
    if (instant >= kFirst && instant <= kLast) {
        t.m_instant = instant;
    }
    return t;
}

KTRTime KTRTime::Now() {
    // The one place the computer's zone is asked: the clock time a person
    // reads now. Nothing computed from times depends on it.
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    if (localtime_r(&now, &parts) == nullptr) {
        return KTRTime();
    }
    return KTRTime(parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
                   parts.tm_min, parts.tm_sec);
}

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The stored form exactly as this program writes it, four-digit year and
// fields padded with a blank, read without the general scanner: project
// files hold one such line per point. Anything else is left to the general
// reading, which gives the same fields for these lines.
bool ReadWrittenForm(std::string_view text, int v[6]) {
    size_t p = 0;
    while (p < text.size() && IsBlank(text[p])) {
        ++p;
    }
    if (text.size() - p < 19) {
        return false;
    }
    const char* c = text.data() + p;
    if (!IsDigit(c[0]) || !IsDigit(c[1]) || !IsDigit(c[2]) || !IsDigit(c[3])) {
        return false;
    }
    v[0] = (c[0] - '0') * 1000 + (c[1] - '0') * 100 + (c[2] - '0') * 10 + (c[3] - '0');
    for (int f = 1; f < 6; ++f) {
        const char* q = c + 1 + 3 * f;  // the ':' before field f
        if (q[0] != ':' || !IsDigit(q[2]) || !(IsDigit(q[1]) || q[1] == ' ')) {
            return false;
        }
        v[f] = (q[1] == ' ' ? 0 : (q[1] - '0') * 10) + (q[2] - '0');
    }
    // A digit straight after the seconds would be read into them by the
    // general scanner.
    return text.size() - p == 19 || !IsDigit(c[19]);
}

}  // namespace

KTRTime KTRTime::FromStoredForm(std::string_view text) {
    int fields[6];
    if (ReadWrittenForm(text, fields)) {
        return KTRTime(fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]);
    }
    static const int kWidths[6] = {4, 2, 2, 2, 2, 2};
    int v[6] = {0, 0, 0, 0, 0, 0};
    size_t pos = 0;
    for (int i = 0; i < 6; ++i) {
        if (i > 0) {
            if (pos >= text.size() || text[pos] != ':') {
                return KTRTime();
            }
            ++pos;
        }
        if (!ScanWidthInt(text, pos, kWidths[i], v[i])) {
            return KTRTime();
        }
    }
    return KTRTime(v[0], v[1], v[2], v[3], v[4], v[5]);
}

CalendarFields KTRTime::Fields() const {
    if (!IsValid()) {
        return CalendarFields{};
    }
    return FieldsOf(m_instant);
}

int KTRTime::SetYear(int year) {
    CalendarFields f = Fields();
    *this = KTRTime(year, f.month, f.day, f.hour, f.minute, f.second);
    return 1;
}

int KTRTime::SetMinute(int minute) {
    if (minute < 0 || minute >= 60) {
        return 0;
    }
    CalendarFields f = Fields();
    *this = KTRTime(f.year, f.month, f.day, f.hour, minute, f.second);
    return 1;
}

int KTRTime::SetSecond(int second) {
    if (second < 0 || second >= 60) {
        return 0;
    }
    CalendarFields f = Fields();
    *this = KTRTime(f.year, f.month, f.day, f.hour, f.minute, second);
    return 1;
}

KTRTime KTRTime::Shifted(int64_t seconds) const {
    // Compared before adding: the sum of a far shift could overflow.
    if (!IsValid() || seconds < kFirst - m_instant || seconds > kLast - m_instant) {
        return KTRTime();
    }
    KTRTime t;
    t.m_instant = m_instant + seconds;
    return t;
}

int KTRTime::UnitsBetween(const KTRTime& end, int unit) const {
    if (!IsValid() || !end.IsValid() || end < *this) {
        return 0;
    }
    CalendarFields a = Fields();
    CalendarFields b = end.Fields();
    int64_t d = DaysFromCivil(b.year, b.month, b.day) - DaysFromCivil(a.year, a.month, a.day);
    int64_t count = 0;
    switch (unit) {
        case kYears:
            count = b.year - a.year + 1;
            break;
        case kMonths:
            count = int64_t{b.year - a.year} * 12 + b.month - a.month + 1;
            break;
        case kWeeks:
            count = (d + 1 + 6) / 7;
            break;
        case kDays:
            count = d + 1;
            break;
        case kHours:
            count = d * 24 + b.hour - a.hour + 1;
            break;
        case kMinutes:
            count = (d * 24 + b.hour - a.hour) * 60 + b.minute - a.minute + 1;
            break;
        default:
            return 0;
    }
    return count > INT32_MAX ? INT32_MAX : static_cast<int>(count);
}

std::string KTRTime::ToText() const {
    CalendarFields f = Fields();
    return Format("%2d/%2d/%4d %2d:%02d:%02d", f.month, f.day, f.year, f.hour, f.minute, f.second);
}

size_t KTRTime::WriteStoredForm(char* out) const {
    CalendarFields f = Fields();
    size_t n = 0;
    if (f.year >= 1000 && f.year <= 9999) {
        n = static_cast<size_t>(std::to_chars(out, out + 8, f.year).ptr - out);
    } else {
        n = static_cast<size_t>(std::snprintf(out, 16, "%4d", f.year));
    }
    const int rest[5] = {f.month, f.day, f.hour, f.minute, f.second};
    for (int value : rest) {
        out[n++] = ':';
        if (value >= 0 && value < 100) {
            out[n++] = value < 10 ? ' ' : static_cast<char>('0' + value / 10);
            out[n++] = static_cast<char>('0' + value % 10);
        } else {
            n += static_cast<size_t>(std::snprintf(out + n, 12, "%2d", value));
        }
    }
    return n;
}

void KTRTime::AppendStoredForm(std::string& out) const {
    char buf[64];
    out.append(buf, WriteStoredForm(buf));
}

std::string KTRTime::ToStoredForm() const {
    std::string out;
    AppendStoredForm(out);
    return out;
}

}  // namespace zav
