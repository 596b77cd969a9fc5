// DataAvailPage, continued: the commands that take the report elsewhere —
// the graph window, the exports and the table's context menu.
#include <QComboBox>
#include <QMenu>

#include "analysis/GraphDescription.h"
#include "analysis/ReportExport.h"
#include "analysis/Summaries.h"
#include "app/dialogs/CExportOptionsDialog.h"
#include "app/dialogs/SummaryTablesDialog.h"
#include "app/frame/BackgroundWork.h"
#include "app/frame/FileDialogs.h"
#include "app/graphs/GraphView.h"
#include "app/grid/CGridCtrl.h"
#include "app/pages/DataAvailPage.h"
#include "core/UserInterface.h"
#include "io/CZAVDoc.h"

namespace {
// Shown exactly so in the file dialogs' lists of types.
const char* const kTableFileFilter = "Text files (*.txt)|*.txt|All Files (*.*) |*.*||";
const char* const kTimeseriesFileFilter = "text files (*.txt)|*.txt|All Files (*.*)|*.*||";
}  // namespace

void DataAvailPage::OnGraph() {
    ReadControls();
    OpenGraph(Request());
}

void DataAvailPage::OnGraphStyle(int style) {
    ReadControls();
    zav::ReportRequest request = Request();
    request.settings.plotStyle = style;
    OpenGraph(request);
}

void DataAvailPage::OpenGraph(const zav::ReportRequest& request) {
    if (m_form.startYear->count() == 0) {
        return;
    }
    // Every point of a large project takes longer than a window may wait.
    zav::GraphDescription graph;
    zav::GraphOutcome outcome = zav::GraphOutcome::kDeclined;
    const bool finished =
        BackgroundWork::Run(this, QStringLiteral("Preparing the graph..."), [&](zav::Progress&) {
            outcome = zav::BuildGraphDescription(Doc().FieldManager(), request, graph);
        });
    if (!finished || outcome != zav::GraphOutcome::kBuilt) {
        return;
    }
    // The window lives on its own; the page keeps nothing of it.
    auto* view = new GraphView(std::move(graph), window(), m_dialogs);
    view->show();
}

void DataAvailPage::OnSummaryTables() {
    if (m_form.startYear->count() == 0) {
        return;
    }
    ReadControls();
    const zav::ReportRequest request = Request();
    if (!request.HasSelection()) {
        Doc().UI().ShowMessage(zav::kSelectForSummariesMessage);
        return;
    }
    std::vector<zav::PairSummaries> pairs;
    if (!BackgroundWork::Run(this, QStringLiteral("Computing the summaries..."),
                             [&](zav::Progress&) {
                                 pairs = zav::SummariseSelection(Doc().FieldManager(), request);
                             })) {
        return;
    }
    auto* dialog = new SummaryTablesDialog(
        std::move(pairs), QString::fromStdString(zav::SummariesAbout(request.settings)), Doc().UI(),
        *m_dialogs, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void DataAvailPage::OnExport() {
    CExportOptionsDialog options(this);
    if (options.exec() != QDialog::Accepted) {
        return;
    }
    ExportAs(options.Option(), options.Transpose());
}

void DataAvailPage::ExportAs(int option, bool transpose) {
    ReadControls();
    // The time series are computed afresh in any case.
    if (IsOutOfDate() && (option == kToClipboard || option == kToFile)) {
        RebuildTable();
        if (IsOutOfDate()) {
            return;  // the refresh was cancelled: the old table is not exported
        }
    }
    switch (option) {
        case kToClipboard:
            m_form.table->OnEditCopy();
            break;
        case kToFile:
            ExportTableFile(transpose);
            break;
        case kTimeseriesToFile:
            ExportTimeseriesFile();
            break;
        case kTimeseriesToClipboard:
            ExportTimeseriesClipboard();
            break;
        default:
            break;
    }
}

void DataAvailPage::ExportTableFile(bool transpose) {
    const QString path = m_dialogs->ChooseSaveFile(this, QStringLiteral("Choose an output file."),
                                                   QString::fromLatin1(kTableFileFilter), QString(),
                                                   QStringLiteral("txt"));
    if (path.isEmpty()) {
        return;
    }
    std::string text;
    if (!transpose) {
        text = zav::TableFileText(m_report);
    } else {
        // Cancelled, nothing is written.
        const zav::ReportRequest request = Request();
        zav::ReportOutcome outcome = zav::ReportOutcome::kCancelled;
        BackgroundWork::Run(this, QStringLiteral("Computing the table..."), [&](zav::Progress&) {
            outcome = zav::TransposedFileText(Doc().FieldManager(), request, m_report, text);
        });
        if (outcome != zav::ReportOutcome::kComputed) {
            return;
        }
    }
    zav::WriteTableFile(Doc().UI(), path.toStdString(), text);
}

bool DataAvailPage::BuildTimeseries(std::string& text, bool& built) {
    const zav::ReportRequest request = Request();
    return BackgroundWork::Run(
        this, QStringLiteral("Computing the time series..."), [&](zav::Progress&) {
            built = zav::BuildTimeseriesText(Doc().FieldManager(), request, text);
        });
}

void DataAvailPage::ExportTimeseriesFile() {
    std::string text;
    bool built = false;
    if (!BuildTimeseries(text, built) || !built) {
        return;
    }
    if (text.empty()) {
        return;
    }
    const QString path = m_dialogs->ChooseSaveFile(
        this, QStringLiteral("Save As"), QString::fromLatin1(kTimeseriesFileFilter),
        QStringLiteral("timeseries.txt"), QStringLiteral("txt"));
    if (!path.isEmpty()) {
        zav::WriteTimeseriesFile(Doc().UI(), path.toStdString(), text);
    }
}

void DataAvailPage::ExportTimeseriesClipboard() {
    std::string text;
    // After a refusal the text is empty, and so is the clipboard; after
    // Cancel the clipboard is left alone.
    bool built = false;
    if (!BuildTimeseries(text, built)) {
        return;
    }
    zav::PutTimeseriesOnClipboard(Doc().UI(), built ? text : std::string());
}

std::unique_ptr<QMenu> DataAvailPage::CreateTableMenu() {
    auto menu = std::make_unique<QMenu>(QStringLiteral("Table1 Context"), this);
    menu->setObjectName(QStringLiteral("Table1 Context"));
    connect(menu->addAction(QStringLiteral("&Copy")), &QAction::triggered, m_form.table,
            &CGridCtrl::OnEditCopy);
    // The report is computed; nothing is pasted into it.
    menu->addAction(QStringLiteral("&Paste"));
    return menu;
}

void DataAvailPage::OnGridRightClick(CGridCtrl&, int, int, const QPoint& globalPos) {
    CreateTableMenu()->exec(globalPos);
}
