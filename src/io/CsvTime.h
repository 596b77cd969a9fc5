// CsvTime: how the time cells of a delimited file are read. Without a
// pattern a cell is ISO 8601 ("2024-05-17", "2024-05-17 08:30",
// "2024-05-17T08:30:00Z", "2024-05-17T08:30:00-05:00") or M/D/YYYY with an
// optional time ("5/17/2024 8:30"); with a pattern its fields are given by
// %Y %m %d %H %M %S %b %y. A time that carries a UTC offset (Z or +-HH:MM)
// is moved to the offset the user asked for; a time without one is taken as
// written. Fields must lie in their ranges: nothing carries into the next
// day or month, so a misread column is reported instead of stored shifted.
#pragma once

#include <string>
#include <string_view>

#include "core/KTRTime.h"

namespace zav {

class CsvTimeReader {
public:
    // `format` "" or "auto" for ISO 8601 and M/D/YYYY, else a pattern;
    // `utcOffsetMinutes` the offset times with an offset are moved to.
    CsvTimeReader(std::string format, int utcOffsetMinutes);

    // "" when the pattern can be used, else why not.
    std::string FormatError() const;
    // The time, or an invalid one when the text is not in the form or names
    // a time outside the years 1000 to 9999.
    KTRTime Read(std::string_view text) const;

private:
    std::string m_pattern;  // empty: automatic
    int m_utcOffsetMinutes = 0;
};

// "+HH:MM" or "-HH:MM" (also "+HHMM", "+HH" and "Z") as minutes east of UTC;
// false when the text is not one, or is beyond 18 hours.
bool ReadUtcOffset(std::string_view text, int& minutes);

}  // namespace zav
