#include "app/pages/UnitsPage.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>
#include <functional>

#include "app/grid/CGridCtrl.h"
#include "app/layout/DialogUnits.h"
#include "app/rules/UnitsEdits.h"
#include "core/TextFormat.h"
#include "core/UserInterface.h"
#include "io/CZAVDoc.h"
#include "io/DocumentEdits.h"

UnitsPage::UnitsPage(zav::CZAVDoc& doc, QWidget* parent) : SheetPage(doc, parent) {
    BuildControls();
}

void UnitsPage::BuildControls() {
    DialogUnits units(font());
    m_layout.SetDesignSize(units.Size(308, 226));
    // The units table takes the upper half of any change in height, the
    // standard conversions the lower half.
    constexpr AnchorLayout::Edges kRightMiddle{1, 0.5, 1, 0.5};

    auto* label = new QLabel(QStringLiteral("Units for all parameters in project"), this);
    m_layout.Add(label, units.Rect(7, 7, 289, 9), AnchorLayout::kStays);
    auto* group = new QGroupBox(QStringLiteral("Standard conversions"), this);
    group->setObjectName(QStringLiteral("group1022"));
    m_layout.Add(group, units.Rect(7, 103, 289, 92), AnchorLayout::kLowerHalf);

    // The column of free text takes the room the numbers leave.
    m_units = MakeTable(units.Rect(7, 17, 289, 77), 1070,
                        {"Description", "Multiplier", "Offset", "Alias", "Comment"},
                        zav::kUnitsComment, AnchorLayout::kUpperHalf);
    m_conversions =
        MakeTable(units.Rect(12, 113, 228, 74), 1006, {"Conversion Name", "Multiplier", "Offset"},
                  zav::kConversionName, AnchorLayout::kLowerHalf);

    m_add = new QPushButton(QStringLiteral("Add"), this);
    m_add->setObjectName(QStringLiteral("button1007"));
    m_layout.Add(m_add, units.Rect(246, 133, 50, 14), kRightMiddle);
    m_delete = new QPushButton(QStringLiteral("Delete"), this);
    m_delete->setObjectName(QStringLiteral("button1008"));
    m_layout.Add(m_delete, units.Rect(246, 156, 50, 14), kRightMiddle);
    m_apply = new QPushButton(QStringLiteral("Apply standard conversion to parameter "), this);
    m_apply->setObjectName(QStringLiteral("button1005"));
    m_layout.Add(m_apply, units.Rect(7, 200, 237, 14), AnchorLayout::kMovesDown);

    connect(m_apply, &QPushButton::clicked, this, &UnitsPage::OnApply);
    connect(m_add, &QPushButton::clicked, this, &UnitsPage::OnAdd);
    connect(m_delete, &QPushButton::clicked, this, &UnitsPage::OnDelete);
    // The Delete key deletes the selected conversions at once.
    auto* key = new QShortcut(QKeySequence(QKeySequence::Delete), m_conversions);
    key->setContext(Qt::WidgetWithChildrenShortcut);
    connect(key, &QShortcut::activated, this, [this] {
        const GridRange range = m_conversions->GetSelectedRange();
        std::vector<int> indices;
        for (int row = std::max(range.minRow, 1); range.IsValid() && row <= range.maxRow; ++row) {
            indices.push_back(row - 1);
        }
        DeleteConversions(indices);
    });
}

CGridCtrl* UnitsPage::MakeTable(const QRect& rect, int id, const QStringList& headers,
                                int wideColumn, AnchorLayout::Edges edges) {
    auto* grid = new CGridCtrl(Doc().UI(), this);
    grid->Create(rect, this, id);
    grid->SetFixedRowCount(1);
    grid->SetHeaderTexts(headers);
    grid->horizontalHeader()->setSectionResizeMode(wideColumn, QHeaderView::Stretch);
    grid->SetListener(this);
    m_layout.Add(grid, rect, edges);
    return grid;
}

