#include "app/pages/DataAvailPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "analysis/NumberBoxes.h"
#include "analysis/PickLists.h"
#include "analysis/ReportBuilder.h"
#include "app/dialogs/StatisticsOptionsDialog.h"
#include "app/frame/BackgroundWork.h"
#include "app/frame/FileDialogs.h"
#include "app/grid/CGridCtrl.h"
#include "app/grid/GridCellSource.h"
#include "core/Calendar.h"
#include "core/TextFormat.h"
#include "core/UserInterface.h"
#include "io/CZAVDoc.h"

namespace {

// Filling a control from the program is no change by the user.
class SignalsBlocked {
public:
    SignalsBlocked(std::initializer_list<QObject*> objects) {
        for (QObject* object : objects) {
            m_blockers.emplace_back(object);
        }
    }

private:
    std::vector<QSignalBlocker> m_blockers;
};

std::string Text(const QComboBox* combo) {
    return combo->currentText().toStdString();
}

void ReadDate(const QComboBox* years, const QComboBox* months, const QComboBox* days, int& year,
              int& month, int& day) {
    year = zav::AtoI(Text(years));
    month = months->currentIndex() + 1;
    day = days->currentIndex() + 1;
}

void AddNames(QListWidget* list, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        list->addItem(QString::fromStdString(name));
    }
}

QString KindWord(int kind) {
    return kind == zav::kMainStations ? QStringLiteral("Stations") : QStringLiteral("Parameters");
}

// The statistics the values table can show, as the page names them; the
// first is the page's own (the mean, with min and max for the graph).
const std::pair<zav::Statistic, const char*> kPageStatistics[] = {
    {zav::Statistic::kMinMaxMean, "Mean"},       {zav::Statistic::kCount, "Count"},
    {zav::Statistic::kCoverage, "Coverage (%)"}, {zav::Statistic::kSum, "Sum"},
    {zav::Statistic::kMin, "Minimum"},           {zav::Statistic::kMax, "Maximum"},
    {zav::Statistic::kMedian, "Median"},         {zav::Statistic::kP10, "10th percentile"},
    {zav::Statistic::kP25, "25th percentile"},   {zav::Statistic::kP75, "75th percentile"},
    {zav::Statistic::kP90, "90th percentile"},   {zav::Statistic::kSd, "Standard deviation"},
};

// The report's rows as the table shows them, made into text when a cell is
// shown: the name, then one cell per interval with its note. The cells are
// results: nothing typed or pasted changes them. The report is read as it
// stands at each call; the table is given a new source whenever it is
// rebuilt, and loses its rows whenever the data change.
//
// A row's notes (hover text, filled look) are computed when one of its
// cells is first shown or hovered: for a wide table they cost more than
// the table itself.
class ReportCells : public GridCellSource {
public:
    ReportCells(const zav::ReportTable& report, zav::ZAVFieldManager& store,
                zav::ReportRequest request)
        : m_report(report),
          m_store(store),
          m_request(std::move(request)),
          m_notes(report.rows.size()) {}

    int RowCount() const override { return static_cast<int>(m_report.rows.size()); }
    QString Text(int row, int column) const override {
        const std::string* text = Cell(row, column);
        return text ? QString::fromStdString(*text) : QString();
    }
    bool IsReadOnly(int, int column) const override { return column > 0; }
    QString Hint(int row, int column) const override {
        const zav::CellNote* note = Note(row, column);
        return note ? QString::fromStdString(note->hint) : QString();
    }
    bool IsMarked(int row, int column) const override {
        const zav::CellNote* note = Note(row, column);
        return note && note->filled;
    }
    // The names are measured row by row: their bytes are no count of
    // characters.
    int TextLength(int row, int column) const override {
        const std::string* text = column > 0 ? Cell(row, column) : nullptr;
        return text ? static_cast<int>(text->size()) : -1;
    }

private:
    const std::string* Cell(int row, int column) const {
        if (row < 0 || static_cast<size_t>(row) >= m_report.rows.size() || column < 0) {
            return nullptr;
        }
        const zav::ReportRow& item = m_report.rows[static_cast<size_t>(row)];
        if (column == 0) {
            return &item.name;
        }
        const size_t i = static_cast<size_t>(column) - 1;
        return i < item.cells.size() ? &item.cells[i] : nullptr;
    }
    const zav::CellNote* Note(int row, int column) const {
        if (row < 0 || static_cast<size_t>(row) >= m_report.rows.size() ||
            static_cast<size_t>(row) >= m_notes.size() || column < 1) {
            return nullptr;
        }
        std::optional<std::vector<zav::CellNote>>& notes = m_notes[static_cast<size_t>(row)];
        if (!notes) {
            notes = zav::RowNotes(m_store, m_request, m_report.rows[static_cast<size_t>(row)]);
        }
        const size_t i = static_cast<size_t>(column) - 1;
        return i < notes->size() ? &(*notes)[i] : nullptr;
    }

