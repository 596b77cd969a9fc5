#include "core/LocalClock.h"

#include <atomic>
#include <ctime>

namespace zav {

namespace {

constexpr int64_t kDay = 86400;
constexpr int64_t kMaxOffset = 15 * 3600;  // wider than any zone's offset

std::atomic<unsigned> g_generation{1};

int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

int OffsetAt(int64_t instant) {
    std::time_t t = static_cast<std::time_t>(instant);
    std::tm parts{};
    if (localtime_r(&t, &parts) == nullptr) {
        return 0;
    }
    return static_cast<int>(parts.tm_gmtoff);
}

// The UTC offsets in force at two instants and, when they differ, the
// first instant that has the second offset. Zones change offset at most
// once in the windows used here.
struct OffsetSpan {
    int64_t key = INT64_MIN;
    unsigned generation = 0;
    int before = 0;
    int after = 0;
    int64_t change = 0;
};

OffsetSpan MakeSpan(int64_t key, int64_t from, int64_t to) {
    OffsetSpan span;
    span.key = key;
    span.generation = g_generation.load(std::memory_order_relaxed);
    span.before = OffsetAt(from);
    span.after = OffsetAt(to);
    span.change = to;
    if (span.before != span.after) {
        int64_t lo = from;
        int64_t hi = to;
        while (hi - lo > 1) {
            int64_t mid = lo + (hi - lo) / 2;
            if (OffsetAt(mid) == span.before) {
                lo = mid;
            } else {
                hi = mid;
            }
        }
        span.change = hi;
    }
    return span;
}

class SpanCache {
public:
    template <class Make>
    const OffsetSpan& Get(int64_t key, Make make) {
        OffsetSpan& slot = m_slots[static_cast<uint64_t>(key) % kSlots];
        if (slot.key != key || slot.generation != g_generation.load(std::memory_order_relaxed)) {
            slot = make();
        }
        return slot;
    }

private:
    static constexpr size_t kSlots = 512;
    OffsetSpan m_slots[kSlots];
};

thread_local SpanCache t_localDays;
thread_local SpanCache t_utcDays;

}  // namespace

int64_t LocalSecondsToInstant(int64_t localSeconds) {
    int64_t day = FloorDiv(localSeconds, kDay);
    const OffsetSpan& span = t_localDays.Get(day, [day] {
        return MakeSpan(day, day * kDay - kMaxOffset, (day + 1) * kDay + kMaxOffset);
    });
    int64_t withBefore = localSeconds - span.before;
    if (span.before == span.after || withBefore < span.change) {
        return withBefore;
    }
    int64_t withAfter = localSeconds - span.after;
    if (withAfter >= span.change) {
        return withAfter;
    }
    return withBefore;  // skipped local time
}

int64_t InstantToLocalSeconds(int64_t instant) {
    int64_t day = FloorDiv(instant, kDay);
    const OffsetSpan& span =
        t_utcDays.Get(day, [day] { return MakeSpan(day, day * kDay, day * kDay + kDay - 1); });
    return instant + (instant < span.change ? span.before : span.after);
}

int UtcOffsetAt(int64_t instant) {
    return OffsetAt(instant);
}

unsigned LocalClockGeneration() {
    return g_generation.load(std::memory_order_relaxed);
}

void ResetLocalClock() {
    tzset();
    g_generation.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace zav