void UnitsPage::Refresh() {
    FillUnitsTable();
    FillConversionsTable();
    UpdateApplyButton();
}

void UnitsPage::FillUnitsTable() {
    // A refill after an edit keeps the cell the user is on.
    const auto focus = m_units->GetFocusCell();
    m_units->DeleteNonFixedRows();
    std::vector<zav::UnitsRecord> records;
    Doc().FieldManager().GetUnitsList(records);
    for (const zav::UnitsRecord& record : records) {
        int row = m_units->InsertRow(record.name);
        m_units->SetItemReadOnly(row, zav::kUnitsName);
        m_units->SetItemText(row, zav::kUnitsMultiplier, zav::FormatG(record.multiplier));
        m_units->SetItemText(row, zav::kUnitsOffset, zav::FormatG(record.offset));
        m_units->SetItemText(row, zav::kUnitsAlias, record.alias);
        m_units->SetItemText(row, zav::kUnitsComment, record.comment);
    }
    m_unitsRow = -1;
    UpdateApplyButton();
    m_units->AutoSizeRows();
    m_units->AutoSizeColumns();
    if (focus.first > 0 && focus.first < m_units->GetRowCount()) {
        m_units->SetFocusCell(focus.first, focus.second);
    }
}

void UnitsPage::FillConversionsTable() {
    m_conversions->DeleteNonFixedRows();
    m_conversionRow = -1;
    const zav::ConversionTable& table = Doc().Conversions();
    for (int i = 0; i < table.Count(); ++i) {
        int row = m_conversions->InsertRow(table.Name(i));
        m_conversions->SetItemText(row, zav::kConversionMultiplier,
                                   zav::FormatG(table.Multiplier(i)));
        m_conversions->SetItemText(row, zav::kConversionOffset, zav::FormatG(table.Offset(i)));
    }
    UpdateApplyButton();
    m_conversions->AutoSizeColumns();
}

void UnitsPage::UpdateApplyButton() {
    const bool chosen = m_unitsRow >= 0 && m_conversionRow >= 0;
    std::string conversion;
    std::string units;
    if (chosen) {
        conversion = m_conversions->GetItemString(m_conversionRow + 1, zav::kConversionName);
        units = m_units->GetItemString(m_unitsRow + 1, zav::kUnitsName);
    }
    m_apply->setText(QString::fromStdString(zav::ApplyButtonText(chosen, conversion, units)));
    m_apply->setEnabled(chosen);
}

void UnitsPage::OnApply() {
    if (m_unitsRow < 0 || m_conversionRow < 0) {
        return;
    }
    const int conversionRow = m_conversionRow + 1;
    const std::string name = m_units->GetItemString(m_unitsRow + 1, zav::kUnitsName);
    zav::ZAVFieldManager& store = Doc().FieldManager();
    zav::UnitsRecord record;
    if (store.GetUnits(name, record) == 0) {
        FillUnitsTable();
        return;
    }
    zav::ApplyConversion(record, m_conversions->GetItemString(conversionRow, zav::kConversionName),
                         m_conversions->GetItemString(conversionRow, zav::kConversionMultiplier),
                         m_conversions->GetItemString(conversionRow, zav::kConversionOffset));
    // The record is part of the project, and its alias is shown on other
    // pages: save it with the project and let them show the new one.
    zav::SetUnitsRecord(Doc(), "Apply Conversion", name, record);
    FillUnitsTable();
    Doc().NotifyViews(zav::HintDataChanged);
}

void UnitsPage::OnAdd() {
    // The conversions are written when the project is saved; as a change
    // of the project a new entry is not lost without a question at closing.
    Doc().Perform("Add Conversion", 0, [this] {
        Doc().Conversions().AddConversion();
        return true;
    });
    FillConversionsTable();
}

