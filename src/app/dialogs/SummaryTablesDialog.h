// SummaryTablesDialog: "Summary Tables", a window on the summaries of the
// availability page's selection: for the chosen station and parameter, a
// line per year (count, coverage and the chosen statistic) and the duration
// table over the page's span. The tables are the ones zav-cli summary and
// zav-cli duration print, computed once when the window opens; the window
// keeps them, as graph windows keep theirs.
#pragma once

#include <QDialog>
#include <vector>

#include "analysis/Summaries.h"

class FileDialogs;
class QComboBox;
class QLabel;
class QTabWidget;
class QTableWidget;
namespace zav {
class UserInterface;
}

class SummaryTablesDialog : public QDialog {
    Q_OBJECT
public:
    enum Tab { kYearsTab = 0, kDurationTab = 1 };

    // `about` is the line above the tables that says what they hold.
    // Messages go through `ui`, file names come from `dialogs`.
    SummaryTablesDialog(std::vector<zav::PairSummaries> pairs, const QString& about,
                        zav::UserInterface& ui, FileDialogs& dialogs, QWidget* parent = nullptr);

    // The pair shown and the table of the tab shown, as cells; none when
    // the pair has no values there.
    const std::optional<zav::SummaryTable>& ShownTable() const;

    // The controls, for tests.
    QComboBox* SeriesBox() const { return m_series; }
    QTabWidget* Tabs() const { return m_tabs; }
    QTableWidget* Table(Tab tab) const { return m_tables[tab]; }
    QLabel* Note() const { return m_note; }

    // Copy: the shown table to the clipboard, a tab between cells and a
    // line feed between lines. Export: the shown table as a CSV file.
    void Copy();
    void ExportCsv();

private:
    void ShowPair();
    void ShowNote();

    std::vector<zav::PairSummaries> m_pairs;
    zav::UserInterface& m_ui;
    FileDialogs& m_dialogs;
    QComboBox* m_series;
    QTabWidget* m_tabs;
    QTableWidget* m_tables[2];
    QLabel* m_note;
};
