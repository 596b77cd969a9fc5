// Building times from calendar fields: the cached local-time conversion
// against asking the C library for every point.
#include <benchmark/benchmark.h>

#include <ctime>

#include "core/KTRTime.h"

namespace zav::bench {
namespace {

void BM_KTRTimeFromFields(benchmark::State& state) {
    for (auto _ : state) {
        int64_t sum = 0;
        for (int i = 0; i < 100000; ++i) {
            KTRTime t(1995, 1 + (i / 2400) % 12, 1 + (i / 24) % 28, i % 24, 30, 0);
            sum += t.Instant();
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_KTRTimeFromFields);

void BM_MktimeFromFields(benchmark::State& state) {
    for (auto _ : state) {
        int64_t sum = 0;
        for (int i = 0; i < 100000; ++i) {
            std::tm parts{};
            parts.tm_year = 95;
            parts.tm_mon = (i / 2400) % 12;
            parts.tm_mday = 1 + (i / 24) % 28;
            parts.tm_hour = i % 24;
            parts.tm_min = 30;
            parts.tm_isdst = -1;
            sum += std::mktime(&parts);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_MktimeFromFields);

}  // namespace
}  // namespace zav::bench
