// DataEditPage: what clicks, edits and right clicks in the two tables do.
#include <QLabel>
#include <QMenu>

#include "app/grid/CGridCtrl.h"
#include "app/pages/DataEditPage.h"
#include "app/rules/DataEditRules.h"
#include "core/KTRTime.h"
#include "core/TextFormat.h"
#include "core/UserInterface.h"
#include "io/CZAVDoc.h"
#include "io/DocumentEdits.h"

void DataEditPage::OnGridFocusChanged(CGridCtrl& grid, int row, int) {
    if (&grid == m_upper && !m_filling) {
        SelectUpperRow(row);
    }
}

void DataEditPage::OnGridClick(CGridCtrl& grid, int row, int column) {
    if (&grid == m_lower) {
        if (column == zav::kPointMask) {
            ToggleMasks(row);
        }
        return;
    }
    if (row < 1 || m_type != 0) {
        return;
    }
    ReadControls();
    if (column == zav::kStationParameter) {
        ChooseStationParameter(row);
    } else {
        SelectUpperRow(row);
    }
}

void DataEditPage::OnGridRightClick(CGridCtrl& grid, int, int, const QPoint& globalPos) {
    TableMenu(grid)->exec(globalPos);
}

void DataEditPage::ChooseStationParameter(int row) {
    std::vector<zav::IndexInfo> entries;
    Doc().FieldManager().GetInfoList(entries, zav::kParameterType);
    std::vector<std::string> names;
    for (const zav::IndexInfo& entry : entries) {
        names.push_back(entry.name);
    }
    std::optional<int> chosen = Doc().UI().ChooseOne("Choose Parameters For Station", names);
    if (!chosen || *chosen < 0 || static_cast<size_t>(*chosen) >= names.size()) {
        return;
    }
    const std::string& parameter = names[static_cast<size_t>(*chosen)];
    zav::SetStationParameter(Doc(), RowName(row), parameter);
    m_upper->SetItemText(row, zav::kStationParameter, parameter);
    DataChanged();
    if (row == m_selectedRow + 1) {
        // The points shown belong to the row just changed: show them under
        // the name they now carry, so that edits below reach them.
        FillLowerTable();
    }
}

void DataEditPage::ToggleMasks(int row) {
    zav::DataSeries* series = CurrentSeries();
    if (series == nullptr || row < 0) {
        return;
    }
    // The header switches every row, each by what it shows: one step.
    const int first = row == 0 ? 1 : row;
    const int last = row == 0 ? m_lower->GetRowCount() - 1 : row;
    std::vector<size_t> indices;
    std::vector<int32_t> masks;
    for (int r = first; r <= last && static_cast<size_t>(r - 1) < series->Size(); ++r) {
        indices.push_back(static_cast<size_t>(r - 1));
        masks.push_back(zav::ToggledMask(m_lower->GetItemString(r, zav::kPointMask)));
    }
    zav::SetPointMasks(Doc(), m_series.station, m_series.parameter, indices, masks);
    // The mask cells read the series: they show the new masks.
    m_lower->CellsChanged();
    // A mask decides what counts: the reports change with it.
    DataChanged();
}

// --- edits ---------------------------------------------------------------------

void DataEditPage::OnGridBeginEdit(CGridCtrl& grid, int row, int column) {
    (&grid == m_upper ? m_upperBefore : m_lowerBefore) = grid.GetItemText(row, column);
}

bool DataEditPage::OnGridEndEdit(CGridCtrl& grid, int row, int column) {
    const QString text = grid.GetItemText(row, column);
    const bool upper = &grid == m_upper;
    const QString& before = upper ? m_upperBefore : m_lowerBefore;
    if (text == before) {
        return true;
    }
    const bool accepted = upper
                              ? EndUpperEdit(row, column, before.toStdString(), text.toStdString())
                              : EndLowerEdit(row, column, text.toStdString());
    if (accepted) {
        DataChanged();
    }
    return accepted;
}

bool DataEditPage::Refused(const std::string& message) {
    if (!message.empty()) {
        Doc().UI().ShowMessage(message);
    }
    return false;
}

