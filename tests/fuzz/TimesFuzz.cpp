// The time routines against independent models: the calendar against a
// day count of its own, the readers of free text and of the stored form
// against sscanf, and arithmetic against wide integers.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "FuzzSupport.h"
#include "core/KTRTime.h"

using namespace zav;

namespace {

constexpr int64_t kFirst = int64_t{-354285} * 86400;     // 1000-01-01 00:00:00
constexpr int64_t kLast = int64_t{2932897} * 86400 - 1;  // 9999-12-31 23:59:59

int64_t FloorDiv(int64_t a, int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Days from 1970-01-01 of a proleptic Gregorian date, by eras of 400 years.
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    const int64_t era = FloorDiv(y, 400);
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// What a time of these fields is: two-digit years are 19xx, other years
// outside 1000-9999 are none, and fields carry into the next unit.
KTRTime Model(int64_t y, int64_t mo, int64_t d, int64_t h, int64_t mi, int64_t s) {
    if (y < 100) {
        y += 1900;
    }
    if (y < 1000 || y > 9999) {
        return KTRTime();
    }
    y += FloorDiv(mo - 1, 12);
    mo = mo - 1 - FloorDiv(mo - 1, 12) * 12 + 1;
    const int64_t seconds = (DaysFromCivil(y, mo, 1) + d - 1) * 86400 + h * 3600 + mi * 60 + s;
    return KTRTime::FromInstant(seconds);
}

std::string Show(const KTRTime& t) {
    return t.IsValid() ? t.ToStoredForm() : std::string("invalid");
}

void CheckInstant(int64_t instant, int64_t shift) {
    const KTRTime t = KTRTime::FromInstant(instant);
    ZAV_FUZZ_CHECK(t.IsValid() == (instant >= kFirst && instant <= kLast), std::to_string(instant));
    if (!t.IsValid()) {
        return;
    }
    const CalendarFields f = t.Fields();
    const std::string where = "instant " + std::to_string(instant) + " (" + t.ToStoredForm() + ")";
    ZAV_FUZZ_CHECK(f.month >= 1 && f.month <= 12 && f.day >= 1 && f.day <= 31 && f.hour >= 0 &&
                       f.hour < 24 && f.minute >= 0 && f.minute < 60 && f.second >= 0 &&
                       f.second < 60,
                   where);
    ZAV_FUZZ_CHECK(Model(f.year, f.month, f.day, f.hour, f.minute, f.second) == t, where);
    ZAV_FUZZ_CHECK(Model(f.year, f.month + 1, 0, 0, 0, 0).Day() >= f.day, where + ": no such day");
    ZAV_FUZZ_CHECK(KTRTime::FromStoredForm(t.ToStoredForm()) == t, where + ": stored form");
    ZAV_FUZZ_CHECK(KTRTime(t.ToText()) == t, where + ": display form '" + t.ToText() + "'");
    int64_t sum = 0;
    const bool overflows = __builtin_add_overflow(instant, shift, &sum);
    const KTRTime shifted = t + shift;
    ZAV_FUZZ_CHECK(shifted.IsValid() == (!overflows && sum >= kFirst && sum <= kLast),
                   where + " + " + std::to_string(shift));
    if (shifted.IsValid()) {
        ZAV_FUZZ_CHECK(shifted.Instant() == sum && shifted.Difference(t) == shift,
                       where + " + " + std::to_string(shift));
    }
}

// sscanf's "%d" wraps numbers beyond the int range, where the program
// refuses them; the model is only asked about shorter runs of digits.
bool HasLongNumber(const std::string& text) {
    size_t run = 0;
    for (char c : text) {
        run = (c >= '0' && c <= '9') ? run + 1 : 0;
        if (run > 9) {
            return true;
        }
    }
    return false;
}

KTRTime FreeTextModel(const std::string& text) {
    int v[6] = {0, 0, 0, 0, 0, 0};
    int read =
        std::sscanf(text.c_str(), "%d/%d/%d %d:%d:%d", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5]);
    if (read == 6) {
        return Model(v[2], v[0], v[1], v[3], v[4], v[5]);
    }
    if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5]) ==
        6) {
        return Model(v[0], v[1], v[2], v[3], v[4], v[5]);
    }
    if (std::sscanf(text.c_str(), "%d/%d/%d", &v[0], &v[1], &v[2]) == 3) {
        return Model(v[2], v[0], v[1], 0, 0, 0);
    }
    return KTRTime();
}

KTRTime StoredFormModel(const std::string& text) {
    int v[6] = {0, 0, 0, 0, 0, 0};
    if (std::sscanf(text.c_str(), "%4d:%2d:%2d:%2d:%2d:%2d", &v[0], &v[1], &v[2], &v[3], &v[4],
                    &v[5]) != 6) {
        return KTRTime();
    }
    return Model(v[0], v[1], v[2], v[3], v[4], v[5]);
}

void CheckText(const std::string& text) {
    // The C library reads up to the first NUL, and double quotes are not
    // part of a date.
    std::string clean;
    for (char c : std::string(text.c_str())) {
        if (c != '"') {
            clean += c;
        }
    }
    if (!clean.empty() && !HasLongNumber(clean)) {
        const KTRTime model = FreeTextModel(clean);
        const KTRTime read(text);
        ZAV_FUZZ_CHECK(read == model, "free text '" + text + "' read as " + Show(read) +
                                          ", sscanf gives " + Show(model));
    }
    const std::string c(text.c_str());
    const KTRTime stored = KTRTime::FromStoredForm(c);
    const KTRTime model = StoredFormModel(c);
    ZAV_FUZZ_CHECK(stored == model, "stored form '" + c + "' read as " + Show(stored) +
                                        ", sscanf gives " + Show(model));
}

int64_t Int64At(const uint8_t* data) {
    int64_t value = 0;
    std::memcpy(&value, data, sizeof value);
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    switch (data[0] % 3) {
        case 0:
            if (size >= 17) {
                // Mostly instants inside the years a project holds, some beyond.
                const int64_t raw = Int64At(data + 1);
                const int64_t span = kLast - kFirst + 1;
                const int64_t instant =
                    (data[0] & 0x80) ? raw : kFirst + (raw % span + span) % span;
                CheckInstant(instant, Int64At(data + 9));
            }
            break;
        case 1:
            if (size >= 13) {
                int16_t f[6];
                std::memcpy(f, data + 1, sizeof f);
                const KTRTime t(f[0], f[1], f[2], f[3], f[4], f[5]);
                const KTRTime model = Model(f[0], f[1], f[2], f[3], f[4], f[5]);
                ZAV_FUZZ_CHECK(t == model, "fields " + std::to_string(f[0]) + " " +
                                               std::to_string(f[1]) + " " + std::to_string(f[2]) +
                                               " " + std::to_string(f[3]) + " " +
                                               std::to_string(f[4]) + " " + std::to_string(f[5]) +
                                               " make " + Show(t) + ", model " + Show(model));
            }
            break;
        default:
            if (size <= 256) {
                CheckText(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
            }
            break;
    }
    return 0;
}
