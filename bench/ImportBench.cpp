// Import speed of the agency readers: the text readers alone, and the whole
// command (file read, reader, appending the source and rebuilding indexes).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "AgencyGenerators.h"
#include "core/FileIO.h"
#include "core/UserInterface.h"
#include "io/AgencyFile.h"
#include "io/ImportReport.h"
#include "io/MolvanReader.h"
#include "io/PellidorReader.h"

namespace zav::bench {
namespace {

// 20 stations x 7,143 lines x 7 columns: 1,000,020 value fields.
constexpr int kMolvanStations = 20;
constexpr int kMolvanLines = 7143;

const std::string& MolvanMillion(bool interleaved) {
    static const std::string grouped = MolvanText(kMolvanStations, kMolvanLines, false);
    static const std::string mixed = MolvanText(kMolvanStations, kMolvanLines, true);
    return interleaved ? mixed : grouped;
}

size_t PointsOf(const DataSource& source) {
    size_t points = 0;
    for (const DataSeries& series : source.series) {
        points += series.Size();
    }
    return points;
}

using AgencyTextReader = bool (*)(DataSource&, std::string, const std::string&, UserInterface&,
                                  ImportReport&);

// Reads `text` once per iteration and counts the points of a read.
size_t ReadText(benchmark::State& state, AgencyTextReader read, const std::string& text,
                const std::string& path) {
    ConsoleUserInterface ui;
    size_t points = 0;
    for (auto _ : state) {
        DataSource source;
        ImportReport report;
        if (!read(source, text, path, ui, report)) {
            state.SkipWithError("read failed");
        }
        points = PointsOf(source);
    }
    state.counters["points"] = static_cast<double>(points);
    return points;
}

void BM_MolvanText(benchmark::State& state) {
    const std::string& text = MolvanMillion(state.range(0) != 0);
    const size_t points = ReadText(state, ReadMolvanText, text, "bench.mlv");
    state.counters["points/s"] = benchmark::Counter(static_cast<double>(points),
                                                    benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_MolvanText)->ArgName("interleaved")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PellidorText(benchmark::State& state) {
    // Two parameters per station and water year: range(0) blocks in all.
    const int blocks = static_cast<int>(state.range(0));
    ReadText(state, ReadPellidorText, PellidorText(blocks / 10, 5), "bench.pld");
}
BENCHMARK(BM_PellidorText)->ArgName("blocks")->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// The whole Data menu command for one file, as a user waits for it.
void AddFile(benchmark::State& state, const std::string& name, const std::string& text) {
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    if (WriteFileSafely(path, text) != WriteResult::kOk) {
        state.SkipWithError("cannot write the input file");
        return;
    }
    ConsoleUserInterface ui;
    for (auto _ : state) {
        ZAVFieldManager store(ui);
        ImportReport report;
        if (AddAgencyFile(store, path, report) != 1) {
            state.SkipWithError("import failed");
        }
        benchmark::DoNotOptimize(store.PointCount());
    }
    std::remove(path.c_str());
}

void BM_AddMolvanFile(benchmark::State& state) {
    AddFile(state, "zav-bench-import.mlv", MolvanMillion(false));
}
BENCHMARK(BM_AddMolvanFile)->Unit(benchmark::kMillisecond);

void BM_AddPellidorFile(benchmark::State& state) {
    AddFile(state, "zav-bench-import.pld", PellidorText(10, 5));
}
BENCHMARK(BM_AddPellidorFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zav::bench
