#include "app/screenshots/AvailScreenshots.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "app/dialogs/CExportOptionsDialog.h"
#include "app/dialogs/StatisticsOptionsDialog.h"
#include "app/dialogs/SummaryTablesDialog.h"
#include "app/frame/CMainFrame.h"
#include "app/graphs/GraphView.h"
#include "app/pages/DataAvailPage.h"
#include "app/screenshots/Screenshots.h"
#include "core/UserInterface.h"

namespace {

void SelectAll(QListWidget* list) {
    for (int row = 0; row < list->count(); ++row) {
        list->item(row)->setSelected(true);
    }
}

// Selects `text`, or the first row when the list does not hold it; false
// when the list is empty.
bool SelectOrFirst(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    QListWidgetItem* item = found.isEmpty() ? list->item(0) : found.front();
    if (item != nullptr) {
        item->setSelected(true);
    }
    return item != nullptr;
}

// The year `text`, or the first one in the list.
void SetYear(QComboBox* years, const QString& text) {
    years->setCurrentIndex(std::max(0, years->findText(text)));
}

// Presses `button` ("Graph" unless told) and pictures the window it opens,
// after `prepare` (a zoom, the cursor) when given.
bool SaveGraph(CMainFrame& frame, const DataAvailForm& form, const QString& dir, const char* name,
               QPushButton* button = nullptr,
               const std::function<void(GraphView&)>& prepare = nullptr) {
    (button ? button : form.graph)->click();
    const QList<GraphView*> graphs = frame.findChildren<GraphView*>();
    if (graphs.isEmpty()) {
        std::fprintf(stderr, "No graph window for %s\n", name);
        return false;
    }
    GraphView* graph = graphs.back();
    graph->show();
    QApplication::processEvents();
    graph->ShowWindow(graph->Window());  // ticks for the laid-out size
    if (prepare) {
        prepare(*graph);
    }
    QApplication::processEvents();
    const bool saved = SaveScreenshot(*graph, dir, QString::fromLatin1(name));
    delete graph;
    return saved;
}

// The cursor resting on `at` in the graph, so that its readout shows.
void HoverAt(GraphView& graph, QPointF at) {
    QWidget* canvas = graph.Canvas();
    QMouseEvent move(QEvent::MouseMove, at, canvas->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
}

// Every value of the year, zoomed to a few weeks of it about the middle.
bool SaveZoomedHydrograph(CMainFrame& frame, const DataAvailForm& form, const QString& dir) {
    form.values->click();
    form.unit->setCurrentIndex(3);  // days
    return SaveGraph(frame, form, dir, "graph-raw-points-zoomed.png", form.pointsGraph,
                     [](GraphView& graph) {
                         const QRectF plot = graph.Canvas()->rect();
                         graph.ZoomAbout(plot.center(), 0.15, false);
                         HoverAt(graph, plot.center() + QPointF(40, 0));
                     });
}

// The parameters of one station: strips named beside them, the axis
// title in its place.
bool SaveParameterAvailability(CMainFrame& frame, const DataAvailForm& form, const QString& dir) {
    form.parameters->click();
    SelectAll(form.mainList);
    if (form.secondList->count() == 0) {
        return true;
    }
    form.secondList->item(0)->setSelected(true);
    const bool ok = SaveGraph(frame, form, dir, "graph-availability-parameters.png");
    form.stations->click();
    SelectAll(form.mainList);
    return ok;
}

// The three kinds of graph of the report on the page, each in its window.
bool SaveGraphs(CMainFrame& frame, const DataAvailForm& form, const QString& dir) {
    form.maxMeanMin->click();
    bool ok = SaveGraph(frame, form, dir, "graph-max-mean-min.png");
    form.mean->click();
    form.threshold->click();
    form.thresholdValue->setText(QStringLiteral("6.5"));
    ok = SaveGraph(frame, form, dir, "graph-mean.png") && ok;
    form.availability->click();
    form.startMonth->setCurrentIndex(0);
    form.startYear->setCurrentIndex(0);
    form.endYear->setCurrentIndex(form.endYear->count() - 1);
    form.unit->setCurrentIndex(1);
    ok = SaveGraph(frame, form, dir, "graph-availability.png") && ok;
    ok = SaveGraph(frame, form, dir, "graph-heat-map.png", form.heatMap) && ok;
    ok = SaveParameterAvailability(frame, form, dir) && ok;
    return ok;
}

// The summary tables window of the selection, on its year-by-year tab.
bool SaveSummaryTables(CMainFrame& frame, const DataAvailForm& form, const QString& dir) {
    if (form.startYear->count() == 0 || form.secondList->selectedItems().isEmpty()) {
        return true;  // a project without data has nothing to summarise
    }
    form.summaryTables->click();
    const QList<SummaryTablesDialog*> windows = frame.findChildren<SummaryTablesDialog*>();
    if (windows.isEmpty()) {
        std::fprintf(stderr, "No summary tables window\n");
        return false;
    }
    SummaryTablesDialog* window = windows.back();
    QApplication::processEvents();
    const bool saved = SaveScreenshot(*window, dir, QStringLiteral("summary-tables.png"));
    delete window;
    return saved;
}

// Monthly medians with the gaps filled (in their own colour), and the
// statistics options.
bool SaveStatistics(CMainFrame& frame, const DataAvailForm& form, const QString& dir) {
    form.values->click();
    // The graphs before leave the parameter list without a choice.
    if (form.secondList->count() > 0 && form.secondList->selectedItems().isEmpty()) {
        form.secondList->item(0)->setSelected(true);
    }
    form.unit->setCurrentIndex(1);  // months
    form.statistic->setCurrentIndex(form.statistic->findText(QStringLiteral("Median")));
    if (!form.fillGaps->isChecked()) {
        form.fillGaps->click();
    }
    form.refresh->click();
    bool ok = SaveScreenshot(frame, dir, QStringLiteral("4-data-availability-statistics.png"));
    zav::ConsoleUserInterface ui(true);
    zav::StatisticsOptions water;
    water.yearStartMonth = 10;
    water.minCoverage = 80;
    StatisticsOptionsDialog statistics(water, ui, &frame);
    statistics.show();
    ok = SaveScreenshot(statistics, dir, QStringLiteral("statistics-options.png")) && ok;
    return SaveSummaryTables(frame, form, dir) && ok;
}

}  // namespace

bool RenderAvailabilityScreenshots(CMainFrame& frame, DataAvailPage& page, const QString& dir) {
    const DataAvailForm& form = page.Form();
    form.stations->click();
    SelectAll(form.mainList);
    // Years are listed only when the project has points.
    const bool hasData =
        SelectOrFirst(form.secondList, QString::fromLatin1(kExampleScene.availabilityParameter)) &&
        form.startYear->count() > 0;
    const QString year = QString::fromLatin1(kExampleScene.year);
    SetYear(form.startYear, year);
    form.startMonth->setCurrentIndex(0);
    form.startDay->setCurrentIndex(0);
    SetYear(form.endYear, year);
    form.endMonth->setCurrentIndex(11);
    form.endDay->setCurrentIndex(30);
    form.unit->setCurrentIndex(1);  // months
    form.values->click();
    form.refresh->click();
    bool ok = SaveScreenshot(frame, dir, QStringLiteral("4-data-availability-report.png"));
    if (hasData) {
        ok = SaveZoomedHydrograph(frame, form, dir) && ok;
        SetYear(form.startYear, year);
        SetYear(form.endYear, year);
        form.unit->setCurrentIndex(1);  // months
        ok = SaveGraphs(frame, form, dir) && ok;
    } else {
        std::fprintf(stderr, "The project holds no data to graph: no graph pictures.\n");
    }

    CExportOptionsDialog options(&frame);
    options.show();
    ok = SaveScreenshot(options, dir, QStringLiteral("export-options.png")) && ok;
    return SaveStatistics(frame, form, dir) && ok;
}
