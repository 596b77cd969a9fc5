#include "app/dialogs/ExportDataDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QListWidget>
#include <set>

#include "store/ZAVFieldManager.h"

namespace {

// Every list starts fully selected: an export of everything is one OK away.
QListWidget* NameList(const std::set<std::string>& names, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (const std::string& name : names) {
        list->addItem(QString::fromStdString(name));
    }
    list->selectAll();
    return list;
}

// The selected names, or none (meaning all) when every one is selected.
std::vector<std::string> Chosen(const QListWidget* list) {
    std::vector<std::string> names;
    for (const QListWidgetItem* item : list->selectedItems()) {
        names.push_back(item->text().toStdString());
    }
    if (static_cast<int>(names.size()) == list->count()) {
        names.clear();
    }
    return names;
}

}  // namespace

ExportDataDialog::ExportDataDialog(const zav::ZAVFieldManager& store, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Export Data"));
    std::set<std::string> stations;
    std::set<std::string> parameters;
    for (const zav::DataSource& source : store.Sources()) {
        for (const zav::DataSeries& series : source.series) {
            stations.insert(series.StationName());
            parameters.insert(series.ParameterName());
        }
    }
    auto* form = new QFormLayout(this);
    m_format = new QComboBox(this);
    m_format->addItem(QStringLiteral("Tidy CSV (station,parameter,units,time,value,mask)"));
    if (zav::NetcdfAvailable()) {
        m_format->addItem(QStringLiteral("netCDF (CF-1.8 time series)"));
    }
    m_stations = NameList(stations, this);
    m_parameters = NameList(parameters, this);
    m_span = new QCheckBox(QStringLiteral("Only from the start day to the end day"), this);
    int firstDay = 0, firstMonth = 0, firstYear = -1, lastDay = 0, lastMonth = 0, lastYear = -1;
    store.GetDateRange(firstDay, firstMonth, firstYear, lastDay, lastMonth, lastYear);
    m_start = new QDateEdit(QDate(firstYear, firstMonth, firstDay), this);
    m_end = new QDateEdit(QDate(lastYear, lastMonth, lastDay), this);
    for (QDateEdit* edit : {m_start, m_end}) {
        edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        edit->setCalendarPopup(true);
        edit->setEnabled(false);
        connect(m_span, &QCheckBox::toggled, edit, &QWidget::setEnabled);
    }
    m_scaled = new QCheckBox(
        QStringLiteral("Values &scaled as reports show them (multiplier, offset, units)"), this);
    form->addRow(QStringLiteral("&Format:"), m_format);
    form->addRow(QStringLiteral("S&tations:"), m_stations);
    form->addRow(QStringLiteral("&Parameters:"), m_parameters);
    form->addRow(m_span);
    form->addRow(QStringLiteral("Start &day:"), m_start);
    form->addRow(QStringLiteral("&End day:"), m_end);
    form->addRow(m_scaled);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

void ExportDataDialog::accept() {
    // An empty list would mean "all" to the export; here it means nothing.
    if (!m_stations->selectedItems().isEmpty() && !m_parameters->selectedItems().isEmpty()) {
        QDialog::accept();
    }
}

bool ExportDataDialog::AsNetcdf() const {
    return m_format->currentIndex() == 1;
}

zav::DataExportOptions ExportDataDialog::Options() const {
    zav::DataExportOptions options;
    options.stations = Chosen(m_stations);
    options.parameters = Chosen(m_parameters);
    if (m_span->isChecked()) {
        const QDate start = m_start->date();
        const QDate end = m_end->date();
        options.start = zav::KTRTime(start.year(), start.month(), start.day(), 0, 0, 0);
        options.end = zav::KTRTime(end.year(), end.month(), end.day(), 23, 59, 59);
    }
    options.scaled = m_scaled->isChecked();
    return options;
}
