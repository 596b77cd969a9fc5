// Building times: from calendar fields (every reader and the project file)
// and from free text (spreadsheet cells, the edit page).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

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

// Points of many years, so that no month repeats from one point to the next.
void BM_KTRTimeFromScatteredFields(benchmark::State& state) {
    for (auto _ : state) {
        int64_t sum = 0;
        for (int i = 0; i < 100000; ++i) {
            KTRTime t(1000 + i % 9000, 1 + i % 12, 1 + i % 28, i % 24, 30, 0);
            sum += t.Instant();
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_KTRTimeFromScatteredFields);

void BM_KTRTimeFromText(benchmark::State& state) {
    std::vector<std::string> texts;
    for (int i = 0; i < 10000; ++i) {
        texts.push_back(std::to_string(1 + i % 12) + "/" + std::to_string(1 + i % 28) + "/1995 " +
                        std::to_string(i % 24) + ":30:00");
    }
    for (auto _ : state) {
        int64_t sum = 0;
        for (const std::string& text : texts) {
            sum += KTRTime(text).Instant();
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_KTRTimeFromText);

}  // namespace
}  // namespace zav::bench
