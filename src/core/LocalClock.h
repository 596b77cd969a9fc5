// Conversion between local clock time and instants (seconds since
// 1970-01-01 00:00:00 UTC) in the process's time zone.
//
// The C library is asked only for the UTC offset at an instant, once per
// day at most: results are cached per day, so converting millions of points
// costs a table lookup each.
//
// Local times around a change of UTC offset follow one fixed rule, so the
// same text always gives the same instant:
//  - a local time that occurs twice (the repeated hour when summer time
//    ends) is its first occurrence, the earlier instant;
//  - a local time that does not occur (the hour skipped when summer time
//    begins) is read with the UTC offset in force before the change, so it
//    lands as far past the change as it lies past the skipped hour's start
//    (02:30 on a night that jumps from 02:00 to 03:00 becomes 03:30).
#pragma once

#include <cstdint>

namespace zav {

// Local seconds count the local calendar as if it were UTC: days since
// 1970-01-01 times 86400 plus the second of the day.
int64_t LocalSecondsToInstant(int64_t localSeconds);
int64_t InstantToLocalSeconds(int64_t instant);

// The zone's offset from UTC in seconds at an instant, asked of the C
// library each time (no cache); for callers that step from day to day.
int UtcOffsetAt(int64_t instant);

// Changes whenever ResetLocalClock runs; callers that keep converted times
// of their own compare it to know when to forget them.
unsigned LocalClockGeneration();

// Re-reads TZ and forgets every cached offset; for tests that switch zones.
void ResetLocalClock();

}  // namespace zav
