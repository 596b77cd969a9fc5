// KTRTime: the one date-and-time value of the program, a calendar date and
// time of day to the whole second, exactly as the inputs and the project file
// write it: a wall-clock time, tied to no time zone.
//
// It is held as a count of seconds on one uniform civil time line (days
// since 1970-01-01 times 86400 plus the second of the day, as if the clock
// were UTC), worked out by integer calendar arithmetic. Every day has 86400
// seconds and no clock time is skipped or repeated, so summer time plays no
// part and every computer reads, orders and counts times alike.
//
// Calendar years 1000 to 9999 are held. Two-digit years are read as 19xx.
// Fields out of their ranges (month 13, day 0, hour 24) carry into the next
// or previous unit; a result outside years 1000 to 9999, a year from 100 to
// 999 or above 9999, and text that none of the patterns reads all make an
// invalid value, as does arithmetic that leaves those years.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zav {

enum IntervalUnit { kYears = 0, kMonths = 1, kWeeks = 2, kDays = 3, kHours = 4, kMinutes = 5 };

struct CalendarFields {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class KTRTime {
public:
    // An invalid value; arrays of times start from it.
    KTRTime() = default;
    // Free text: "M/D/Y h:m:s", "Y-M-D h:m:s" or "M/D/Y"; double quotes are
    // removed first. Empty text warns on standard error.
    explicit KTRTime(std::string_view text);
    KTRTime(int year, int month, int day, int hour, int minute, int second);

    // From seconds on the civil time line; invalid outside years 1000-9999.
    static KTRTime FromInstant(int64_t instant);
    // The computer's clock as it reads now.
    static KTRTime Now();
    // Reads the stored form "%4d:%2d:%2d:%2d:%2d:%2d"; invalid when the
    // text does not hold six numbers.
    static KTRTime FromStoredForm(std::string_view text);

    bool IsValid() const { return m_instant != kInvalid; }
    // Seconds on the civil time line (0 is 1970-01-01 00:00:00).
    int64_t Instant() const { return m_instant; }

    CalendarFields Fields() const;
    int Year() const { return Fields().year; }
    int Month() const { return Fields().month; }
    int Day() const { return Fields().day; }
    int Hour() const { return Fields().hour; }
    int Minute() const { return Fields().minute; }
    int Second() const { return Fields().second; }

    // Each rebuilds the value from its fields with one field replaced.
    int SetYear(int year);
    int SetMinute(int minute);  // 0 and no change unless 0 <= minute < 60
    int SetSecond(int second);  // likewise

    bool operator<(const KTRTime& o) const { return m_instant < o.m_instant; }
    bool operator>(const KTRTime& o) const { return m_instant > o.m_instant; }
    bool operator<=(const KTRTime& o) const { return m_instant <= o.m_instant; }
    bool operator>=(const KTRTime& o) const { return m_instant >= o.m_instant; }
    bool operator==(const KTRTime& o) const { return m_instant == o.m_instant; }
    bool operator!=(const KTRTime& o) const { return m_instant != o.m_instant; }

    // Invalid when the result leaves years 1000-9999.
    KTRTime operator+(int64_t seconds) const { return Shifted(seconds); }
    KTRTime operator-(int64_t seconds) const {
        return seconds == INT64_MIN ? KTRTime() : Shifted(-seconds);
    }
    // Signed seconds from `other` to this value; 0 when either is invalid.
    int64_t Difference(const KTRTime& other) const {
        return IsValid() && other.IsValid() ? m_instant - other.m_instant : 0;
    }

    // Calendar intervals of `unit` touched from this value to `end`, both
    // ends included; 0 when end is earlier or the unit is unknown.
    int UnitsBetween(const KTRTime& end, int unit) const;

    // Display form "%2d/%2d/%4d %2d:%02d:%02d".
    std::string ToText() const;
    // Stored form "%4d:%2d:%2d:%2d:%2d:%2d", without a line end.
    std::string ToStoredForm() const;
    void AppendStoredForm(std::string& out) const;
    // The same into a buffer of at least 64 characters; returns the length.
    size_t WriteStoredForm(char* out) const;

private:
    static constexpr int64_t kInvalid = INT64_MIN;
    // 1000-01-01 00:00:00 and 9999-12-31 23:59:59 on the civil time line.
    static constexpr int64_t kFirst = int64_t{-354285} * 86400;
    static constexpr int64_t kLast = int64_t{2932897} * 86400 - 1;

    // The civil seconds of the fields, or kInvalid; 64-bit throughout so
    // that no field an int can hold overflows while it carries.
    static int64_t SecondsOf(int64_t year, int64_t month, int64_t day, int64_t hour, int64_t minute,
                             int64_t second);
    KTRTime Shifted(int64_t seconds) const;

    int64_t m_instant = kInvalid;
};

}  // namespace zav
