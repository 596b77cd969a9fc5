// DataAvailPage: the "Data Availability" tab, which answers where and when
// the project has data and what it says. The user picks stations or
// parameters, a date span and an interval; the page shows the report table
// and opens graph windows and exports. Every result comes from the analysis
// layer; the page only reads its controls and shows what it is given.
#pragma once

#include <memory>

#include "analysis/AnalysisSettings.h"
#include "analysis/ReportRequest.h"
#include "analysis/ReportTable.h"
#include "app/grid/GridListener.h"
#include "app/pages/DataAvailForm.h"
#include "app/pages/SheetPage.h"

class FileDialogs;
class QComboBox;
class QMenu;

class DataAvailPage : public SheetPage, private GridListener {
    Q_OBJECT
public:
    // The export outputs, in the order the options dialog offers them.
    enum ExportOption {
        kToClipboard = 0,
        kToFile = 1,
        kTimeseriesToFile = 2,
        kTimeseriesToClipboard = 3,
    };

    DataAvailPage(zav::CZAVDoc& doc, QWidget* parent);

    // Until the page is first shown its lists and table stay empty and
    // Refresh does nothing.
    void Refresh() override;
    void OnSetActive() override;
    // File choosers for the exports; Qt's own until set.
    void SetFileDialogs(FileDialogs& dialogs) { m_dialogs = &dialogs; }

    // The buttons' commands.
    void RebuildTable();
    void OnGraph();
    // The graph of the selection in another style: raw points or the heat map.
    void OnGraphStyle(int style);
    void OnExport();
    // "Summaries...": the summary tables window of the selection, which
    // lives on its own until closed (or the page goes).
    void OnSummaryTables();
    // An export with the options dialog's answer. A table export of a table
    // out of date rebuilds it first, so that what is shown, copied and
    // written is what Refresh would show.
    void ExportAs(int option, bool transpose);
    // The table's context menu ("&Copy", "&Paste"), made anew for each use.
    std::unique_ptr<QMenu> CreateTableMenu();

    const DataAvailForm& Form() const { return m_form; }
    // The settings as last read from the controls, and the report shown.
    const zav::AnalysisSettings& Settings() const { return m_settings; }
    const zav::ReportTable& Report() const { return m_report; }
    // The table no longer matches the controls or the data ("Refresh" is
    // enabled).
    bool IsOutOfDate() const;
    // The data changed: the rows go, since their numbers are no longer
    // current, and "Refresh" is enabled. Nothing before the first showing.
    void MarkOutOfDate();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Connect();
    void ConnectOutOfDate();
    // Copies the controls into the settings. A number box that holds no
    // number says so; it and the boxes read after it keep their settings.
    void ReadControls();
    bool ReadNumberBoxes();
    // The chosen main-list items in list order (all of them when none is
    // chosen and `allWhenNoneSelected`).
    std::vector<std::string> MainItems(bool allWhenNoneSelected) const;
    zav::ReportRequest Request() const;
    void OpenGraph(const zav::ReportRequest& request);
    void SetOutOfDate(bool outOfDate);

    void FillDateLists();
    void FillDays(QComboBox* days, const QComboBox* months, const QComboBox* years, int day);
    void OnMonthChanged(QComboBox* days, const QComboBox* months, const QComboBox* years);
    void FillLists();
    void FillSecondList();
    void ApplyEnableRules();
    void ApplyThresholdRules();
    // Shows the report computed for `request`.
    void ShowReport(const zav::ReportRequest& request);

    void OnMainKindClicked();
    void OnMainSelectionChanged();
    void OnDataTypeClicked();
    // "Options...": the statistics options dialog.
    void OnStatisticsOptions();

    void ExportTableFile(bool transpose);
    void ExportTimeseriesFile();
    // The time series text, computed off the window's thread; false when
    // the person cancelled, `built` false when the request was refused.
    bool BuildTimeseries(std::string& text, bool& built);
    void ExportTimeseriesClipboard();

    void OnGridRightClick(CGridCtrl& grid, int row, int column, const QPoint& globalPos) override;

    DataAvailForm m_form;
    zav::AnalysisSettings m_settings;
    // What the statistics options dialog last said (its statistic unused:
    // the page's list gives it).
    zav::StatisticsOptions m_statisticsOptions;
    bool m_aggregatesOnly = false;
    int m_secondSelection = -1;
    zav::ReportTable m_report;
    FileDialogs* m_dialogs;
    bool m_shown = false;
};
