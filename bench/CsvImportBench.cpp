// CSV import speed: the long shape of bench/make_long_csv.py (station,
// parameter, units, time, value, remark; 100 series written one after the
// other, a '<' remark on one value in 500), read from memory, so that the
// figure is the reader's own and not the disk's.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "core/UserInterface.h"
#include "io/CsvImport.h"
#include "io/ImportReport.h"
#include "store/DataSource.h"
#include "store/ZAVFieldManager.h"

namespace zav::bench {
namespace {

std::string LongCsv(size_t rows) {
    static const char* const kParameters[][2] = {
        {"DO", "mg/l"}, {"pH", "su"}, {"Temp", "deg C"}, {"Cond", "uS/cm"}, {"Turb", "NTU"}};
    std::string text = "station,parameter,units,time,value,remark\n";
    text.reserve(rows * 44);
    const size_t perSeries = rows / 100;
    char line[128];
    for (int k = 0; k < 100; ++k) {
        const int station = 1 + k / 5;
        const char* const* parameter = kParameters[k % 5];
        for (size_t i = 0; i < perSeries; ++i) {
            // Hourly from 1990, as plain arithmetic: 24 hours, 28 days.
            const size_t hour = i % 24;
            const size_t day = (i / 24) % 28;
            const size_t month = (i / (24 * 28)) % 12;
            const size_t year = 1990 + i / (24 * 28 * 12);
            const double value = static_cast<double>((i * 7919 + k * 104729) % 100000) / 1000.0;
            std::snprintf(line, sizeof line, "S%03d,%s,%s,%04zu-%02zu-%02zu %02zu:00:00,%g,%s\n",
                          station, parameter[0], parameter[1], year, month + 1, day + 1, hour,
                          value, i % 500 == 0 ? "<" : "");
            text += line;
        }
    }
    return text;
}

CsvImportOptions LongOptions() {
    CsvImportOptions options;
    options.timeColumns = {"time"};
    options.stationColumn = "station";
    options.parameterColumn = "parameter";
    options.unitsColumn = "units";
    options.valueColumns = {"value"};
    options.remarkColumns = {"remark"};
    options.censored = CensoredRule::kLimit;
    return options;
}

void BM_CsvLongText(benchmark::State& state) {
    const std::string text = LongCsv(static_cast<size_t>(state.range(0)));
    const CsvImportOptions options = LongOptions();
    ConsoleUserInterface ui;
    ZAVFieldManager store(ui);
    size_t points = 0;
    for (auto _ : state) {
        DataSource source;
        ImportReport report;
        report.StartInput("bench.csv");
        if (!ReadCsvText(source, text, options, store, report).empty()) {
            state.SkipWithError("the columns cannot be used");
        }
        points = 0;
        for (const DataSeries& series : source.series) {
            points += series.Size();
        }
    }
    state.counters["points/s"] = benchmark::Counter(static_cast<double>(points),
                                                    benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_CsvLongText)->ArgName("rows")->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zav::bench
