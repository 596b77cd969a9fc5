// Opening and saving large projects, and the memory a loaded store takes.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <cmath>
#include <functional>
#include <numeric>
#include <vector>

#include "ProjectGenerator.h"
#include "ScriptedUserInterface.h"
#include "core/FileIO.h"
#include "core/TextFormat.h"
#include "io/CZAVDoc.h"
#include "io/DocumentEdits.h"

namespace zav::bench {
namespace {

// 100 series of 10,000 points: a million points.
const ProjectShape kMillion{100, 10000, 1990, 97};

const std::string& MillionPointProject() {
    static const std::string path = [] {
        std::string p = "/tmp/zav-bench-million-" + std::to_string(::getpid()) + ".zav";
        WriteFileSafely(p, ProjectText(kMillion));
        return p;
    }();
    return path;
}

DocumentEnvironment QuietEnvironment() {
    DocumentEnvironment env;
    env.programDir = "/tmp/zav-bench-";  // its own conversions file
    env.applyWorkingDirectory = false;
    return env;
}

void BM_OpenProject(benchmark::State& state) {
    const std::string& path = MillionPointProject();
    ScriptedUserInterface ui;
    size_t heapGrowth = 0;
    for (auto _ : state) {
        size_t before = mallinfo2().uordblks;
        CZAVDoc doc(ui, QuietEnvironment());
        if (!doc.OnOpenDocument(path)) {
            state.SkipWithError("open failed");
            return;
        }
        heapGrowth = mallinfo2().uordblks - before;
        benchmark::DoNotOptimize(doc.FieldManager().PointCount());
    }
    state.counters["bytes_per_point"] = static_cast<double>(heapGrowth) / 1e6;
}
BENCHMARK(BM_OpenProject)->Unit(benchmark::kMillisecond);

void BM_SaveProject(benchmark::State& state) {
    ScriptedUserInterface ui;
    CZAVDoc doc(ui, QuietEnvironment());
    FillStore(doc.FieldManager(), kMillion);
    std::string path = "/tmp/zav-bench-save-" + std::to_string(::getpid()) + ".zav";
    for (auto _ : state) {
        if (!doc.OnSaveDocument(path)) {
            state.SkipWithError("save failed");
            return;
        }
    }
    ::unlink(path.c_str());
}
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);

void BM_ProjectText(benchmark::State& state) {
    ScriptedUserInterface ui;
    CZAVDoc doc(ui, QuietEnvironment());
    FillStore(doc.FieldManager(), kMillion);
    for (auto _ : state) {
        benchmark::DoNotOptimize(doc.ProjectText());
    }
}
BENCHMARK(BM_ProjectText)->Unit(benchmark::kMillisecond);

// The two per-point conversions of a save, a million times each.
void BM_WriteExactMillion(benchmark::State& state) {
    std::vector<double> values;
    for (int i = 0; i < 1000000; ++i) {
        values.push_back(std::round(4000 + 2500 * std::sin(i * 0.001)) / 100.0);
    }
    char buf[kNumberBuffer];
    for (auto _ : state) {
        size_t total = 0;
        for (double v : values) {
            total += WriteExact(buf, v);
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_WriteExactMillion)->Unit(benchmark::kMillisecond);

void BM_WriteStoredFormMillion(benchmark::State& state) {
    const KTRTime start(1990, 1, 1, 0, 0, 0);
    char buf[64];
    for (auto _ : state) {
        size_t total = 0;
        for (int i = 0; i < 1000000; ++i) {
            total += (start + int64_t{i} * 3600).WriteStoredForm(buf);
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_WriteStoredFormMillion)->Unit(benchmark::kMillisecond);

// Times a change (arg 0), its Undo (1) or its Redo (2); between turns the
// document is put back as it was before the change.
void TimeHistoryStep(benchmark::State& state, CZAVDoc& doc, const std::function<void()>& change) {
    const int step = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        if (step > 0) {
            change();
        }
        if (step > 1) {
            doc.Undo();
        }
        state.ResumeTiming();
        if (step == 0) {
            change();
        } else if (step == 1) {
            doc.Undo();
        } else {
            doc.Redo();
        }
        state.PauseTiming();
        if (step != 1) {
            doc.Undo();
        }
        state.ResumeTiming();
    }
}

// Masking every point of a 100,000-point series from Edit Data, then
// taking it back and making it again: what the window's thread does for
// each. Each step is timed apart (arg 0 masks, 1 undoes, 2 redoes).
void BM_MaskedSeriesHistory(benchmark::State& state) {
    ScriptedUserInterface ui;
    CZAVDoc doc(ui, QuietEnvironment());
    FillStore(doc.FieldManager(), ProjectShape{1, 100000, 1990, 97});
    const std::string station = StationName(0);
    const size_t size = doc.FieldManager().PointCount();
    std::vector<size_t> indices(size);
    std::iota(indices.begin(), indices.end(), size_t{0});
    const std::vector<int32_t> masks(size, 1);
    TimeHistoryStep(state, doc, [&] { SetPointMasks(doc, station, "DO", indices, masks); });
}
BENCHMARK(BM_MaskedSeriesHistory)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// Edit Data's change of the first point's time of a 1,000,000-point series
// to after its last, with the sort that follows when the person moves on:
// the whole series moves (arg 0 changes and sorts, 1 undoes, 2 redoes).
void BM_EditTimeHistory(benchmark::State& state) {
    ScriptedUserInterface ui;
    CZAVDoc doc(ui, QuietEnvironment());
    FillStore(doc.FieldManager(), ProjectShape{1, 1000000, 1900, 97});
    const std::string station = StationName(0);
    const DataSeries& series = *doc.FieldManager().FindSeries(station, "DO");
    const KTRTime after = series.Time(series.Size() - 1) + 3600;
    TimeHistoryStep(state, doc, [&] {
        SetPointTime(doc, station, "DO", 0, after);
        PutInTimeOrder(doc, station, "DO");
    });
}
BENCHMARK(BM_EditTimeHistory)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// Deleting every station of the 10-million-point project, then taking it
// back and making it again (arg 0 deletes, 1 undoes, 2 redoes).
void BM_WholeProjectHistory(benchmark::State& state) {
    ScriptedUserInterface ui;
    CZAVDoc doc(ui, QuietEnvironment());
    const ProjectShape shape;
    FillStore(doc.FieldManager(), shape);
    std::vector<std::string> names;
    for (int s = 0; s < shape.stations; ++s) {
        names.push_back(StationName(s));
    }
    TimeHistoryStep(state, doc, [&] { DeleteStations(doc, names); });
}
BENCHMARK(BM_WholeProjectHistory)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zav::bench

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    ::unlink(zav::bench::MillionPointProject().c_str());
    return 0;
}
