// Retrieval and report benchmarks: GetData over one long series, and the
// report of many stations (statistics alone, the finished table, and the
// whole path from the project file to the table).
//
// The file-to-table benchmark reads the project named by ZAV_BENCH_PROJECT
// (written by zav_bench_generate; see report_comparison.sh).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>
#include <memory>

#include "ProjectGenerator.h"
#include "analysis/GraphDescription.h"
#include "analysis/IntervalStatistics.h"
#include "analysis/IntervalSummary.h"
#include "analysis/ReportBuilder.h"
#include "core/FileIO.h"
#include "core/UserInterface.h"
#include "io/CZAVDoc.h"

namespace zav::bench {
namespace {

// Answers Yes to wide tables without a word; messages still show.
class QuietYes : public ConsoleUserInterface {
public:
    bool AskYesNo(const std::string&) override { return true; }
};
QuietYes g_ui;

// Built once per process, on first use.
ZAVFieldManager& Store(const ProjectShape& shape) {
    static std::map<std::pair<int, int>, std::unique_ptr<ZAVFieldManager>> stores;
    auto& slot = stores[{shape.stations, shape.pointsPerStation}];
    if (!slot) {
        slot = std::make_unique<ZAVFieldManager>(g_ui);
        FillStore(*slot, shape);
    }
    return *slot;
}

ProjectShape OneLongSeries() {
    ProjectShape shape;
    shape.stations = 1;
    shape.pointsPerStation = 1000000;  // about 114 years of hours
    shape.startYear = 1900;
    return shape;
}

ProjectShape ManyStations() {
    return ProjectShape{};
}  // 100 x 100,000 hours

// Settings covering every point of the generated series.
AnalysisSettings Covering(const ZAVFieldManager& store, int unit, int every) {
    AnalysisSettings s;
    store.GetDateRange(s.startDay, s.startMonth, s.startYear, s.endDay, s.endMonth, s.endYear);
    s.unit = unit;
    s.every = every;
    s.dataType = kDataValues;
    return s;
}

// The report benchmarks' cases: monthly, daily and 6-hourly values.
void ReportCases(benchmark::internal::Benchmark* b) {
    b->Args({kMonths, 1})->Args({kDays, 1})->Args({kHours, 6})->Unit(benchmark::kMillisecond);
}

// The one-series benchmarks' cases: months, days and hours.
void UnitCases(benchmark::internal::Benchmark* b) {
    b->Arg(kMonths)->Arg(kDays)->Arg(kHours)->Unit(benchmark::kMillisecond);
}

// The report of the first `stations` stations for the case's unit and step.
ReportRequest ReportOf(const ZAVFieldManager& store, const benchmark::State& state, int stations) {
    ReportRequest request;
    request.settings =
        Covering(store, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (int s = 0; s < stations; ++s) {
        request.mainItems.push_back(StationName(s));
    }
    request.otherItem = "DO";
    return request;
}

void BM_GetDataOneSeries(benchmark::State& state) {
    ZAVFieldManager& store = Store(OneLongSeries());
    const AnalysisSettings s = Covering(store, static_cast<int>(state.range(0)), 1);
    const size_t n = static_cast<size_t>(s.IntervalCount());
    // The caller's arrays are made once, as a page reusing its rows would;
    // GetData writes every interval of them on each call.
    std::vector<double> min(n), max(n), mean(n), present(n);
    for (auto _ : state) {
        store.GetData("S001", "DO", s.SpanStart(), s.SpanEnd(), s.unit, s.every, min, max, mean,
                      present, 0);
        benchmark::DoNotOptimize(mean.data());
    }
    state.counters["intervals"] = static_cast<double>(n);
    state.counters["ns/point"] = benchmark::Counter(
        1e6, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_GetDataOneSeries)->Apply(UnitCases);

// The same with fresh zeroed arrays per call, as the report table does.
void BM_GetDataOneSeriesFreshArrays(benchmark::State& state) {
    ZAVFieldManager& store = Store(OneLongSeries());
    const AnalysisSettings s = Covering(store, static_cast<int>(state.range(0)), 1);
    const size_t n = static_cast<size_t>(s.IntervalCount());
    for (auto _ : state) {
        IntervalStatistics stats = IntervalStatistics::Compute(
            store, "S001", "DO", s.SpanStart(), s.SpanEnd(), s.unit, s.every, n, false);
        benchmark::DoNotOptimize(stats.mean.data());
    }
}
BENCHMARK(BM_GetDataOneSeriesFreshArrays)->Apply(UnitCases);

void BM_ReportStatistics(benchmark::State& state) {
    const ProjectShape shape = ManyStations();
    ZAVFieldManager& store = Store(shape);
    const ReportRequest r = ReportOf(store, state, shape.stations);
    const AnalysisSettings& s = r.settings;
    const size_t n = static_cast<size_t>(s.IntervalCount());
    // One set of arrays for all rows, as the report table uses.
    IntervalStatistics stats;
    for (auto _ : state) {
        for (const std::string& station : r.mainItems) {
            stats.Fill(store, station, "DO", s.SpanStart(), s.SpanEnd(), s.unit, s.every, n, false);
            benchmark::DoNotOptimize(stats.mean.data());
        }
    }
    state.counters["intervals"] = static_cast<double>(n);
}
BENCHMARK(BM_ReportStatistics)->Apply(ReportCases);

// A statistic that needs every value of an interval (a median, a
// percentile), or a count against the sampling step, for every station of
// the many-station project (10 million points) by months; compare with
// BM_ReportStatistics/1/1, the pass that keeps running sums only.
void BM_ReportStatisticOf(benchmark::State& state) {
    const ProjectShape shape = ManyStations();
    ZAVFieldManager& store = Store(shape);
    const AnalysisSettings s = Covering(store, kMonths, 1);
    const IntervalGrid grid = s.Grid();
    StatisticsOptions options;
    options.statistic = static_cast<Statistic>(state.range(0));
    for (auto _ : state) {
        for (int station = 0; station < shape.stations; ++station) {
            SummaryRow row =
                SummariseRow(store, StationName(station), "DO", ZAVFieldManager::PairSide::kStation,
                             grid, options, false, false);
            benchmark::DoNotOptimize(row.intervals.data());
        }
    }
    state.SetLabel(StatisticName(options.statistic));
    state.counters["points"] = static_cast<double>(store.PointCount());
}
BENCHMARK(BM_ReportStatisticOf)
    ->Arg(static_cast<int>(Statistic::kMean))
    ->Arg(static_cast<int>(Statistic::kMedian))
    ->Arg(static_cast<int>(Statistic::kP90))
    ->Arg(static_cast<int>(Statistic::kSd))
    ->Arg(static_cast<int>(Statistic::kCoverage))
    ->Unit(benchmark::kMillisecond);

void BM_ReportTable(benchmark::State& state) {
    const ProjectShape shape = ManyStations();
    ZAVFieldManager& store = Store(shape);
    const ReportRequest r = ReportOf(store, state, shape.stations);
    for (auto _ : state) {
        ReportTable table;
        RebuildTable(store, r, table);
        benchmark::DoNotOptimize(table.rows.data());
    }
}
BENCHMARK(BM_ReportTable)->Apply(ReportCases);

// The description of a graph of the whole 10-million-point project, built
// from the store on the window's thread before anything is drawn: every
// point of the 100 stations (arg kPlotPoints), or their daily means
// (kPlotMean), or their monthly coverage (kPlotHeatMap).
void BM_DescribeGraph(benchmark::State& state) {
    const ProjectShape shape = ManyStations();
    ZAVFieldManager& store = Store(shape);
    ReportRequest request;
    const int style = static_cast<int>(state.range(0));
    request.settings = Covering(store, style == kPlotHeatMap ? kMonths : kDays, 1);
    request.settings.plotStyle = style;
    for (int s = 0; s < shape.stations; ++s) {
        request.mainItems.push_back(StationName(s));
    }
    request.otherItem = "DO";
    for (auto _ : state) {
        GraphDescription graph;
        if (BuildGraphDescription(store, request, graph) != GraphOutcome::kBuilt) {
            state.SkipWithError("no graph");
            return;
        }
        benchmark::DoNotOptimize(graph.groups.data());
    }
}
BENCHMARK(BM_DescribeGraph)
    ->Arg(kPlotPoints)
    ->Arg(kPlotMean)
    ->Arg(kPlotHeatMap)
    ->Unit(benchmark::kMillisecond);

void BM_FileToTable(benchmark::State& state) {
    const char* path = std::getenv("ZAV_BENCH_PROJECT");
    if (!path) {
        state.SkipWithError("set ZAV_BENCH_PROJECT to a project from zav_bench_generate");
        return;
    }
    for (auto _ : state) {
        DocumentEnvironment environment;
        environment.programDir = ProgramDirectory();
        environment.applyWorkingDirectory = false;
        CZAVDoc doc(g_ui, environment);
        if (!doc.OnOpenDocument(path)) {
            state.SkipWithError("the project could not be opened");
            return;
        }
        ZAVFieldManager& store = doc.FieldManager();
        const ReportRequest r = ReportOf(store, state, static_cast<int>(store.SeriesCount()));
        ReportTable table;
        RebuildTable(store, r, table);
        benchmark::DoNotOptimize(table.rows.data());
    }
}
BENCHMARK(BM_FileToTable)->Apply(ReportCases)->Iterations(3);

}  // namespace
}  // namespace zav::bench

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
