#include "app/pages/DataEditPage.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

#include "analysis/NumberBoxes.h"
#include "app/frame/WaitCursor.h"
#include "app/grid/CGridCtrl.h"
#include "app/layout/DialogUnits.h"
#include "app/pages/PointCells.h"
#include "app/rules/DataEditRules.h"
#include "core/UserInterface.h"
#include "io/CZAVDoc.h"
#include "io/DocumentEdits.h"

namespace {

const QStringList kStationHeaders = {"Station", "Parameter", "Multiplier", "Offset"};
const QStringList kParameterHeaders = {"Parameter", "Units"};
const QStringList kPointHeaders = {"Date", "Value", "Scaled Value", "Mask"};

}  // namespace

DataEditPage::DataEditPage(zav::CZAVDoc& doc, QWidget* parent) : SheetPage(doc, parent) {
    BuildControls();
    RebuildUpperTable();
}

// --- controls ------------------------------------------------------------------

void DataEditPage::BuildControls() {
    DialogUnits units(font());
    m_layout.SetDesignSize(units.Size(310, 242));
    // The upper table takes the upper half of any change in height, the
    // points table the lower half; the buttons keep to their edges.
    constexpr AnchorLayout::Edges kMiddle{0, 0.5, 0, 0.5};

    auto* group = new QGroupBox(QStringLiteral("Edit Type"), this);
    m_layout.Add(group, units.Rect(7, 5, 120, 27), AnchorLayout::kStays);
    m_stations = new QRadioButton(QStringLiteral("Stations"), this);
    m_stations->setObjectName(QStringLiteral("radio1014"));
    m_layout.Add(m_stations, units.Rect(13, 17, 52, 10), AnchorLayout::kStays);
    m_parameters = new QRadioButton(QStringLiteral("Parameters"), this);
    m_parameters->setObjectName(QStringLiteral("radio1015"));
    m_layout.Add(m_parameters, units.Rect(73, 17, 52, 10), AnchorLayout::kStays);
    m_stations->setChecked(true);
    connect(m_stations, &QRadioButton::clicked, this, [this] { OnTypeClicked(0); });
    connect(m_parameters, &QRadioButton::clicked, this, [this] { OnTypeClicked(1); });

    m_upper = MakeTable(units.Rect(7, 34, 239, 66), 1010, AnchorLayout::kUpperHalf);
    m_upperAdd = MakeButton(QStringLiteral("Add"), 1017, units.Rect(253, 36, 50, 14),
                            AnchorLayout::kMovesRight);
    m_upperCountEdit = MakeCountEdit(1020, units.Rect(262, 57, 8, 8), 1018,
                                     units.Rect(271, 54, 23, 14), AnchorLayout::kMovesRight);
    m_upperDelete = MakeButton(QStringLiteral("Delete"), 1019, units.Rect(253, 79, 50, 14),
                               AnchorLayout::kMovesRight);

    m_seriesLabel = new QLabel(QString::fromLatin1(zav::kSeriesLabelStart), this);
    m_seriesLabel->setObjectName(QStringLiteral("label1046"));
    m_layout.Add(m_seriesLabel, units.Rect(7, 109, 296, 8), kMiddle);
    m_lower = MakeTable(units.Rect(7, 122, 296, 94), 1016, AnchorLayout::kLowerHalf);
    m_lower->SetHeaderTexts(kPointHeaders);

    m_lowerAdd = MakeButton(QStringLiteral("Add"), 1011, units.Rect(7, 221, 50, 14),
                            AnchorLayout::kMovesDown);
    m_pointCountEdit = MakeCountEdit(1021, units.Rect(61, 224, 8, 8), 1012,
                                     units.Rect(70, 221, 23, 14), AnchorLayout::kMovesDown);
    m_setFormat = MakeButton(QStringLiteral("Set Format"), 1044, units.Rect(97, 221, 50, 14),
                             AnchorLayout::kMovesDown);
    m_addFromSpreadsheet = MakeButton(QStringLiteral("Add From Spreadsheet"), 1042,
                                      units.Rect(151, 221, 82, 14), AnchorLayout::kMovesDown);
    m_lowerDelete = MakeButton(QStringLiteral("Delete"), 1013, units.Rect(253, 221, 50, 14),
                               AnchorLayout::kMovesToCorner);

    connect(m_upperAdd, &QPushButton::clicked, this, &DataEditPage::OnUpperAdd);
    connect(m_upperDelete, &QPushButton::clicked, this, &DataEditPage::OnUpperDelete);
    connect(m_lowerAdd, &QPushButton::clicked, this, &DataEditPage::OnLowerAdd);
    connect(m_lowerDelete, &QPushButton::clicked, this, &DataEditPage::OnLowerDelete);
    for (CGridCtrl* grid : {m_upper, m_lower}) {
        auto* key = new QShortcut(QKeySequence(QKeySequence::Delete), grid);
        key->setContext(Qt::WidgetWithChildrenShortcut);
        connect(key, &QShortcut::activated, this, [this, grid] { OnDeleteKey(*grid); });
    }
    connect(m_setFormat, &QPushButton::clicked, this, &DataEditPage::OnSetFormat);
    connect(m_addFromSpreadsheet, &QPushButton::clicked, this, &DataEditPage::OnAddFromSpreadsheet);
}

