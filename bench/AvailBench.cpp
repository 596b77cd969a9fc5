// The availability page with a large project: the report table of 100
// stations over 500 days (Refresh, table filled and fitted), and a graph
// window of daily means of 10 stations over five years (description, chart
// and first paint), also where the data break into hundreds of runs. Target: each under a second,
// the wait a user accepts for a command that shows an hourglass. And turning
// to each page of a ten-million-point project.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <memory>

#include "ProjectGenerator.h"
#include "app/frame/CZAVView.h"
#include "app/frame/FileDialogs.h"
#include "app/graphs/GraphView.h"
#include "app/grid/CGridCtrl.h"
#include "app/pages/DataAvailPage.h"
#include "app/pages/ZAVViewSheet.h"
#include "core/Calendar.h"
#include "core/UserInterface.h"
#include "io/CZAVDoc.h"

namespace {

// Answers Yes to wide tables without a word.
class QuietYes : public zav::ConsoleUserInterface {
public:
    bool AskYesNo(const std::string&) override { return true; }
};

// Ten stations with data on two days out of three from 1990 to 1994: about
// 600 unbroken runs per station.
void FillGappy(zav::ZAVFieldManager& store) {
    zav::DataSource source;
    for (int s = 0; s < 10; ++s) {
        zav::DataSeries series;
        series.SetStationName(zav::bench::StationName(s));
        series.SetParameterName("DO");
        series.SetUnits("mg/l");
        for (int day = 0; day < 5 * 365; ++day) {
            int d = 0, m = 0, y = 0;
            zav::DateFromDayNumber(day, 1990, &d, &m, &y);
            if (day % 3 != 2) {
                series.InsertPoint(zav::KTRTime(y, m, d, 12, 0, 0), 8 + (day + s) % 5, 0);
            }
        }
        source.series.push_back(std::move(series));
    }
    store.AddSource(std::move(source));
}

// A shown page on 100 stations of hourly data from 1990 (or the gappy
// project), with the first `stations` chosen, "DO", and `days` days by days
// from 1 January 1990.
struct Bed {
    Bed(int stations, int days, int plotStyle, bool gappy = false) {
        zav::DocumentEnvironment environment;
        environment.applyWorkingDirectory = false;
        doc = std::make_unique<zav::CZAVDoc>(ui, environment);
        if (gappy) {
            FillGappy(doc->FieldManager());
        } else {
            zav::bench::FillStore(doc->FieldManager(), zav::bench::ProjectShape{});
        }
        view = std::make_unique<CZAVView>(*doc, dialogs, nullptr);
        view->resize(1200, 800);
        view->show();
        view->Sheet().setCurrentWidget(&Page());
        const DataAvailForm& f = Page().Form();
        for (int s = 0; s < stations; ++s) {
            f.mainList->item(s)->setSelected(true);
        }
        f.secondList->item(0)->setSelected(true);
        f.startYear->setCurrentIndex(0);
        f.startMonth->setCurrentIndex(0);
        f.startDay->setCurrentIndex(0);
        int day = 0, month = 0, year = 0;
        zav::DateFromDayNumber(days - 1, 1990, &day, &month, &year);
        f.endYear->setCurrentText(QString::number(year));
        f.endMonth->setCurrentIndex(month - 1);
        f.endDay->setCurrentIndex(day - 1);
        f.unit->setCurrentIndex(zav::kDays);
        f.values->click();
        (plotStyle == zav::kPlotMean ? f.mean : f.maxMeanMin)->click();
        QApplication::processEvents();
    }
    DataAvailPage& Page() const { return view->Sheet().DataAvail(); }

    QuietYes ui;
    QtFileDialogs dialogs;
    std::unique_ptr<zav::CZAVDoc> doc;
    std::unique_ptr<CZAVView> view;
};

// Argument: days from 1 January 1990; 4,167 days is the whole project.
void BM_RefreshWideTable(benchmark::State& state) {
    const int days = static_cast<int>(state.range(0));
    Bed bed(100, days, zav::kPlotMean);
    for (auto _ : state) {
        bed.Page().RebuildTable();
        QApplication::processEvents();
    }
    state.counters["cells"] = 100.0 * days;
}
BENCHMARK(BM_RefreshWideTable)->Arg(500)->Arg(4167)->Unit(benchmark::kMillisecond);

void BM_GraphWindow(benchmark::State& state) {
    Bed bed(10, 5 * 365, static_cast<int>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) {
        bed.Page().Form().graph->click();
        GraphView* graph = bed.view->findChild<GraphView*>();
        QApplication::processEvents();
        graph->repaint();
        delete graph;
    }
}
// Arguments: plot style, and 1 for the gappy project.
BENCHMARK(BM_GraphWindow)
    ->Args({zav::kPlotMean, 0})
    ->Args({zav::kPlotMaxMeanMin, 0})
    ->Args({zav::kPlotMean, 1})
    ->Unit(benchmark::kMillisecond);

// The generator's whole project (100 stations of 100,000 hourly points,
// 10 million) in a document, and a project window on it made, shown and
// painted: what the window's thread does after an open.
struct WholeProject {
    WholeProject() {
        zav::DocumentEnvironment environment;
        environment.applyWorkingDirectory = false;
        doc = std::make_unique<zav::CZAVDoc>(ui, environment);
        zav::bench::FillStore(doc->FieldManager(), zav::bench::ProjectShape{});
    }
    std::unique_ptr<CZAVView> Show() {
        auto view = std::make_unique<CZAVView>(*doc, dialogs, nullptr);
        view->resize(1200, 800);
        view->show();
        QApplication::processEvents();
        view->repaint();
        return view;
    }

    QuietYes ui;
    QtFileDialogs dialogs;
    std::unique_ptr<zav::CZAVDoc> doc;
};

// Turning from the first page to page `range(0)` of the sheet and back on
// the whole project: the work the window's thread does when a person
// changes pages, the page filled and painted. Target: under 200 ms, the
// longest the window may be held without a progress dialog.
void BM_TurnPage(benchmark::State& state) {
    WholeProject project;
    const std::unique_ptr<CZAVView> view = project.Show();
    const int page = static_cast<int>(state.range(0));
    for (auto _ : state) {
        view->Sheet().setCurrentIndex(page);
        QApplication::processEvents();
        view->repaint();
        state.PauseTiming();
        view->Sheet().setCurrentIndex(page == 0 ? 1 : 0);
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetLabel(view->Sheet().tabText(page).toStdString());
}
BENCHMARK(BM_TurnPage)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ShowProject(benchmark::State& state) {
    WholeProject project;
    for (auto _ : state) {
        project.Show();
    }
}
BENCHMARK(BM_ShowProject)->Unit(benchmark::kMillisecond)->Iterations(3);

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
