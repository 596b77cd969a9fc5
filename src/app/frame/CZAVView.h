// CZAVView: the content of a project window — the page sheet — and the
// window's ear on its document: a hint from the document reloads the pages
// it concerns. It also carries out the Data menu commands that a view
// handles.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "io/CZAVDoc.h"

class FileDialogs;
class ZAVViewSheet;

class CZAVView : public QWidget, public zav::DocumentObserver {
    Q_OBJECT
public:
    CZAVView(zav::CZAVDoc& doc, FileDialogs& dialogs, QWidget* parent);
    ~CZAVView() override;

    zav::CZAVDoc& Doc() const { return m_doc; }
    ZAVViewSheet& Sheet() const { return *m_sheet; }

    // HintDataChanged reloads every page; HintAggregatesChanged the
    // availability page; HintResultsOutOfDate marks the availability page
    // out of date; anything else nothing.
    void OnDocumentUpdate(int hint) override;
    // The frame hears of it (documentStateChanged) to fit menus and captions.
    void OnDocumentStateChanged() override { emit documentStateChanged(); }
    // Ends a cell edit under way on the pages, so that Undo takes back the
    // edit the person sees as made.
    void CommitEdits();

signals:
    void documentStateChanged();

public:
    // Data > Add MOLVAN or PELLIDOR format: the files chosen are added in
    // the order the dialog gives them, then every view's pages reload.
    void OnAddAgencyFiles();
    // The same for files already chosen (a drop on the window).
    void AddAgencyFiles(const std::vector<std::string>& paths);
    // Data > Add From CSV: the files, then "Add From CSV" on the first of
    // them with its preview; the import runs after OK with those choices
    // for every file, and every view's pages reload.
    void OnAddFromCsv();
    // The dialog and the import for one file already chosen.
    void AddCsvFile(const QString& path);
    // Data > Export Data: "Export Data", then the file to write.
    void OnExportData();
    // Data > Add From Spreadsheet: "Choose Spreadsheet Options", then the
    // files (unless the text is on the clipboard), then, for layout 3, the
    // parameter of each value column; every view's pages reload.
    void OnAddFromSpreadsheet();
    // Data > Add Century: the last year to move; every view of the project
    // reloads, after Cancel too.
    void OnAddCentury();
    // Data > Generate new data files for each station: the chosen folder
    // becomes the working directory and receives the files.
    void OnGenerateStationFiles();

private:
    void AddCsvFiles(const QStringList& paths);
    // Runs `operation` on a scratch copy of the project off the window's
    // thread, with the progress dialog, and takes what it did as one undo
    // step. False when it was cancelled: the project is as it was.
    bool RunOnScratch(const QString& label,
                      const std::function<void(zav::CZAVDoc&, zav::Progress&)>& operation);

    zav::CZAVDoc& m_doc;
    FileDialogs& m_dialogs;
    ZAVViewSheet* m_sheet;
};