CGridCtrl* DataEditPage::MakeTable(const QRect& rect, int id, AnchorLayout::Edges edges) {
    auto* grid = new CGridCtrl(Doc().UI(), this);
    grid->Create(rect, this, id);
    grid->SetFixedRowCount(1);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->SetListener(this);
    m_layout.Add(grid, rect, edges);
    return grid;
}

QPushButton* DataEditPage::MakeButton(const QString& text, int id, const QRect& rect,
                                      AnchorLayout::Edges edges) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(QStringLiteral("button%1").arg(id));
    m_layout.Add(button, rect, edges);
    return button;
}

QLineEdit* DataEditPage::MakeCountEdit(int labelId, const QRect& labelRect, int editId,
                                       const QRect& editRect, AnchorLayout::Edges edges) {
    auto* label = new QLabel(QStringLiteral("#"), this);
    label->setObjectName(QStringLiteral("label%1").arg(labelId));
    m_layout.Add(label, labelRect, edges);
    auto* edit = new QLineEdit(QStringLiteral("1"), this);
    edit->setObjectName(QStringLiteral("edit%1").arg(editId));
    m_layout.Add(edit, editRect, edges);
    return edit;
}

// A count box that holds no integer keeps its previous count (and so does
// the box after it), after the message, and the command goes on.
void DataEditPage::ReadControls() {
    for (auto [edit, count] :
         {std::pair{m_upperCountEdit, &m_upperCount}, std::pair{m_pointCountEdit, &m_pointCount}}) {
        std::optional<int> value = zav::ReadIntegerBox(edit->text().toStdString());
        if (!value) {
            Doc().UI().ShowMessage(zav::kEnterIntegerMessage);
            edit->setFocus();
            return;
        }
        *count = *value;
    }
}

// --- filling -------------------------------------------------------------------

void DataEditPage::Refresh() {
    WaitCursor wait;
    RebuildUpperTable();
}

void DataEditPage::OnSetActive() {
    if (zav::AggregateLayout(Doc().FieldManager()) != m_aggregateLayout) {
        Refresh();
    }
}

bool DataEditPage::OnKillActive() {
    CommitPendingSort();
    if (m_changed) {
        m_changed = false;
        Doc().NotifyViews(zav::HintDataChanged);
    }
    return true;
}

void DataEditPage::OnTypeClicked(int type) {
    ReadControls();
    m_type = type;
    RebuildUpperTable();
}

void DataEditPage::RebuildUpperTable() {
    m_stations->setChecked(m_type == 0);
    m_parameters->setChecked(m_type == 1);
    m_filling = true;
    m_upper->DeleteNonFixedRows();
    m_upper->SetHeaderTexts(m_type == 0 ? kStationHeaders : kParameterHeaders);
    m_filling = false;
    // Parameters have no points of their own to show.
    const bool points = m_type == 0;
    m_lower->setEnabled(points);
    m_lowerAdd->setEnabled(points);
    m_lowerDelete->setEnabled(points);
    FillUpperTable();
}

