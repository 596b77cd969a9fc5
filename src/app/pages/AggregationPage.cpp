#include "app/pages/AggregationPage.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSvgRenderer>
#include <algorithm>

#include "app/layout/DialogUnits.h"
#include "app/pages/NameListDelegate.h"
#include "core/TextFormat.h"
#include "core/UserInterface.h"
#include "io/CZAVDoc.h"

namespace {

// What the labels over the lists say for each kind.
struct KindTexts {
    const char* names;
    const char* aggregates;
};
constexpr KindTexts kKindTexts[] = {{"Stations", "Aggregated Stations"},
                                    {"Parameters", "Aggregated Parameters"}};

// The arrow artwork, drawn for the button's size and the screen's density.
QIcon ArrowIcon(const QString& resource, const QSize& size, qreal ratio) {
    QSvgRenderer renderer(resource);
    QPixmap pixmap(size * ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(ratio);
    return QIcon(pixmap);
}

QPushButton* ArrowButton(const QString& resource, const QString& tip, const QRect& rect,
                         QWidget* parent) {
    auto* button = new QPushButton(parent);
    const int side = std::min(rect.width(), rect.height()) * 2 / 3;
    button->setIconSize(QSize(side, side));
    button->setIcon(ArrowIcon(resource, button->iconSize(), parent->devicePixelRatioF()));
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    return button;
}

}  // namespace

AggregationPage::AggregationPage(zav::CZAVDoc& doc, QWidget* parent) : SheetPage(doc, parent) {
    BuildControls();
}

void AggregationPage::BuildControls() {
    DialogUnits units(font());
    m_layout.SetDesignSize(units.Size(318, 172));

    auto* group = new QGroupBox(QStringLiteral("Edit Type"), this);
    m_layout.Add(group, units.Rect(7, 5, 120, 29), AnchorLayout::kStays);
    m_stations = new QRadioButton(QStringLiteral("Stations"), this);
    m_stations->setObjectName(QStringLiteral("radio1045"));
    m_layout.Add(m_stations, units.Rect(13, 17, 52, 10), AnchorLayout::kStays);
    m_parameters = new QRadioButton(QStringLiteral("Parameters"), this);
    m_parameters->setObjectName(QStringLiteral("radio1093"));
    m_layout.Add(m_parameters, units.Rect(73, 17, 52, 10), AnchorLayout::kStays);
    m_stations->setChecked(true);
    connect(m_stations, &QRadioButton::clicked, this, [this] { OnTypeClicked(0); });
    connect(m_parameters, &QRadioButton::clicked, this, [this] { OnTypeClicked(1); });

    // The two lists share any change of width; the buttons and the right
    // list's label stay with the space between them.
    constexpr AnchorLayout::Edges kLeftHalf{0, 0, 0.5, 1};
    constexpr AnchorLayout::Edges kRightHalf{0.5, 0, 1, 1};
    constexpr AnchorLayout::Edges kMiddle{0.5, 0, 0.5, 0};

    m_namesLabel = new QLabel(this);
    m_namesLabel->setObjectName(QStringLiteral("label1043"));
    m_layout.Add(m_namesLabel, units.Rect(7, 40, 119, 9), AnchorLayout::kStays);
    m_names = new QListWidget(this);
    m_names->setObjectName(QStringLiteral("list1026"));
    m_names->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_names->setItemDelegate(new NameListDelegate(m_names));
    m_names->setUniformItemSizes(true);
    m_layout.Add(m_names, units.Rect(7, 50, 119, 115), kLeftHalf);

    const QRect makeRect = units.Rect(135, 71, 33, 23);
    m_make = ArrowButton(QStringLiteral(":/icons/aggregate.svg"),
                         QStringLiteral("Group the selected names"), makeRect, this);
    m_make->setObjectName(QStringLiteral("button1028"));
    m_layout.Add(m_make, makeRect, kMiddle);
    const QRect dissolveRect = units.Rect(135, 113, 33, 23);
    m_dissolve = ArrowButton(QStringLiteral(":/icons/dissolve.svg"),
                             QStringLiteral("Dissolve the selected groups"), dissolveRect, this);
    m_dissolve->setObjectName(QStringLiteral("button1029"));
    m_layout.Add(m_dissolve, dissolveRect, kMiddle);
    connect(m_make, &QPushButton::clicked, this, &AggregationPage::OnMake);
    connect(m_dissolve, &QPushButton::clicked, this, &AggregationPage::OnDissolve);

    m_aggregatesLabel = new QLabel(this);
    m_aggregatesLabel->setObjectName(QStringLiteral("label1044"));
    m_layout.Add(m_aggregatesLabel, units.Rect(178, 40, 132, 9), kMiddle);
    m_aggregates = new QListWidget(this);
    m_aggregates->setObjectName(QStringLiteral("list1027"));
    m_aggregates->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_layout.Add(m_aggregates, units.Rect(178, 50, 132, 115), kRightHalf);
}

void AggregationPage::Refresh() {
    m_changed = false;
    FillLists();
}

bool AggregationPage::OnKillActive() {
    if (m_changed) {
        Doc().NotifyViews(zav::HintAggregatesChanged);
    }
    m_changed = false;
    return true;
}

void AggregationPage::OnTypeClicked(int type) {
    if (type == m_type) {
        return;
    }
    m_type = type;
    FillLists();
}

void AggregationPage::FillLists() {
    m_stations->setChecked(m_type == 0);
    m_parameters->setChecked(m_type == 1);
    m_namesLabel->setText(QString::fromLatin1(kKindTexts[m_type].names));
    m_aggregatesLabel->setText(QString::fromLatin1(kKindTexts[m_type].aggregates));
    m_lists.Fill(Doc().FieldManager(), m_type);
    ShowNames();
    ShowAggregates();
}

void AggregationPage::ShowNames() {
    m_names->clear();
    for (int position = 0; position < m_lists.Count(); ++position) {
        auto* item = new QListWidgetItem(QString::fromStdString(m_lists.Row(position)));
        item->setData(NameListDelegate::kAggregatedRole, m_lists.IsAggregated(position));
        m_names->addItem(item);
    }
}

// Keeps the rows and their selection; only the greying changes.
void AggregationPage::ShowAggregatedFlags() {
    for (int position = 0; position < m_lists.Count() && position < m_names->count(); ++position) {
        m_names->item(position)->setData(NameListDelegate::kAggregatedRole,
                                         m_lists.IsAggregated(position));
    }
}

void AggregationPage::ShowAggregates() {
    m_aggregates->clear();
    for (const std::string& line : m_lists.Lines()) {
        m_aggregates->addItem(QString::fromStdString(line));
    }
}

std::vector<int> AggregationPage::SelectedRows(QListWidget* list) const {
    std::vector<int> rows;
    for (const QModelIndex& index : list->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void AggregationPage::OnMake() {
    zav::UserInterface& ui = Doc().UI();
    const std::vector<int> grouped = m_lists.Groupable(SelectedRows(m_names));
    if (grouped.empty()) {
        ui.ShowMessage("Please select items to aggregate.");
        return;
    }
    std::optional<std::string> alias = ui.AskText(
        "Aggregation Name", "Choose a name for this group:", "+ " + m_lists.Name(grouped.front()));
    // A group without a name could not be told apart in any list.
    if (!alias || zav::Trim(*alias).empty()) {
        return;
    }
    const bool made = Doc().Perform(
        "Make Group", 0, [&] { return m_lists.Make(Doc().FieldManager(), grouped, *alias); });
    if (!made) {
        return;
    }
    m_names->clearSelection();
    ShowAggregatedFlags();
    m_aggregates->addItem(QString::fromStdString(m_lists.Lines().back()));
    GroupsChanged();
}

void AggregationPage::OnDissolve() {
    const std::vector<int> chosen = SelectedRows(m_aggregates);
    if (chosen.empty()) {
        Doc().UI().ShowMessage("Please select items to de-aggregate.");
        return;
    }
    Doc().Perform(chosen.size() == 1 ? "Dissolve Group" : "Dissolve Groups", 0, [&] {
        m_lists.Dissolve(Doc().FieldManager(), chosen);
        return true;
    });
    ShowAggregates();
    ShowAggregatedFlags();
    GroupsChanged();
}

// Reports pool the groups' members: what other windows show is out of date
// at once; this window's availability page reloads when the page is left.
void AggregationPage::GroupsChanged() {
    m_changed = true;
    Doc().NotifyViews(zav::HintResultsOutOfDate);
}

void AggregationPage::resizeEvent(QResizeEvent* event) {
    SheetPage::resizeEvent(event);
    m_layout.Apply(size());
}