    const zav::ReportTable& m_report;
    zav::ZAVFieldManager& m_store;
    const zav::ReportRequest m_request;
    mutable std::vector<std::optional<std::vector<zav::CellNote>>> m_notes;  // per row, once asked
};

QtFileDialogs& SystemFileDialogs() {
    static QtFileDialogs dialogs;
    return dialogs;
}

}  // namespace

DataAvailPage::DataAvailPage(zav::CZAVDoc& doc, QWidget* parent)
    : SheetPage(doc, parent), m_form(this, doc.UI()), m_dialogs(&SystemFileDialogs()) {
    DataAvailForm& f = m_form;
    f.stations->setChecked(m_settings.mainListKind == zav::kMainStations);
    f.parameters->setChecked(m_settings.mainListKind == zav::kMainParameters);
    f.values->setChecked(m_settings.dataType == zav::kDataValues);
    f.availability->setChecked(m_settings.dataType == zav::kDataAvailability);
    f.maxMeanMin->setChecked(m_settings.plotStyle == zav::kPlotMaxMeanMin);
    f.mean->setChecked(m_settings.plotStyle == zav::kPlotMean);
    f.every->setText(QString::number(m_settings.every));
    f.thresholdValue->setText(QString::fromStdString(zav::FormatG(m_settings.threshold)));
    for (const char* unit : {"Years", "Months", "Weeks", "Days", "Hours", "Minutes"}) {
        f.unit->addItem(QString::fromLatin1(unit));
    }
    f.unit->setCurrentIndex(m_settings.unit);
    for (const auto& [statistic, name] : kPageStatistics) {
        f.statistic->addItem(QString::fromLatin1(name), static_cast<int>(statistic));
    }
    f.table->SetFixedRowCount(1);
    f.table->SetFixedColumnCount(1);
    f.table->SetColumnCount(1);
    f.table->SetItemText(0, 0, zav::MainListTitle(m_settings.mainListKind));
    f.table->SetListener(this);
    ApplyEnableRules();
    ApplyThresholdRules();
    SetOutOfDate(false);
    Connect();
}

void DataAvailPage::Connect() {
    DataAvailForm& f = m_form;
    connect(f.mainKind, &QButtonGroup::idClicked, this, &DataAvailPage::OnMainKindClicked);
    connect(f.mainList, &QListWidget::itemSelectionChanged, this,
            &DataAvailPage::OnMainSelectionChanged);
    connect(f.aggregatesOnly, &QCheckBox::clicked, this, &DataAvailPage::FillLists);
    connect(f.dataType, &QButtonGroup::idClicked, this, &DataAvailPage::OnDataTypeClicked);
    connect(f.threshold, &QCheckBox::clicked, this, &DataAvailPage::ApplyThresholdRules);
    connect(f.startMonth, &QComboBox::currentIndexChanged, this,
            [this] { OnMonthChanged(m_form.startDay, m_form.startMonth, m_form.startYear); });
    connect(f.endMonth, &QComboBox::currentIndexChanged, this,
            [this] { OnMonthChanged(m_form.endDay, m_form.endMonth, m_form.endYear); });
    connect(f.refresh, &QPushButton::clicked, this, &DataAvailPage::RebuildTable);
    connect(f.graph, &QPushButton::clicked, this, &DataAvailPage::OnGraph);
    connect(f.pointsGraph, &QPushButton::clicked, this, [this] { OnGraphStyle(zav::kPlotPoints); });
    connect(f.heatMap, &QPushButton::clicked, this, [this] { OnGraphStyle(zav::kPlotHeatMap); });
    connect(f.exportTable, &QPushButton::clicked, this, &DataAvailPage::OnExport);
    connect(f.statisticsOptions, &QPushButton::clicked, this, &DataAvailPage::OnStatisticsOptions);
    connect(f.summaryTables, &QPushButton::clicked, this, &DataAvailPage::OnSummaryTables);
    ConnectOutOfDate();
}