void DataEditPage::FillUpperTable() {
    zav::ZAVFieldManager& store = Doc().FieldManager();
    m_aggregateLayout = zav::AggregateLayout(store);
    m_filling = true;
    m_upper->DeleteNonFixedRows();
    m_rows.clear();
    std::vector<zav::IndexInfo> entries;
    store.GetInfoList(entries, m_type == 0 ? zav::kStationType : zav::kParameterType);
    for (const zav::IndexInfo& entry : entries) {
        const std::string name = zav::ListedName(entry);
        if (m_type == 1) {
            int row = m_upper->InsertRow(name);
            m_upper->SetItemText(row, zav::kParameterUnits, entry.units);
            m_rows.push_back({entry.name, zav::GroupMark(entry)});
            continue;
        }
        // Triples: parameter, multiplier and offset, as the store writes them.
        std::vector<std::string> related;
        store.GetOwnParameters(entry.name, related);
        for (size_t i = 0; i + 2 < related.size(); i += 3) {
            m_rows.push_back({entry.name, zav::GroupMark(entry)});
            int row = m_upper->InsertRow(name);
            m_upper->SetItemText(
                row, zav::kStationParameter,
                zav::StationRowParameter(related[i], store.GetParameterUnitsAlias(related[i])));
            m_upper->SetItemText(row, zav::kStationMultiplier, related[i + 1]);
            m_upper->SetItemText(row, zav::kStationOffset, related[i + 2]);
        }
    }
    m_upper->AutoSizeColumns();
    m_selectedRow = 0;
    if (m_upper->GetRowCount() > 1) {
        // The row whose points are shown is the one marked.
        m_upper->SetFocusCell(1, 0);
        m_upper->SetSelectedRange({1, 0, 1, m_upper->GetColumnCount() - 1});
    }
    m_filling = false;
    FillLowerTable();
}

void DataEditPage::FillLowerTable() {
    CommitPendingSort();
    m_lower->DeleteNonFixedRows();
    m_series = SeriesName();
    const int row = m_selectedRow + 1;
    if (row < 1 || row >= m_upper->GetRowCount() || m_type != 0) {
        // Nothing to show: no rows, or parameter rows, which name no series.
        m_seriesLabel->setText(QString::fromLatin1(zav::kSeriesLabelStart));
        return;
    }
    const std::string station = RowName(row);
    const std::string parameterCell = m_upper->GetItemString(row, zav::kStationParameter);
    m_seriesLabel->setText(QString::fromStdString(zav::SeriesLabel(parameterCell, station)));
    m_series = {station, zav::ParameterOfRow(parameterCell)};
    if (CurrentSeries() == nullptr) {
        return;
    }
    // The rows read the series when they are shown; nothing is copied.
    m_lower->SetCellSource(
        std::make_unique<PointCells>(Doc().FieldManager(), m_series.station, m_series.parameter));
    m_lower->AutoSizeColumns();
}

void DataEditPage::SelectUpperRow(int row) {
    if (row < 1 || row == m_selectedRow + 1) {
        return;
    }
    m_selectedRow = row - 1;
    FillLowerTable();
}

std::string DataEditPage::RowName(int row) const {
    return row >= 1 && static_cast<size_t>(row) <= m_rows.size()
               ? m_rows[static_cast<size_t>(row - 1)].name
               : std::string();
}

std::string DataEditPage::RowMark(int row) const {
    return row >= 1 && static_cast<size_t>(row) <= m_rows.size()
               ? m_rows[static_cast<size_t>(row - 1)].mark
               : std::string();
}

zav::DataSeries* DataEditPage::CurrentSeries() const {
    if (m_series.station.empty() && m_series.parameter.empty()) {
        return nullptr;
    }
    return Doc().FieldManager().FindSeries(m_series.station, m_series.parameter);
}

// A date edit leaves its point where it was in the table, so that the rows
// keep meaning the points below them; the series is put in order when
// another series is shown or the page is left.
void DataEditPage::CommitPendingSort() {
    if (m_sortPending) {
        zav::PutInTimeOrder(Doc(), m_series.station, m_series.parameter);
    }
    m_sortPending = false;
}

// The availability page, in every window of the project, stops showing
// numbers as if current at once; leaving this page reloads every page.
void DataEditPage::DataChanged() {
    m_changed = true;
    Doc().NotifyViews(zav::HintResultsOutOfDate);
}

std::unique_ptr<QMenu> DataEditPage::TableMenu(CGridCtrl& grid) {
    return grid.ContextMenu(
        &grid == m_upper ? QStringLiteral("Table1 Context") : QStringLiteral("Table2 Context"),
        this);
}

void DataEditPage::resizeEvent(QResizeEvent* event) {
    SheetPage::resizeEvent(event);
    m_layout.Apply(size());
}