bool DataEditPage::EndUpperEdit(int row, int column, const std::string& before,
                                const std::string& text) {
    bool accepted = false;
    if (column == 0) {
        accepted = RenameInUpperTable(row, text);
    } else if (m_type == 1) {
        // A parameter's units; the name is column 0 of its row.
        accepted = zav::Trim(text).size() > 0 &&
                   zav::ChangeParameterUnits(Doc(), RowName(row), before, text);
    } else if (column == zav::kStationMultiplier || column == zav::kStationOffset) {
        accepted = EndScalingEdit(row, column, text);
    }
    // A station row's parameter is chosen by a click, not typed.
    if (accepted) {
        m_upper->AutoSizeColumns();
    }
    return accepted;
}

// A name left blank (a cut cell, say) is refused: nothing could find or
// show a station or parameter without a name. The cells show the name with
// its group, which a rename keeps.
bool DataEditPage::RenameInUpperTable(int row, const std::string& text) {
    const std::string oldName = RowName(row);
    const std::string mark = RowMark(row);
    const std::string newName = zav::TypedName(text, mark);
    if (zav::Trim(newName).empty()) {
        return false;
    }
    const bool renamed = m_type == 1 ? zav::RenameParameter(Doc(), oldName, newName)
                                     : zav::RenameStation(Doc(), oldName, newName);
    if (!renamed) {
        return false;
    }
    // Every row of the station, and the series shown, carry the new name.
    for (int r = 1; r < m_upper->GetRowCount(); ++r) {
        if (RowName(r) == oldName) {
            m_rows[static_cast<size_t>(r - 1)].name = newName;
            m_upper->SetItemText(r, 0, newName + mark);
        }
    }
    if (m_type == 0 && m_series.station == oldName) {
        m_series.station = newName;
        m_seriesLabel->setText(QString::fromStdString(zav::SeriesLabel(
            m_upper->GetItemString(m_selectedRow + 1, zav::kStationParameter), newName)));
    }
    return true;
}

bool DataEditPage::EndScalingEdit(int row, int column, const std::string& text) {
    double value = 0.0;
    zav::CellEdit edit = zav::ReadNumberCell(text, value);
    if (!edit.accepted) {
        return Refused(edit.message);
    }
    const std::string station = RowName(row);
    const std::string parameter =
        zav::ParameterOfRow(m_upper->GetItemString(row, zav::kStationParameter));
    const bool set = column == zav::kStationMultiplier
                         ? zav::SetMultiplier(Doc(), station, parameter, value)
                         : zav::SetOffset(Doc(), station, parameter, value);
    if (!set) {
        return false;
    }
    m_upper->SetItemText(row, column, edit.shown);
    FillLowerTable();  // its scaled values
    return true;
}

bool DataEditPage::EndLowerEdit(int row, int column, const std::string& text) {
    zav::DataSeries* series = CurrentSeries();
    if (series == nullptr || row < 1 || static_cast<size_t>(row - 1) >= series->Size()) {
        return false;
    }
    const size_t i = static_cast<size_t>(row - 1);
    if (column == zav::kPointDate) {
        zav::KTRTime time;
        zav::CellEdit edit = zav::ReadDateCell(text, time);
        if (!edit.accepted) {
            return Refused(edit.message);
        }
        if (!zav::SetPointTime(Doc(), m_series.station, m_series.parameter, i, time)) {
            return Refused(zav::kDuplicateTimeMessage);
        }
        m_sortPending = true;
        m_lower->SetItemText(row, column, edit.shown);
        return true;
    }
    if (column == zav::kPointValue) {
        double value = 0.0;
        zav::CellEdit edit = zav::ReadNumberCell(text, value);
        if (!edit.accepted) {
            return Refused(edit.message);
        }
        zav::SetPointValue(Doc(), m_series.station, m_series.parameter, i, value);
        m_lower->SetItemText(row, column, edit.shown);
        m_lower->SetItemText(row, zav::kPointScaled, zav::FormatG(series->Scaled(i)));
        return true;
    }
    return false;
}