void DataAvailPage::ConnectOutOfDate() {
    DataAvailForm& f = m_form;
    auto outOfDate = [this] { SetOutOfDate(true); };
    connect(f.secondList, &QListWidget::itemSelectionChanged, this, outOfDate);
    for (QComboBox* combo : {f.unit, f.startDay, f.startYear, f.endDay, f.endYear}) {
        connect(combo, &QComboBox::currentIndexChanged, this, outOfDate);
    }
    connect(f.fillGaps, &QCheckBox::clicked, this, outOfDate);
    connect(f.every, &QLineEdit::textChanged, this, outOfDate);
    connect(f.statistic, &QComboBox::currentIndexChanged, this, outOfDate);
}

void DataAvailPage::OnStatisticsOptions() {
    StatisticsOptionsDialog dialog(m_statisticsOptions, Doc().UI(), this);
    if (dialog.exec() == QDialog::Accepted) {
        m_statisticsOptions = dialog.Options();
        SetOutOfDate(true);
    }
}

void DataAvailPage::OnSetActive() {
    if (!m_shown) {
        m_shown = true;
        Refresh();
    }
}

void DataAvailPage::Refresh() {
    if (!m_shown) {
        return;
    }
    FillDateLists();
    FillLists();
    RebuildTable();
    ApplyEnableRules();
    ApplyThresholdRules();
    SetOutOfDate(false);
}

bool DataAvailPage::IsOutOfDate() const {
    return m_form.refresh->isEnabled();
}

void DataAvailPage::MarkOutOfDate() {
    if (!m_shown) {
        return;
    }
    m_form.table->DeleteNonFixedRows();
    m_report.rows.clear();
    SetOutOfDate(true);
}

void DataAvailPage::SetOutOfDate(bool outOfDate) {
    m_form.refresh->setEnabled(outOfDate);
}

void DataAvailPage::resizeEvent(QResizeEvent* event) {
    SheetPage::resizeEvent(event);
    m_form.layout.Apply(size());
}

// --- settings ----------------------------------------------------------------

void DataAvailPage::ReadControls() {
    const DataAvailForm& f = m_form;
    m_settings.mainListKind = f.mainKind->checkedId();
    m_settings.dataType = f.dataType->checkedId();
    m_settings.plotStyle = f.plotStyle->checkedId();
    ReadDate(f.startYear, f.startMonth, f.startDay, m_settings.startYear, m_settings.startMonth,
             m_settings.startDay);
    ReadDate(f.endYear, f.endMonth, f.endDay, m_settings.endYear, m_settings.endMonth,
             m_settings.endDay);
    m_settings.unit = f.unit->currentIndex();
    if (!ReadNumberBoxes()) {
        return;
    }
    m_settings.fillGaps = f.fillGaps->isChecked();
    // The statistic is the values table's; availability keeps the page's
    // own unless an option asks for more.
    m_settings.statistics = m_statisticsOptions;
    m_settings.statistics.statistic =
        m_settings.dataType == zav::kDataValues
            ? static_cast<zav::Statistic>(f.statistic->currentData().toInt())
            : zav::Statistic::kMinMaxMean;
    m_aggregatesOnly = f.aggregatesOnly->isChecked();
    const QList<QListWidgetItem*> chosen = f.secondList->selectedItems();
    m_secondSelection = chosen.isEmpty() ? -1 : f.secondList->row(chosen.front());
}

