#include "app/frame/CZAVView.h"

#include <QApplication>
#include <QDir>
#include <QVBoxLayout>

#include "app/dialogs/CCenturyDialog.h"
#include "app/dialogs/CSpreadsheetOptionsDialog.h"
#include "app/dialogs/CsvImportDialog.h"
#include "app/dialogs/ExportDataDialog.h"
#include "app/frame/BackgroundWork.h"
#include "app/frame/FileDialogs.h"
#include "app/pages/DataAvailPage.h"
#include "app/pages/ZAVViewSheet.h"
#include "core/FileIO.h"
#include "core/UserInterface.h"
#include "io/DataExport.h"
#include "io/ImportReport.h"

namespace {
// Shown exactly so in the file dialog's list of types.
const char* const kAgencyFilter =
    "MOLVAN and PELLIDOR files (*.mlv, *.pld)|*.mlv;*.pld|MOLVAN files (*.mlv) "
    "|*.mlv|PELLIDOR files (*.pld)|*.pld||";
const char* const kSpreadsheetFilter = "All Files (*.*) |*.*||";
const char* const kCsvFilter =
    "CSV and text files (*.csv, *.tsv, *.txt)|*.csv;*.tsv;*.txt|All Files (*.*) |*.*||";
const char* const kCsvExportFilter = "CSV files (*.csv)|*.csv|All Files (*.*) |*.*||";
const char* const kNetcdfExportFilter = "netCDF files (*.nc)|*.nc|All Files (*.*) |*.*||";

// One message after an import, once the pages show what was read, when a
// cell was skipped or an input gave nothing.
void TellImport(zav::CZAVDoc& doc, const zav::ImportReport& report) {
    const std::string message = zav::ImportMessage(report);
    if (!message.empty()) {
        doc.UI().ShowMessage(message);
    }
}

std::vector<std::string> ToPaths(const QStringList& chosen) {
    std::vector<std::string> paths;
    for (const QString& path : chosen) {
        paths.push_back(path.toStdString());
    }
    return paths;
}
}  // namespace