void UnitsPage::OnDelete() {
    std::vector<std::string> names;
    for (int row = 1; row < m_conversions->GetRowCount(); ++row) {
        names.push_back(m_conversions->GetItemString(row, zav::kConversionName));
    }
    std::optional<std::vector<int>> chosen = Doc().UI().ChooseToDelete(names);
    DeleteConversions(chosen.value_or(std::vector<int>()));
}

void UnitsPage::DeleteConversions(std::vector<int> indices) {
    if (!indices.empty()) {
        // Highest first, so that no removal moves an entry still to go.
        std::sort(indices.begin(), indices.end(), std::greater<int>());
        indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
        Doc().Perform("Delete Conversions", 0, [&] {
            for (int index : indices) {
                Doc().Conversions().RemoveConversion(index);
            }
            return true;
        });
    }
    FillConversionsTable();
}

// --- the tables ----------------------------------------------------------------

void UnitsPage::OnGridClick(CGridCtrl& grid, int row, int) {
    // Row 0 is the header and -1 outside the cells: both mean none.
    const int chosen = row > 0 ? row - 1 : -1;
    if (&grid == m_units) {
        m_unitsRow = chosen;
    } else {
        m_conversionRow = chosen;
    }
    UpdateApplyButton();
}

void UnitsPage::OnGridBeginEdit(CGridCtrl& grid, int row, int column) {
    m_textBeforeEdit = grid.GetItemText(row, column);
}

bool UnitsPage::OnGridEndEdit(CGridCtrl& grid, int row, int column) {
    if (grid.GetItemText(row, column) == m_textBeforeEdit) {
        return true;
    }
    return &grid == m_units ? EndUnitsEdit(row, column) : EndConversionEdit(row, column);
}

bool UnitsPage::EndUnitsEdit(int row, int column) {
    const std::string name = m_units->GetItemString(row, zav::kUnitsName);
    zav::ZAVFieldManager& store = Doc().FieldManager();
    zav::UnitsRecord record;
    if (store.GetUnits(name, record) == 0) {
        return false;
    }
    zav::CellEdit edit = zav::EditUnitsField(record, column, m_units->GetItemString(row, column));
    if (!edit.accepted) {
        if (!edit.message.empty()) {
            Doc().UI().ShowMessage(edit.message);
        }
        return false;
    }
    zav::SetUnitsRecord(Doc(), "Edit Units", name, record);
    m_units->SetItemText(row, column, edit.shown);
    if (column == zav::kUnitsAlias) {
        // Other pages show the alias; this one is refilled with them.
        Doc().NotifyViews(zav::HintDataChanged);
    } else if (column == zav::kUnitsMultiplier || column == zav::kUnitsOffset) {
        // Every converted value changes: reports shown are out of date.
        Doc().NotifyViews(zav::HintResultsOutOfDate);
    }
    return true;
}

bool UnitsPage::EndConversionEdit(int row, int column) {
    zav::CellEdit edit;
    Doc().Perform("Edit Conversion", 0, [&] {
        edit = zav::EditConversionField(Doc().Conversions(), row - 1, column,
                                        m_conversions->GetItemString(row, column));
        return edit.accepted;
    });
    if (!edit.accepted) {
        if (!edit.message.empty()) {
            Doc().UI().ShowMessage(edit.message);
        }
        return false;
    }
    m_conversions->SetItemText(row, column, edit.shown);
    UpdateApplyButton();
    return true;
}

std::unique_ptr<QMenu> UnitsPage::TableMenu(CGridCtrl& grid) {
    return grid.ContextMenu(
        &grid == m_units ? QStringLiteral("Table1 Context") : QStringLiteral("Table2 Context"),
        this);
}

void UnitsPage::OnGridRightClick(CGridCtrl& grid, int, int, const QPoint& globalPos) {
    TableMenu(grid)->exec(globalPos);
}

void UnitsPage::resizeEvent(QResizeEvent* event) {
    SheetPage::resizeEvent(event);
    m_layout.Apply(size());
}