bool DataAvailPage::ReadNumberBoxes() {
    zav::UserInterface& ui = Doc().UI();
    const std::optional<int> every = zav::ReadIntegerBox(m_form.every->text().toStdString());
    if (!every) {
        ui.ShowMessage(zav::kEnterIntegerMessage);
        return false;
    }
    m_settings.every = *every;
    m_settings.thresholdOn = m_form.threshold->isChecked();
    const std::optional<float> threshold =
        zav::ReadNumberBox(m_form.thresholdValue->text().toStdString());
    if (!threshold) {
        ui.ShowMessage(zav::kEnterNumberMessage);
        return false;
    }
    m_settings.threshold = *threshold;
    return true;
}

std::vector<std::string> DataAvailPage::MainItems(bool allWhenNoneSelected) const {
    const QListWidget* main = m_form.mainList;
    std::vector<std::string> items;
    for (int row = 0; row < main->count(); ++row) {
        if (main->item(row)->isSelected()) {
            items.push_back(main->item(row)->text().toStdString());
        }
    }
    if (items.empty() && allWhenNoneSelected) {
        for (int row = 0; row < main->count(); ++row) {
            items.push_back(main->item(row)->text().toStdString());
        }
    }
    return items;
}

zav::ReportRequest DataAvailPage::Request() const {
    zav::ReportRequest request;
    request.settings = m_settings;
    request.mainItems = MainItems(false);
    request.cellNotes = true;
    if (m_secondSelection >= 0 && m_secondSelection < m_form.secondList->count()) {
        request.otherItem = m_form.secondList->item(m_secondSelection)->text().toStdString();
    }
    return request;
}

// --- date lists --------------------------------------------------------------

void DataAvailPage::FillDateLists() {
    DataAvailForm& f = m_form;
    SignalsBlocked blocked{f.startMonth, f.startDay, f.startYear, f.endMonth, f.endDay, f.endYear};
    for (QComboBox* combo :
         {f.startMonth, f.startDay, f.startYear, f.endMonth, f.endDay, f.endYear}) {
        combo->clear();
    }
    int firstDay = 0, firstMonth = 0, firstYear = -1, lastDay = 0, lastMonth = 0, lastYear = -1;
    Doc().FieldManager().GetDateRange(firstDay, firstMonth, firstYear, lastDay, lastMonth,
                                      lastYear);
    if (firstYear == -1) {
        return;
    }
    for (QComboBox* years : {f.startYear, f.endYear}) {
        for (int year = firstYear; year <= lastYear; ++year) {
            years->addItem(QString::number(year));
        }
    }
    for (QComboBox* months : {f.startMonth, f.endMonth}) {
        for (const char* month : zav::kMonthAbbreviations) {
            months->addItem(QString::fromLatin1(month));
        }
    }
    f.startYear->setCurrentIndex(0);
    f.endYear->setCurrentIndex(f.endYear->count() - 1);
    f.startMonth->setCurrentIndex(firstMonth - 1);
    f.endMonth->setCurrentIndex(lastMonth - 1);
    FillDays(f.startDay, f.startMonth, f.startYear, firstDay);
    FillDays(f.endDay, f.endMonth, f.endYear, lastDay);
}

void DataAvailPage::FillDays(QComboBox* days, const QComboBox* months, const QComboBox* years,
                             int day) {
    SignalsBlocked blocked{days};
    days->clear();
    const int month = months->currentIndex() + 1;
    if (month < 1) {
        return;
    }
    const int count = zav::MonthLength(zav::AtoI(Text(years)), month);
    for (int d = 1; d <= count; ++d) {
        days->addItem(QString::number(d));
    }
    // The day stays where the month has it, else the month's last day.
    days->setCurrentIndex(std::clamp(day, 1, count) - 1);
}

void DataAvailPage::OnMonthChanged(QComboBox* days, const QComboBox* months,
                                   const QComboBox* years) {
    FillDays(days, months, years, days->currentIndex() + 1);
    SetOutOfDate(true);
}

// --- lists -------------------------------------------------------------------

