// DataEditPage: the buttons beside and below the tables.
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "app/dialogs/CParseFormatDialog.h"
#include "app/frame/WaitCursor.h"
#include "app/grid/CGridCtrl.h"
#include "app/pages/DataEditPage.h"
#include "app/rules/DataEditRules.h"
#include "core/UserInterface.h"
#include "io/CZAVDoc.h"
#include "io/DocumentEdits.h"
#include "io/ParsedColumns.h"
#include "io/Spreadsheet.h"

void DataEditPage::OnUpperAdd() {
    ReadControls();
    if (m_type == 1) {
        zav::AddParameters(Doc(), m_upperCount, "parameter", "units");
    } else if (!zav::AddStations(Doc(), m_upperCount)) {
        Doc().UI().ShowMessage(zav::kNoParameterMessage);
        return;
    }
    FillUpperTable();
    DataChanged();
}

void DataEditPage::OnUpperDelete() {
    std::vector<std::string> cells;
    for (int row = 1; row < m_upper->GetRowCount(); ++row) {
        cells.push_back(m_upper->GetItemString(row, 0));
    }
    std::optional<std::vector<int>> chosen = Doc().UI().ChooseToDelete(cells);
    DeleteUpperRows(chosen.value_or(std::vector<int>()));
}

// `indices` count the table's rows from 0 below the header. A station
// listed on several rows is simply named several times.
void DataEditPage::DeleteUpperRows(const std::vector<int>& indices) {
    std::vector<std::string> doomed;
    for (int index : indices) {
        if (index >= 0 && index + 1 < m_upper->GetRowCount()) {
            doomed.push_back(RowName(index + 1));
        }
    }
    CommitPendingSort();
    if (m_type == 1) {
        zav::DeleteParameters(Doc(), doomed);
    } else {
        zav::DeleteStations(Doc(), doomed);
    }
    FillUpperTable();
    DataChanged();
}

void DataEditPage::OnLowerAdd() {
    ReadControls();
    if (CurrentSeries() == nullptr) {
        return;
    }
    // New points go after the latest; the series is put in order first so
    // that they are placed as the table will show them.
    CommitPendingSort();
    zav::AddEmptyPoints(Doc(), m_series.station, m_series.parameter, m_pointCount);
    FillLowerTable();
    DataChanged();
}

void DataEditPage::OnLowerDelete() {
    if (CurrentSeries() == nullptr) {
        return;
    }
    std::vector<std::string> dates;
    for (int row = 1; row < m_lower->GetRowCount(); ++row) {
        dates.push_back(m_lower->GetItemString(row, zav::kPointDate));
    }
    std::optional<std::vector<int>> chosen = Doc().UI().ChooseToDelete(dates);
    if (!chosen) {
        return;
    }
    DeleteLowerRows(*chosen);
}

// The rows are the points as they stand, a pending sort not yet done.
void DataEditPage::DeleteLowerRows(const std::vector<int>& indices) {
    if (CurrentSeries() == nullptr) {
        return;
    }
    zav::DeletePoints(Doc(), m_series.station, m_series.parameter, indices);
    FillLowerTable();
    DataChanged();
}

namespace {
std::vector<int> SelectedRowIndices(const CGridCtrl& grid) {
    std::vector<int> rows;
    const GridRange range = grid.GetSelectedRange();
    // Highest first, as the Delete dialog gives them; the header is no row.
    for (int row = range.maxRow; range.IsValid() && row >= std::max(range.minRow, 1); --row) {
        rows.push_back(row - 1);
    }
    return rows;
}
}  // namespace

void DataEditPage::OnDeleteKey(CGridCtrl& grid) {
    const std::vector<int> rows = SelectedRowIndices(grid);
    if (rows.empty()) {
        return;
    }
    if (&grid == m_upper) {
        DeleteUpperRows(rows);
    } else {
        DeleteLowerRows(rows);
    }
}

void DataEditPage::OnSetFormat() {
    CParseFormatDialog::EditDocumentFormat(Doc(), this);
}

// Points for the series shown, from spreadsheet text on the clipboard laid
// out as "Set Format" says: the first VALUE column goes into this series.
void DataEditPage::OnAddFromSpreadsheet() {
    ReadControls();
    if (CurrentSeries() == nullptr) {
        return;
    }
    WaitCursor wait;
    CommitPendingSort();
    std::optional<std::string> text = zav::ReadClipboard(Doc().UI());
    if (!text) {
        return;
    }
    zav::PastePoints(Doc(), m_series.station, m_series.parameter, *text);
    FillLowerTable();
    DataChanged();
}
