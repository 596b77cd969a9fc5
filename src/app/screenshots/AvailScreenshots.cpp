#include "app/screenshots/AvailScreenshots.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <cstdio>

#include "app/dialogs/CExportOptionsDialog.h"
#include "app/frame/CMainFrame.h"
#include "app/graphs/GraphView.h"
#include "app/pages/DataAvailPage.h"
#include "app/screenshots/Screenshots.h"

namespace {

void SelectAll(QListWidget* list) {
    for (int row = 0; row < list->count(); ++row) {
        list->item(row)->setSelected(true);
    }
}

void Select(QListWidget* list, const QString& text) {
    for (QListWidgetItem* item : list->findItems(text, Qt::MatchExactly)) {
        item->setSelected(true);
    }
}

// Presses "Graph" and pictures the window it opens.
bool SaveGraph(CMainFrame& frame, const DataAvailForm& form, const QString& dir, const char* name) {
    form.graph->click();
    const QList<GraphView*> graphs = frame.findChildren<GraphView*>();
    if (graphs.isEmpty()) {
        std::fprintf(stderr, "No graph window for %s\n", name);
        return false;
    }
    GraphView* graph = graphs.back();
    QApplication::processEvents();
    const bool saved = SaveScreenshot(*graph, dir, QString::fromLatin1(name));
    delete graph;
    return saved;
}

}  // namespace

bool RenderAvailabilityScreenshots(CMainFrame& frame, DataAvailPage& page, const QString& dir) {
    const DataAvailForm& form = page.Form();
    form.stations->click();
    SelectAll(form.mainList);
    Select(form.secondList, QStringLiteral("Dissolved oxygen"));
    form.startYear->setCurrentText(QStringLiteral("1995"));
    form.startMonth->setCurrentIndex(0);
    form.startDay->setCurrentIndex(0);
    form.endYear->setCurrentText(QStringLiteral("1995"));
    form.endMonth->setCurrentIndex(11);
    form.endDay->setCurrentIndex(30);
    form.unit->setCurrentIndex(1);  // months
    form.values->click();
    form.refresh->click();
    bool ok = SaveScreenshot(frame, dir, QStringLiteral("4-data-availability-report.png"));

    form.maxMeanMin->click();
    ok = SaveGraph(frame, form, dir, "graph-max-mean-min.png") && ok;
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

    CExportOptionsDialog options(&frame);
    options.show();
    ok = SaveScreenshot(options, dir, QStringLiteral("export-options.png")) && ok;
    return ok;
}
