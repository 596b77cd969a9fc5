// Import speed of the spreadsheet layouts: a long single-station sheet
// (layout 1), a wide sheet of many stations by many dates (layout 2) and
// rows of two value columns read by the parse string (layout 3).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "core/UserInterface.h"
#include "io/ImportReport.h"
#include "io/ParsedColumns.h"
#include "io/Spreadsheet.h"

namespace zav::bench {
namespace {

constexpr int kRows = 200000;

// Row i is i hours after 1 January 1990; a value from a fixed pattern.
void HourOf(int i, int& year, int& month, int& day, int& hour) {
    static const int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int days = i / 24;
    hour = i % 24;
    year = 1990;
    month = 1;
    for (;;) {
        bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        int length = kLengths[month - 1] + (month == 2 && leap ? 1 : 0);
        if (days < length) {
            break;
        }
        days -= length;
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    day = days + 1;
}

double ValueOf(int i) {
    return (i * 7919 % 40000) / 100.0;
}

std::string SingleStationText() {
    std::string out = "Bench Pond\r\ncomment\r\n";
    char line[96];
    for (int i = 0; i < kRows; ++i) {
        int year = 0, month = 0, day = 0, hour = 0;
        HourOf(i, year, month, day, hour);
        int n = std::snprintf(line, sizeof line, "%d, %.2f, %d:00:00, %d/%d/%d\r\n", i + 1,
                              ValueOf(i), hour, month, day, year);
        out.append(line, static_cast<size_t>(n));
    }
    return out;
}

// 200 stations by 1,000 daily columns: 200,000 cells.
std::string MultiStationText() {
    constexpr int kStations = 200;
    constexpr int kDates = 1000;
    std::string out = "Station";
    char cell[48];
    for (int d = 0; d < kDates; ++d) {
        int year = 0, month = 0, day = 0, hour = 0;
        HourOf(d * 24, year, month, day, hour);
        std::snprintf(cell, sizeof cell, ",%d/%d/%d", month, day, year);
        out += cell;
    }
    out += "\r\n";
    for (int s = 0; s < kStations; ++s) {
        out += "Station " + std::to_string(s);
        for (int d = 0; d < kDates; ++d) {
            std::snprintf(cell, sizeof cell, ",%.2f", ValueOf(s * kDates + d));
            out += cell;
        }
        out += "\r\n";
    }
    return out;
}

std::string ParsedColumnsText() {
    std::string out;
    char line[96];
    for (int i = 0; i < kRows; ++i) {
        int year = 0, month = 0, day = 0, hour = 0;
        HourOf(i, year, month, day, hour);
        int n = std::snprintf(line, sizeof line, "%d/%d/%d %d:00, %.2f, %.2f\r\n", month, day, year,
                              hour, ValueOf(i), ValueOf(i + 1));
        out.append(line, static_cast<size_t>(n));
    }
    return out;
}

void ReadLayout(benchmark::State& state, int layout, const std::string& text) {
    ConsoleUserInterface ui;
    SpreadsheetOptions options;
    options.layout = layout;
    size_t points = 0;
    for (auto _ : state) {
        DataSource source;
        ImportReport report;
        if (!ReadSpreadsheetText(source, text, options, ui, report)) {
            state.SkipWithError("read failed");
        }
        points = 0;
        for (const DataSeries& series : source.series) {
            points += series.Size();
        }
    }
    state.counters["points"] = static_cast<double>(points);
}

void BM_SingleStationLayout(benchmark::State& state) {
    static const std::string text = SingleStationText();
    ReadLayout(state, 1, text);
}
BENCHMARK(BM_SingleStationLayout)->Unit(benchmark::kMillisecond);

void BM_MultiStationLayout(benchmark::State& state) {
    static const std::string text = MultiStationText();
    ReadLayout(state, 2, text);
}
BENCHMARK(BM_MultiStationLayout)->Unit(benchmark::kMillisecond);

void BM_ParsedColumns(benchmark::State& state) {
    static const std::string text = ParsedColumnsText();
    ConsoleUserInterface ui;
    for (auto _ : state) {
        // What the document does with the columns read: a station for each.
        ZAVFieldManager store(ui);
        store.AddNewParameters(1, "DO", "mg/l");
        store.AddNewParameters(1, "pH", "su");
        std::vector<DataSeries> columns;
        ImportReport report;
        ReadParsedColumns("MM/DD/[YY]YY HH:MM\tVALUE\tVALUE", text, {true, true}, columns, ui,
                          report);
        std::string station;
        for (size_t k = 0; k < 2; ++k) {
            const std::string parameter = k == 0 ? "DO" : "pH";
            station = store.CreateStationForParameter(parameter, k == 0 ? "station1" : station);
            DataSeries* series = store.FindSeries(station, parameter);
            for (size_t i = 0; i < columns[k].Size(); ++i) {
                series->InsertPoint(columns[k].Time(i), columns[k].Value(i), 0);
            }
        }
        state.counters["points"] = static_cast<double>(store.PointCount());
    }
}
BENCHMARK(BM_ParsedColumns)->Unit(benchmark::kMillisecond);

// Edit Data's paste of 100,000 rows whose times fall between those of a
// series of 100,000 points: every pasted point lands among the others.
void BM_PasteAmongPoints(benchmark::State& state) {
    ConsoleUserInterface ui;
    std::string odd;
    char line[96];
    DataSeries even;
    for (int i = 0; i < kRows; ++i) {
        int year = 0, month = 0, day = 0, hour = 0;
        HourOf(i, year, month, day, hour);
        if (i % 2 == 0) {
            even.InsertPoint(KTRTime(year, month, day, hour, 0, 0), ValueOf(i), 0);
            continue;
        }
        const int n = std::snprintf(line, sizeof line, "%d/%d/%d %d:00, %.2f\r\n", month, day, year,
                                    hour, ValueOf(i));
        odd.append(line, static_cast<size_t>(n));
    }
    for (auto _ : state) {
        state.PauseTiming();
        ZAVFieldManager store(ui);
        store.AddNewParameters(1, "DO", "mg/l");
        const std::string station = store.CreateStationForParameter("DO", "station1");
        store.FindSeries(station, "DO")->InsertPoints(even);
        state.ResumeTiming();
        ImportParsedColumn(store, station, "DO", "MM/DD/[YY]YY HH:MM\tVALUE", 1, odd);
        state.counters["points"] = static_cast<double>(store.PointCount());
    }
}
BENCHMARK(BM_PasteAmongPoints)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zav::bench
