// DataEditPage: the buttons beside and below the tables.
#include <QLabel>
#include <QPushButton>

#include "app/dialogs/CParseFormatDialog.h"
#include "app/frame/WaitCursor.h"
#include "app/grid/CGridCtrl.h"
#include "app/pages/DataEditPage.h"
#include "app/rules/DataEditRules.h"
#include "core/UserInterface.h"
#include "io/CZAVDoc.h"
#include "io/ParsedColumns.h"
#include "io/Spreadsheet.h"

void DataEditPage::OnUpperAdd() {
    ReadControls();
    zav::ZAVFieldManager& store = Doc().FieldManager();
    if (m_type == 1) {
        store.AddNewParameters(m_upperCount, "parameter", "units");
    } else if (store.AddNewStations(m_upperCount).empty()) {
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
    // The dialog gives the rows highest first; a station listed on several
    // rows is simply named several times.
    std::vector<std::string> doomed;
    for (int index : chosen.value_or(std::vector<int>())) {
        if (index >= 0 && static_cast<size_t>(index) < cells.size()) {
            doomed.push_back(RowName(index + 1));
        }
    }
    CommitPendingSort();
    zav::ZAVFieldManager& store = Doc().FieldManager();
    if (m_type == 1) {
        store.DeleteParameters(doomed);
    } else {
        store.DeleteStations(doomed);
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
    Doc().FieldManager().AddEmptyPoints(m_series.station, m_series.parameter, m_pointCount);
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
    // The rows are the points as they stand, a pending sort not yet done.
    Doc().FieldManager().DeleteStationData(m_series.station, m_series.parameter, *chosen);
    FillLowerTable();
    DataChanged();
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
    zav::ImportParsedColumn(Doc().FieldManager(), m_series.station, m_series.parameter,
                            Doc().ParseString(), 1, *text);
    FillLowerTable();
    DataChanged();
}
