#include "app/pages/DataAvailForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

#include "analysis/AnalysisSettings.h"
#include "app/grid/CGridCtrl.h"
#include "app/grid/GridModel.h"
#include "app/layout/DialogUnits.h"

namespace {

// How the controls follow the page: right of the lists they keep their
// distance to the right edge; "Refresh" and the second list's label move by
// half the change, as the second list does, which also widens by half.
constexpr AnchorLayout::Edges kHalfRight{0.5, 0, 0.5, 0};
constexpr AnchorLayout::Edges kWidensHalf{0, 0, 0.5, 0};
constexpr AnchorLayout::Edges kWidens{0, 0, 1, 0};
constexpr AnchorLayout::Edges kHalfRightWidensHalf{0.5, 0, 1, 0};

// The page as drawn, in dialog units.
constexpr int kDesignWidth = 421;
constexpr int kDesignHeight = 222;
constexpr int kTableId = 1;

class Placer {
public:
    Placer(QWidget* page, AnchorLayout& layout)
        : m_page(page), m_units(page->font()), m_layout(layout) {
        m_layout.SetDesignSize(m_units.Size(kDesignWidth, kDesignHeight));
    }

    template <class Widget>
    Widget* Put(Widget* widget, int x, int y, int w, int h, AnchorLayout::Edges edges) {
        m_layout.Add(widget, m_units.Rect(x, y, w, h), edges);
        return widget;
    }
    QLabel* Label(const char* text, int x, int y, int w, AnchorLayout::Edges edges) {
        return Put(new QLabel(QString::fromLatin1(text), m_page), x, y, w, 8, edges);
    }
    QComboBox* Combo(int x, int y, int w, AnchorLayout::Edges edges) {
        auto* combo = new QComboBox(m_page);
        combo->setMaxVisibleItems(16);
        return Put(combo, x, y, w, 12, edges);
    }
    QRadioButton* Radio(const char* text, int x, int y, int w, AnchorLayout::Edges edges) {
        return Put(new QRadioButton(QString::fromLatin1(text), m_page), x, y, w, 10, edges);
    }
    QCheckBox* Check(const char* text, int x, int y, int w, AnchorLayout::Edges edges) {
        return Put(new QCheckBox(QString::fromLatin1(text), m_page), x, y, w, 10, edges);
    }
    QPushButton* Button(const char* text, int x, int y, int w, AnchorLayout::Edges edges) {
        return Put(new QPushButton(QString::fromLatin1(text), m_page), x, y, w, 14, edges);
    }
    void Group(const char* title, int x, int y, int w, int h) {
        Put(new QGroupBox(QString::fromLatin1(title), m_page), x, y, w, h,
            AnchorLayout::kMovesRight);
    }
    QRect Rect(int x, int y, int w, int h) const { return m_units.Rect(x, y, w, h); }

private:
    QWidget* m_page;
    DialogUnits m_units;
    AnchorLayout& m_layout;
};

QButtonGroup* Pair(QWidget* page, QRadioButton* first, int firstId, QRadioButton* second,
                   int secondId) {
    auto* group = new QButtonGroup(page);
    group->addButton(first, firstId);
    group->addButton(second, secondId);
    return group;
}

void DateRow(Placer& at, const char* title, int y, QComboBox*& month, QComboBox*& day,
             QComboBox*& year) {
    const auto stays = AnchorLayout::kStays;
    at.Label(title, 7, y + 2, 22, stays);
    month = at.Combo(32, y, 36, stays);
    day = at.Combo(71, y, 28, stays);
    at.Label(",", 101, y + 2, 4, stays);
    year = at.Combo(107, y, 40, stays);
}

}  // namespace

DataAvailForm::DataAvailForm(QWidget* page, zav::UserInterface& ui) {
    using zav::kDataAvailability;
    using zav::kDataValues;
    Placer at(page, layout);
    const auto stays = AnchorLayout::kStays;
    const auto right = AnchorLayout::kMovesRight;

    DateRow(at, "Start:", 7, startMonth, startDay, startYear);
    DateRow(at, "End:", 23, endMonth, endDay, endYear);

    at.Label("Main list consists of:", 7, 43, 74, stays);
    stations = at.Radio("Stations", 84, 42, 44, stays);
    parameters = at.Radio("Parameters", 130, 42, 56, stays);
    mainKind = Pair(page, stations, zav::kMainStations, parameters, zav::kMainParameters);
    mainLabel = at.Label("Stations", 7, 58, 118, stays);
    secondLabel = at.Label("Parameters", 131, 58, 118, kHalfRight);
    mainList = at.Put(new QListWidget(page), 7, 68, 118, 94, kWidensHalf);
    mainList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    secondList = at.Put(new QListWidget(page), 131, 68, 118, 94, kHalfRightWidensHalf);
    secondList->setSelectionMode(QAbstractItemView::SingleSelection);
    aggregatesOnly = at.Check("Show aggregates only", 7, 167, 100, stays);
    refresh = at.Button("Refresh", 199, 166, 50, kHalfRight);

    at.Group("Data Type", 260, 4, 78, 38);
    availability = at.Radio("Data Availability", 266, 15, 70, right);
    values = at.Radio("Data Values", 266, 27, 70, right);
    dataType = Pair(page, availability, kDataAvailability, values, kDataValues);
    at.Group("Plot Style", 344, 4, 70, 38);
    maxMeanMin = at.Radio("Max-Mean-Min", 350, 15, 62, right);
    mean = at.Radio("Mean", 350, 27, 62, right);
    plotStyle = Pair(page, maxMeanMin, zav::kPlotMaxMeanMin, mean, zav::kPlotMean);
    threshold = at.Check("Add threshold line at:", 260, 49, 90, right);
    thresholdValue = at.Put(new QLineEdit(page), 352, 48, 62, 12, right);
    fillGaps = at.Check("Fill missing data using interpolation", 260, 64, 154, right);
    at.Group("Data Interval", 260, 79, 154, 32);
    at.Label("Every", 266, 94, 20, right);
    every = at.Put(new QLineEdit(page), 288, 92, 30, 12, right);
    every->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), every));
    unit = at.Combo(324, 92, 84, right);
    graph = at.Button("Graph", 260, 118, 74, right);
    exportTable = at.Button("Export", 340, 118, 74, right);
    pointsGraph = at.Button("Raw Points", 260, 136, 74, right);
    pointsGraph->setToolTip(QStringLiteral("Every stored value of the stations over the span"));
    heatMap = at.Button("Heat Map", 340, 136, 74, right);
    heatMap->setToolTip(
        QStringLiteral("Coverage of each interval as coloured cells, a row per item"));
    at.Label("Statistic:", 260, 156, 34, right);
    statistic = at.Combo(296, 154, 66, right);
    statisticsOptions = at.Button("Options...", 366, 153, 48, right);
    filledLegend = at.Label("", 260, 170, 104, right);
    summaryTables = at.Button("Summaries...", 366, 168, 48, right);
    summaryTables->setToolTip(QStringLiteral("Year-by-year and duration tables of the selection"));
    filledLegend->setText(QStringLiteral("<span style=\"background-color:%1\">&nbsp;&nbsp;&nbsp;"
                                         "&nbsp;</span> filled by interpolation")
                              .arg(GridModel::MarkedColor().name()));

    dataFor = at.Label("Data for:", 7, 184, 407, kWidens);
    table = new CGridCtrl(ui);
    table->Create(at.Rect(7, 194, 407, 22), page, kTableId);
    layout.Add(table, table->geometry(), AnchorLayout::kGrows);
}
