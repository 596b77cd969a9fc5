// DataEditPage: the "Edit Data" tab. The upper table lists every station
// with each of its parameters (or every parameter with its units), each by
// its own name even when it belongs to a group; the lower one lists the
// points of the series chosen above. Edits go straight into the project's
// store; each tells the views that reports are out of date, and leaving the
// page after a change tells them that the data changed.
//
// The page holds no pointer into the store: the series shown below is named
// by station and parameter and looked up when it is needed, since adding or
// removing series moves the others in memory.
#pragma once

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "app/grid/GridListener.h"
#include "app/layout/AnchorLayout.h"
#include "app/pages/SheetPage.h"

class CGridCtrl;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
namespace zav {
class DataSeries;
}

class DataEditPage : public SheetPage, private GridListener {
    Q_OBJECT
public:
    DataEditPage(zav::CZAVDoc& doc, QWidget* parent);

    // Rebuilds the upper table, which shows the points of its first row.
    void Refresh() override;
    // Showing the page reloads it only when stations or parameters were
    // grouped or ungrouped meanwhile, so that its rows show the groups.
    void OnSetActive() override;
    // Puts an edited series back in time order; after a change, the views
    // hear HintDataChanged once.
    bool OnKillActive() override;

    // 0 stations, 1 parameters.
    int EditType() const { return m_type; }
    bool HasChanged() const { return m_changed; }
    // The 0-based data row of the upper table whose points are shown.
    int SelectedUpperRow() const { return m_selectedRow; }
    // The series shown below, or null.
    zav::DataSeries* CurrentSeries() const;

    QRadioButton* StationsButton() const { return m_stations; }
    QRadioButton* ParametersButton() const { return m_parameters; }
    CGridCtrl* UpperTable() const { return m_upper; }
    CGridCtrl* LowerTable() const { return m_lower; }
    QPushButton* UpperAddButton() const { return m_upperAdd; }
    QLineEdit* UpperCountEdit() const { return m_upperCountEdit; }
    QPushButton* UpperDeleteButton() const { return m_upperDelete; }
    QLabel* SeriesLabel() const { return m_seriesLabel; }
    QPushButton* LowerAddButton() const { return m_lowerAdd; }
    QLineEdit* PointCountEdit() const { return m_pointCountEdit; }
    QPushButton* SetFormatButton() const { return m_setFormat; }
    QPushButton* AddFromSpreadsheetButton() const { return m_addFromSpreadsheet; }
    QPushButton* LowerDeleteButton() const { return m_lowerDelete; }

    // The context menu of either table: its own Copy and Paste.
    std::unique_ptr<QMenu> TableMenu(CGridCtrl& grid);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The series the points table shows, by name.
    struct SeriesName {
        std::string station;
        std::string parameter;
    };

    void BuildControls();
    CGridCtrl* MakeTable(const QRect& rect, int id, AnchorLayout::Edges edges);
    QPushButton* MakeButton(const QString& text, int id, const QRect& rect,
                            AnchorLayout::Edges edges);
    QLineEdit* MakeCountEdit(int labelId, const QRect& labelRect, int editId, const QRect& editRect,
                             AnchorLayout::Edges edges);
    void ReadControls();

    // Filling (DataEditPage.cpp).
    void OnTypeClicked(int type);
    void RebuildUpperTable();
    void FillUpperTable();
    void FillLowerTable();
    void SelectUpperRow(int row);
    void CommitPendingSort();
    void DataChanged();
    // The station or parameter upper row `row` stands for, and the group
    // mark its name cell shows after it.
    std::string RowName(int row) const;
    std::string RowMark(int row) const;

    // Buttons (DataEditButtons.cpp).
    void OnUpperAdd();
    void OnUpperDelete();
    void DeleteUpperRows(const std::vector<int>& indices);
    void DeleteLowerRows(const std::vector<int>& indices);
    // The Delete key deletes the rows selected in `grid` at once, as its
    // Delete button would after choosing them (Undo takes it back).
    void OnDeleteKey(CGridCtrl& grid);
    void OnLowerAdd();
    void OnLowerDelete();
    void OnSetFormat();
    void OnAddFromSpreadsheet();

    // Cells (DataEditCells.cpp).
    void OnGridClick(CGridCtrl& grid, int row, int column) override;
    void OnGridBeginEdit(CGridCtrl& grid, int row, int column) override;
    bool OnGridEndEdit(CGridCtrl& grid, int row, int column) override;
    void OnGridFocusChanged(CGridCtrl& grid, int row, int column) override;
    void OnGridRightClick(CGridCtrl& grid, int row, int column, const QPoint& globalPos) override;
    bool EndUpperEdit(int row, int column, const std::string& before, const std::string& text);
    bool RenameInUpperTable(int row, const std::string& text);
    bool EndScalingEdit(int row, int column, const std::string& text);
    bool EndLowerEdit(int row, int column, const std::string& text);
    void ChooseStationParameter(int row);
    void ToggleMasks(int row);
    bool Refused(const std::string& message);

    int m_type = 0;
    int m_upperCount = 1;
    int m_pointCount = 1;
    int m_selectedRow = -1;
    SeriesName m_series;
    // Per data row of the upper table: the name it stands for and its group
    // mark, kept apart from the cell's text, which a name may resemble.
    struct UpperRow {
        std::string name;
        std::string mark;
    };
    std::vector<UpperRow> m_rows;
    // The aggregates as they stood when the upper table was filled.
    std::string m_aggregateLayout;
    bool m_changed = false;
    bool m_sortPending = false;
    // The upper table is being filled: the focus moving meanwhile is not
    // the user choosing a row.
    bool m_filling = false;
    // The text of the cell being edited when its edit began, per table.
    QString m_upperBefore;
    QString m_lowerBefore;

    QRadioButton* m_stations = nullptr;
    QRadioButton* m_parameters = nullptr;
    CGridCtrl* m_upper = nullptr;
    CGridCtrl* m_lower = nullptr;
    QPushButton* m_upperAdd = nullptr;
    QLineEdit* m_upperCountEdit = nullptr;
    QPushButton* m_upperDelete = nullptr;
    QLabel* m_seriesLabel = nullptr;
    QPushButton* m_lowerAdd = nullptr;
    QLineEdit* m_pointCountEdit = nullptr;
    QPushButton* m_setFormat = nullptr;
    QPushButton* m_addFromSpreadsheet = nullptr;
    QPushButton* m_lowerDelete = nullptr;
    AnchorLayout m_layout;
};
