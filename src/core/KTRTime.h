// KTRTime: the one date-and-time value of the program, a local calendar date
// and time of day to the whole second in the process's time zone.
//
// It is held as a 64-bit instant, so any calendar year from 1000 to 9999 is
// exact and arithmetic is plain elapsed seconds (a day across a change to or
// from summer time lasts 23 or 25 hours). Local times that are repeated or
// skipped at such a change resolve by the rule in LocalClock.h.
//
// Two-digit years are read as 19xx. Years from 100 to 999 and above 9999
// make an invalid value, as does text that none of the patterns reads.
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

    static KTRTime FromInstant(int64_t instant);
    // Reads the stored form "%4d:%2d:%2d:%2d:%2d:%2d"; invalid when the
    // text does not hold six numbers.
    static KTRTime FromStoredForm(std::string_view text);

    bool IsValid() const { return m_instant != kInvalid; }
    int64_t Instant() const { return m_instant; }

    CalendarFields Fields() const;
    int Year() const { return Fields().year; }
    int Month() const { return Fields().month; }
    int Day() const { return Fields().day; }
    int Hour() const { return Fields().hour; }
    int Minute() const { return Fields().minute; }
    int Second() const { return Fields().second; }

    // Each rebuilds the value from its local fields with one field replaced.
    int SetYear(int year);
    int SetMinute(int minute);  // 0 and no change unless 0 <= minute < 60
    int SetSecond(int second);  // likewise

    bool operator<(const KTRTime& o) const { return m_instant < o.m_instant; }
    bool operator>(const KTRTime& o) const { return m_instant > o.m_instant; }
    bool operator<=(const KTRTime& o) const { return m_instant <= o.m_instant; }
    bool operator>=(const KTRTime& o) const { return m_instant >= o.m_instant; }
    bool operator==(const KTRTime& o) const { return m_instant == o.m_instant; }
    bool operator!=(const KTRTime& o) const { return m_instant != o.m_instant; }

    KTRTime operator+(int64_t seconds) const { return Shifted(seconds); }
    KTRTime operator-(int64_t seconds) const { return Shifted(-seconds); }
    // Signed seconds from `other` to this value.
    int64_t Difference(const KTRTime& other) const { return m_instant - other.m_instant; }

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
    KTRTime Shifted(int64_t seconds) const;

    int64_t m_instant = kInvalid;
};

}  // namespace zav