CZAVView::CZAVView(zav::CZAVDoc& doc, FileDialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_dialogs(dialogs), m_sheet(new ZAVViewSheet(doc, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_sheet);
    m_sheet->DataAvail().SetFileDialogs(dialogs);
    m_doc.AddObserver(this);
}

CZAVView::~CZAVView() {
    m_doc.RemoveObserver(this);
}

void CZAVView::CommitEdits() {
    // A cell editor ends its edit, as typed, when it loses the focus.
    QWidget* focus = QApplication::focusWidget();
    if (focus != nullptr && isAncestorOf(focus)) {
        focus->clearFocus();
    }
}

void CZAVView::OnDocumentUpdate(int hint) {
    switch (hint) {
        case zav::HintDataChanged:
            m_sheet->RefreshAllPages();
            break;
        case zav::HintAggregatesChanged:
            m_sheet->RefreshPage(m_sheet->DataAvail());
            break;
        case zav::HintResultsOutOfDate:
            m_sheet->DataAvail().MarkOutOfDate();
            break;
        default:
            break;
    }
}

bool CZAVView::RunOnScratch(const QString& label,
                            const std::function<void(zav::CZAVDoc&, zav::Progress&)>& operation) {
    std::unique_ptr<zav::CZAVDoc> scratch = m_doc.MakeScratch();
    if (!BackgroundWork::Run(this, label,
                             [&](zav::Progress& progress) { operation(*scratch, progress); })) {
        return false;
    }
    m_doc.AdoptScratch(*scratch);
    return true;
}

void CZAVView::OnAddAgencyFiles() {
    // Also after Cancel: the command marks the project modified either way.
    AddAgencyFiles(ToPaths(m_dialogs.ChooseOpenFiles(this, QStringLiteral("Open"),
                                                     QString::fromLatin1(kAgencyFilter), true)));
}

void CZAVView::AddAgencyFiles(const std::vector<std::string>& paths) {
    zav::ImportReport report;
    if (!RunOnScratch(QStringLiteral("Adding files..."),
                      [&](zav::CZAVDoc& doc, zav::Progress& progress) {
                          doc.AddAgencyFiles(paths, &report, progress);
                      })) {
        return;
    }
    // Every window of the project, not this one alone, shows the new data.
    m_doc.NotifyViews(zav::HintDataChanged);
    TellImport(m_doc, report);
}

void CZAVView::OnAddFromSpreadsheet() {
    CSpreadsheetOptionsDialog options(m_doc, this);
    const bool confirmed = options.exec() == QDialog::Accepted;
    const bool clipboard = options.FromClipboard();
    std::vector<std::string> paths;
    if (confirmed && !clipboard) {
        paths = ToPaths(m_dialogs.ChooseOpenFiles(this, QStringLiteral("Open"),
                                                  QString::fromLatin1(kSpreadsheetFilter), true));
    }
    // Cancelled, or no file chosen: nothing to read. A parameter made in
    // the dialog is still news to the pages.
    if (!confirmed || (!clipboard && paths.empty())) {
        if (options.ParametersAdded()) {
            m_doc.NotifyViews(zav::HintDataChanged);
        }
        return;
    }
    zav::ImportReport report;
    const std::vector<std::string> columns =
        options.Layout() == 3 ? m_doc.ChooseColumnParameters() : std::vector<std::string>();
    const zav::SpreadsheetOptions chosen = options.Options();
    const bool layout3 = options.Layout() == 3;
    const bool added = RunOnScratch(
        QStringLiteral("Adding files..."), [&](zav::CZAVDoc& doc, zav::Progress& progress) {
            if (layout3 && clipboard) {
                doc.AddParsedClipboard(columns, &report);
            } else if (layout3) {
                doc.AddParsedSpreadsheetFiles(paths, columns, &report, progress);
            } else if (clipboard) {
                doc.AddClipboardData(chosen, &report);
            } else {
                doc.AddSpreadsheetFiles(paths, chosen, &report, progress);
            }
        });
    if (!added) {
        if (options.ParametersAdded()) {
            m_doc.NotifyViews(zav::HintDataChanged);
        }
        return;
    }
    m_doc.NotifyViews(zav::HintDataChanged);
    TellImport(m_doc, report);
}

void CZAVView::OnAddCentury() {
    CCenturyDialog dialog(m_doc.LastYearOfData(), this);
    if (dialog.exec() == QDialog::Accepted) {
        const int lastYear = dialog.LastYear();
        RunOnScratch(QStringLiteral("Adding a century..."),
                     [&](zav::CZAVDoc& doc, zav::Progress& progress) {
                         doc.AddCentury(lastYear, progress);
                     });
    }
    // After Cancel too, as the command always has.
    m_doc.NotifyViews(zav::HintDataChanged);
}

void CZAVView::OnGenerateStationFiles() {
    const QString folder =
        m_dialogs.ChooseFolder(this, QStringLiteral("Choose Folder For Generated Files"));
    if (folder.isEmpty()) {
        return;
    }
    // The folder stays the working directory, where the file dialogs open.
    QDir::setCurrent(folder);
    // Not cancelled: the files are written one by one, and stopping part
    // way would leave some.
    const std::string target = QDir(folder).absolutePath().toStdString();
    BackgroundWork::Run(
        this, QStringLiteral("Writing station files..."),
        [&](zav::Progress&) { m_doc.GenerateStationFiles(target); },
        BackgroundWork::Cancel::kNotAllowed);
}

void CZAVView::OnAddFromCsv() {
    AddCsvFiles(m_dialogs.ChooseOpenFiles(this, QStringLiteral("Add From CSV"),
                                          QString::fromLatin1(kCsvFilter), true));
}

void CZAVView::AddCsvFile(const QString& path) {
    AddCsvFiles({path});
}

// The first file is read twice, for the preview and by the import: the
// import reads every file alike, and the copy shown may be out of date.
void CZAVView::AddCsvFiles(const QStringList& chosen) {
    if (chosen.isEmpty()) {
        return;
    }
    std::string text;
    const std::string first = chosen.front().toStdString();
    if (!zav::ReadUserFile(first, text, m_doc.UI(),
                           "Unable to open file " + first + " for input.")) {
        return;
    }
    CsvImportDialog dialog(m_doc.FieldManager(), chosen.front(), std::move(text), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    zav::ImportReport report;
    zav::CsvAddResult result;
    const std::vector<std::string> paths = ToPaths(chosen);
    const zav::CsvImportOptions options = dialog.Options();
    if (!RunOnScratch(QStringLiteral("Adding files..."),
                      [&](zav::CZAVDoc& doc, zav::Progress& progress) {
                          result = doc.AddCsvFiles(paths, options, &report, progress);
                      })) {
        return;
    }
    if (result.added > 0) {
        m_doc.NotifyViews(zav::HintDataChanged);
    }
    std::string message = zav::ImportMessage(report);
    if (result.refused && report.Unreadable() > 0) {
        message += (message.empty() ? "" : "\n\n") + std::string("Nothing was added: ") +
                   std::to_string(report.Unreadable()) +
                   " cells could not be read. Choose \"Import the rest\" to add what could be.";
    }
    if (!message.empty()) {
        m_doc.UI().ShowMessage(message);
    }
}

void CZAVView::OnExportData() {
    ExportDataDialog dialog(m_doc.FieldManager(), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const bool netcdf = dialog.AsNetcdf();
    const QString path = m_dialogs.ChooseSaveFile(
        this, QStringLiteral("Export Data"),
        QString::fromLatin1(netcdf ? kNetcdfExportFilter : kCsvExportFilter), QString(),
        netcdf ? QStringLiteral("nc") : QStringLiteral("csv"));
    if (path.isEmpty()) {
        return;
    }
    std::string error;
    const std::vector<zav::ExportSeries> selection =
        zav::SelectExportSeries(m_doc.FieldManager(), dialog.Options(), error);
    const zav::ExportCounts counts = zav::CountExport(selection);
    const std::string file = path.toStdString();
    bool written = false;
    if (error.empty() && counts.points == 0) {
        error = "There are no points in the selection; nothing was written.";
    } else if (error.empty()) {
        // Cancelled, the file that was there stays and nothing is said.
        if (!BackgroundWork::Run(
                this, QStringLiteral("Exporting data..."), [&](zav::Progress& progress) {
                    written = zav::WriteExportFile(selection, file, netcdf, error, progress);
                })) {
            return;
        }
    }
    if (!written) {
        m_doc.UI().ShowMessage(error.empty() ? "Cannot write " + file + "." : error);
        return;
    }
    m_doc.UI().ShowMessage("Exported " + std::to_string(counts.points) + " points of " +
                           std::to_string(counts.series) + " series to " + file + ".");
}
