// UnitsPage: the "Units Page" tab. The upper table edits the project's units
// records (multiplier, offset, alias, comment); the lower one edits the
// standard conversions that every project shares, and the apply button puts
// the chosen conversion on the chosen units.
#pragma once

#include <QString>
#include <memory>

#include "app/grid/GridListener.h"
#include "app/layout/AnchorLayout.h"
#include "app/pages/SheetPage.h"

class CGridCtrl;
class QMenu;
class QPushButton;

class UnitsPage : public SheetPage, private GridListener {
    Q_OBJECT
public:
    UnitsPage(zav::CZAVDoc& doc, QWidget* parent);

    // Refills both tables, which forgets both choices.
    void Refresh() override;
    void OnSetActive() override { Refresh(); }

    CGridCtrl* UnitsTable() const { return m_units; }
    CGridCtrl* ConversionsTable() const { return m_conversions; }
    QPushButton* ApplyButton() const { return m_apply; }
    QPushButton* AddButton() const { return m_add; }
    QPushButton* DeleteButton() const { return m_delete; }
    // 0-based data rows last clicked; -1 for none.
    int SelectedUnitsRow() const { return m_unitsRow; }
    int SelectedConversionRow() const { return m_conversionRow; }

    // The context menu of either table: its own Copy and Paste.
    std::unique_ptr<QMenu> TableMenu(CGridCtrl& grid);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildControls();
    CGridCtrl* MakeTable(const QRect& rect, int id, const QStringList& headers, int wideColumn,
                         AnchorLayout::Edges edges);
    void FillUnitsTable();
    void FillConversionsTable();
    void UpdateApplyButton();
    void OnApply();
    void OnAdd();
    void OnDelete();
    // `indices` count the conversions from 0, in any order.
    void DeleteConversions(std::vector<int> indices);
    bool EndUnitsEdit(int row, int column);
    bool EndConversionEdit(int row, int column);

    void OnGridClick(CGridCtrl& grid, int row, int column) override;
    void OnGridBeginEdit(CGridCtrl& grid, int row, int column) override;
    bool OnGridEndEdit(CGridCtrl& grid, int row, int column) override;
    void OnGridRightClick(CGridCtrl& grid, int row, int column, const QPoint& globalPos) override;

    CGridCtrl* m_units = nullptr;
    CGridCtrl* m_conversions = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_delete = nullptr;
    int m_unitsRow = -1;
    int m_conversionRow = -1;
    // The text of the cell being edited when its edit began: an edit that
    // leaves it as it was (Escape, or the same text typed) changes nothing.
    QString m_textBeforeEdit;
    AnchorLayout m_layout;
};