void DataAvailPage::FillLists() {
    DataAvailForm& f = m_form;
    const int kind = f.mainKind->checkedId();
    {
        SignalsBlocked blocked{f.mainList, f.secondList};
        f.mainList->clear();
        f.secondList->clear();
        AddNames(f.mainList,
                 zav::MainListNames(Doc().FieldManager(), kind, f.aggregatesOnly->isChecked()));
    }
    f.mainLabel->setText(KindWord(kind));
    f.secondLabel->setText(KindWord(1 - kind));
    FillSecondList();
}

void DataAvailPage::FillSecondList() {
    DataAvailForm& f = m_form;
    SignalsBlocked blocked{f.secondList};
    f.secondList->clear();
    // With nothing chosen, what all of them relate to.
    AddNames(f.secondList,
             zav::SecondListNames(Doc().FieldManager(), f.mainKind->checkedId(), MainItems(true)));
}

void DataAvailPage::OnMainKindClicked() {
    if (m_form.mainKind->checkedId() == m_settings.mainListKind) {
        return;
    }
    ReadControls();
    FillLists();
    ApplyEnableRules();
    ApplyThresholdRules();
}

void DataAvailPage::OnMainSelectionChanged() {
    m_form.table->DeleteNonFixedRows();
    m_report.rows.clear();
    FillSecondList();
}

// --- enable rules ------------------------------------------------------------

void DataAvailPage::ApplyEnableRules() {
    DataAvailForm& f = m_form;
    const bool parameters = m_settings.mainListKind == zav::kMainParameters;
    // Parameters are reported as availability only; a plot of maxima and
    // minima needs values.
    if (parameters) {
        m_settings.dataType = zav::kDataAvailability;
    }
    const bool values = m_settings.dataType == zav::kDataValues;
    if (!values) {
        m_settings.plotStyle = zav::kPlotMean;
    }
    f.values->setEnabled(!parameters);
    f.maxMeanMin->setEnabled(values);
    f.pointsGraph->setEnabled(values);
    f.mean->setEnabled(true);
    f.statistic->setEnabled(values);
    f.dataType->button(m_settings.dataType)->setChecked(true);
    f.plotStyle->button(m_settings.plotStyle)->setChecked(true);
}

void DataAvailPage::ApplyThresholdRules() {
    const bool values = m_settings.dataType == zav::kDataValues;
    m_form.threshold->setEnabled(values);
    m_form.thresholdValue->setEnabled(values && m_form.threshold->isChecked());
}

void DataAvailPage::OnDataTypeClicked() {
    ReadControls();
    ApplyEnableRules();
    ApplyThresholdRules();
    SetOutOfDate(true);
}

// --- report table --------------------------------------------------------------

void DataAvailPage::RebuildTable() {
    SetOutOfDate(false);
    ReadControls();
    zav::ReportRequest request = Request();
    request.cellNotes = false;  // the table asks for a row's notes when it shows them
    // The table reads m_report while it is shown, a question asked during
    // the computing included: the new report is made apart, off the
    // window's thread, and then shown. Cancelled, the table shown stays.
    zav::ReportTable next;
    next.header = m_report.header;
    next.dataFor = m_report.dataFor;
    zav::ReportOutcome outcome = zav::ReportOutcome::kCancelled;
    BackgroundWork::Run(
        this, QStringLiteral("Computing the table..."), [&](zav::Progress& progress) {
            outcome = zav::RebuildTable(Doc().FieldManager(), request, next, progress);
        });
    if (outcome == zav::ReportOutcome::kCancelled) {
        SetOutOfDate(true);
        return;
    }
    m_report = std::move(next);
    ShowReport(request);
}

void DataAvailPage::ShowReport(const zav::ReportRequest& request) {
    CGridCtrl& table = *m_form.table;
    table.DeleteNonFixedRows();
    table.SetColumnCount(m_report.ColumnCount());
    for (int column = 0; column < m_report.ColumnCount(); ++column) {
        table.SetItemText(0, column, m_report.Cell(0, column));
    }
    table.SetCellSource(std::make_unique<ReportCells>(m_report, Doc().FieldManager(), request));
    m_form.dataFor->setText(m_report.dataFor.empty() ? QStringLiteral("Data for:")
                                                     : QString::fromStdString(m_report.dataFor));
    table.AutoSizeColumns();
    table.Redraw();
}
