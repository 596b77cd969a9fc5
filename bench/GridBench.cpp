// Filling the table widget: 100,000 rows of 4 columns, as the data edit page
// fills its lower table for a long series. Target: at most 300 ms, the
// views told and the columns fitted. Also the edit page itself, choosing
// between two series of 100,000 points.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QScrollBar>
#include <algorithm>
#include <cstdio>

#include "app/grid/CGridCtrl.h"
#include "app/grid/GridModel.h"
#include "app/pages/DataEditPage.h"
#include "core/UserInterface.h"
#include "io/CZAVDoc.h"

namespace {

void Fill(CGridCtrl& grid, int rows) {
    grid.DeleteAllItems();
    grid.SetColumnCount(4);
    grid.SetFixedRowCount(1);
    grid.SetItemText(0, 0, "Date");
    grid.SetItemText(0, 1, "Value");
    grid.SetItemText(0, 2, "Scaled Value");
    grid.SetItemText(0, 3, "Mask");
    char text[32];
    for (int i = 0; i < rows; ++i) {
        std::snprintf(text, sizeof text, "%2d/%2d/%4d %2d:%02d:%02d", 1 + i % 12, 1 + i % 28,
                      1990 + i / 8760, i % 24, 0, 0);
        int row = grid.InsertRow(QString::fromLatin1(text));
        std::snprintf(text, sizeof text, "%g", i * 0.25);
        grid.SetItemText(row, 1, text);
        grid.SetItemText(row, 2, text);
        grid.SetItemText(row, 3, i % 7 == 0 ? "yes" : "no");
        grid.SetItemReadOnly(row, 2);
        grid.SetItemReadOnly(row, 3);
    }
    grid.AutoSizeColumns();
    grid.Redraw();
}

void BM_FillGrid(benchmark::State& state) {
    zav::ConsoleUserInterface ui;
    CGridCtrl grid(ui);
    grid.resize(800, 600);
    grid.show();
    const int rows = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Fill(grid, rows);
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_FillGrid)->Arg(100000)->Unit(benchmark::kMillisecond);

// Scrolling: one page down and a repaint, the cost a user feels.
void BM_ScrollGrid(benchmark::State& state) {
    zav::ConsoleUserInterface ui;
    CGridCtrl grid(ui);
    grid.resize(800, 600);
    grid.show();
    Fill(grid, 100000);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        grid.verticalScrollBar()->setValue((grid.verticalScrollBar()->value() + 5000) % 99000);
        grid.viewport()->repaint();
    }
}
BENCHMARK(BM_ScrollGrid)->Unit(benchmark::kMillisecond);

// One station with two hourly series of `points` points each.
void FillProject(zav::CZAVDoc& doc, int points) {
    zav::DataSource source;
    for (const char* parameter : {"flow", "stage"}) {
        zav::DataSeries series;
        series.SetStationName("Lake");
        series.SetParameterName(parameter);
        series.SetUnits("ft");
        const zav::KTRTime start(1990, 1, 1, 0, 0, 0);
        for (int i = 0; i < points; ++i) {
            series.AppendPoint(start + int64_t{3600} * i, i * 0.25, i % 7 == 0);
        }
        source.series.push_back(std::move(series));
    }
    doc.FieldManager().AddSource(std::move(source));
}

// The user moves between the two rows: the points table is refilled with
// the other series each time.
void BM_EditPageChooseSeries(benchmark::State& state) {
    zav::ConsoleUserInterface ui;
    zav::DocumentEnvironment environment;
    environment.applyWorkingDirectory = false;
    zav::CZAVDoc doc(ui, environment);
    FillProject(doc, static_cast<int>(state.range(0)));
    DataEditPage page(doc, nullptr);
    page.resize(800, 600);
    page.show();
    QCoreApplication::processEvents();
    int row = 1;
    for (auto _ : state) {
        row = 3 - row;
        page.UpperTable()->SetFocusCell(row, 0);
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_EditPageChooseSeries)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Resident memory in MB, from the kernel's own count.
double ResidentMegabytes() {
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}

// Opening Edit Data on a project whose first series has `points` points:
// the page made, shown and painted. The counter is the memory the page
// holds beyond the project.
void BM_EditPageOpen(benchmark::State& state) {
    zav::ConsoleUserInterface ui;
    zav::DocumentEnvironment environment;
    environment.applyWorkingDirectory = false;
    zav::CZAVDoc doc(ui, environment);
    FillProject(doc, static_cast<int>(state.range(0)));
    double growth = 0.0;
    for (auto _ : state) {
        const double before = ResidentMegabytes();
        DataEditPage page(doc, nullptr);
        page.resize(800, 600);
        page.show();
        QCoreApplication::processEvents();
        page.LowerTable()->viewport()->repaint();
        growth = std::max(growth, ResidentMegabytes() - before);
    }
    state.counters["rss_growth_MB"] = growth;
}
BENCHMARK(BM_EditPageOpen)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
