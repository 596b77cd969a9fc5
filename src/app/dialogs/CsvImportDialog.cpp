#include "app/dialogs/CsvImportDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "io/CsvTime.h"
#include "store/ZAVFieldManager.h"

namespace {

// Rows of the preview: enough to see the shape, few enough to be instant.
constexpr size_t kPreviewRows = 40;

// The first item of a column box that is not a column.
const QString kFixed = QStringLiteral("(fixed name below)");

QString FromStd(const std::string& text) {
    return QString::fromStdString(text);
}

void FillBox(QComboBox* box, const QStringList& lead, const QStringList& header) {
    const QString current = box->currentText();
    box->clear();
    box->addItems(lead);
    box->addItems(header);
    const int keep = box->findText(current);
    box->setCurrentIndex(keep >= 0 ? keep : 0);
}

int FindColumn(const QStringList& header, std::initializer_list<const char*> words) {
    for (const char* word : words) {
        for (int i = 0; i < header.size(); ++i) {
            if (header[i].contains(QLatin1String(word), Qt::CaseInsensitive)) {
                return i;
            }
        }
    }
    return -1;
}

}  // namespace

CsvImportDialog::CsvImportDialog(const zav::ZAVFieldManager& store, const QString& path,
                                 std::string text, QWidget* parent)
    : QDialog(parent), m_store(store), m_text(std::move(text)) {
    setWindowTitle(QStringLiteral("Add From CSV"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("File: ") + QFileInfo(path).fileName(), this));
    auto* choices = new QHBoxLayout;
    choices->addWidget(MakeColumnChoices(), 1);
    choices->addWidget(MakeValueChoices(), 1);
    layout->addLayout(choices);
    m_preview = new QTableWidget(this);
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->verticalHeader()->hide();
    m_preview->setMinimumHeight(180);
    layout->addWidget(new QLabel(QStringLiteral("Preview of the first rows as they will be "
                                                "stored (cells that will not be are marked):"),
                                 this));
    layout->addWidget(m_preview, 1);
    m_status = new QLabel(this);
    m_status->setWordWrap(true);
    layout->addWidget(m_status);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    FillColumns();
    GuessColumns();
    RefreshPreview();
    resize(900, 640);
}

QWidget* CsvImportDialog::MakeColumnChoices() {
    auto* box = new QWidget(this);
    auto* form = new QFormLayout(box);
    m_delimiter = new QComboBox(box);
    m_delimiter->addItems({QStringLiteral("Detect"), QStringLiteral("Comma"),
                           QStringLiteral("Semicolon"), QStringLiteral("Tab"),
                           QStringLiteral("Pipe")});
    m_decimal = new QComboBox(box);
    m_decimal->addItems({QStringLiteral("Point"), QStringLiteral("Comma")});
    m_times = new QListWidget(box);
    m_times->setMaximumHeight(90);
    m_timeFormat = new QLineEdit(QStringLiteral("auto"), box);
    m_timeFormat->setToolTip(
        QStringLiteral("auto (ISO 8601 or M/D/YYYY), or a pattern of %Y %m %d %H %M %S %b %y"));
    m_utcOffset = new QLineEdit(QStringLiteral("+00:00"), box);
    m_station = new QComboBox(box);
    m_stationName = new QLineEdit(box);
    m_parameter = new QComboBox(box);
    m_parameterName = new QLineEdit(box);
    m_units = new QComboBox(box);
    m_unitsName = new QLineEdit(box);
    m_mask = new QComboBox(box);
    form->addRow(QStringLiteral("&Delimiter:"), m_delimiter);
    form->addRow(QStringLiteral("D&ecimal mark:"), m_decimal);
    form->addRow(QStringLiteral("&Time columns:"), m_times);
    form->addRow(QStringLiteral("Time &format:"), m_timeFormat);
    form->addRow(QStringLiteral("Times with an offset go to &UTC"), m_utcOffset);
    form->addRow(QStringLiteral("&Station column:"), m_station);
    form->addRow(QStringLiteral("Station name:"), m_stationName);
    form->addRow(QStringLiteral("&Parameter column:"), m_parameter);
    form->addRow(QStringLiteral("Parameter name:"), m_parameterName);
    form->addRow(QStringLiteral("U&nits column:"), m_units);
    form->addRow(QStringLiteral("Units name:"), m_unitsName);
    form->addRow(QStringLiteral("&Mask column:"), m_mask);
    connect(m_delimiter, &QComboBox::currentIndexChanged, this, &CsvImportDialog::ReloadColumns);
    for (QComboBox* c : {m_decimal, m_station, m_parameter, m_units, m_mask}) {
        connect(c, &QComboBox::currentIndexChanged, this, &CsvImportDialog::RefreshPreview);
    }
    for (QLineEdit* e : {m_timeFormat, m_utcOffset, m_stationName, m_parameterName, m_unitsName}) {
        connect(e, &QLineEdit::editingFinished, this, &CsvImportDialog::RefreshPreview);
    }
    connect(m_times, &QListWidget::itemChanged, this, &CsvImportDialog::RefreshPreview);
    return box;
}

QWidget* CsvImportDialog::MakeValueChoices() {
    auto* box = new QWidget(this);
    auto* form = new QFormLayout(box);
    m_values = new QTableWidget(0, 2, box);
    m_values->setHorizontalHeaderLabels(
        {QStringLiteral("Value column"), QStringLiteral("Its remark column")});
    m_values->horizontalHeader()->setStretchLastSection(true);
    m_values->verticalHeader()->hide();
    m_censored = new QComboBox(box);
    m_censored->addItems({QStringLiteral("Skip them (not stored, counted)"),
                          QStringLiteral("Store the limit"), QStringLiteral("Store half the limit"),
                          QStringLiteral("Store zero")});
    m_maskRemarks = new QLineEdit(box);
    m_maskRemarks->setPlaceholderText(QStringLiteral("for example P,E"));
    m_skipBad =
        new QCheckBox(QStringLiteral("Import the rest when some cells cannot be &read"), box);
    form->addRow(QStringLiteral("&Values:"), m_values);
    form->addRow(QStringLiteral("Below the detection &limit (<):"), m_censored);
    form->addRow(QStringLiteral("Store masked for &remarks:"), m_maskRemarks);
    form->addRow(m_skipBad);
    connect(m_values, &QTableWidget::itemChanged, this, &CsvImportDialog::RefreshPreview);
    connect(m_censored, &QComboBox::currentIndexChanged, this, &CsvImportDialog::RefreshPreview);
    connect(m_maskRemarks, &QLineEdit::editingFinished, this, &CsvImportDialog::RefreshPreview);
    return box;
}

void CsvImportDialog::FillColumns() {
    static const char kDelimiters[] = {0, ',', ';', '\t', '|'};
    const zav::CsvPreview header =
        zav::ReadCsvHeader(m_text, kDelimiters[std::max(0, m_delimiter->currentIndex())]);
    m_filling = true;
    m_header.clear();
    for (const std::string& name : header.header) {
        m_header << FromStd(name);
    }
    m_times->clear();
    for (const QString& name : m_header) {
        auto* item = new QListWidgetItem(name, m_times);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    FillBox(m_station, {kFixed}, m_header);
    FillBox(m_parameter, {QStringLiteral("(the value column's header)"), kFixed}, m_header);
    FillBox(m_units, {QStringLiteral("(the parameter's units)"), kFixed}, m_header);
    FillBox(m_mask, {QStringLiteral("(none)")}, m_header);
    m_values->setRowCount(static_cast<int>(m_header.size()));
    for (int row = 0; row < m_header.size(); ++row) {
        auto* item = new QTableWidgetItem(m_header[row]);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        m_values->setItem(row, 0, item);
        auto* remark = new QComboBox(m_values);
        remark->addItem(QStringLiteral("(none)"));
        remark->addItems(m_header);
        connect(remark, &QComboBox::currentIndexChanged, this, &CsvImportDialog::RefreshPreview);
        m_values->setCellWidget(row, 1, remark);
    }
    m_filling = false;
}

// A first guess a user mostly keeps: the date and time columns, the site
// or station column, and a remark column named like its value's code.
void CsvImportDialog::GuessColumns() {
    m_filling = true;
    for (int i = 0; i < m_header.size(); ++i) {
        const QString& name = m_header[i];
        if (name.contains(QLatin1String("date"), Qt::CaseInsensitive) ||
            name.compare(QLatin1String("time"), Qt::CaseInsensitive) == 0) {
            m_times->item(i)->setCheckState(Qt::Checked);
        }
    }
    const int station = FindColumn(m_header, {"station", "site"});
    m_station->setCurrentIndex(station >= 0 ? station + 1 : 0);
    for (int i = 0; i < m_header.size(); ++i) {
        const int code = static_cast<int>(m_header.indexOf(m_header[i] + QStringLiteral("_cd")));
        if (code >= 0) {
            m_values->item(i, 0)->setCheckState(Qt::Checked);
            static_cast<QComboBox*>(m_values->cellWidget(i, 1))->setCurrentIndex(code + 1);
        }
    }
    m_filling = false;
}

void CsvImportDialog::ReloadColumns() {
    FillColumns();
    GuessColumns();
    RefreshPreview();
}

// A column by its header where that names it alone, else by its position
// (which a header of digits could be mistaken for).
std::string CsvImportDialog::Reference(int column) const {
    const QString& name = m_header[column];
    bool digits = false;
    name.toLongLong(&digits);
    if (!digits && m_header.count(name) == 1) {
        return name.toStdString();
    }
    return std::to_string(column + 1);
}

std::string CsvImportDialog::ColumnOf(const QComboBox* box, int lead) const {
    const int column = box->currentIndex() - lead;
    return column >= 0 && column < m_header.size() ? Reference(column) : std::string();
}

zav::CsvImportOptions CsvImportDialog::Options() const {
    static const char kDelimiters[] = {0, ',', ';', '\t', '|'};
    zav::CsvImportOptions o;
    o.delimiter = kDelimiters[std::max(0, m_delimiter->currentIndex())];
    o.decimalComma = m_decimal->currentIndex() == 1;
    for (int i = 0; i < m_times->count(); ++i) {
        if (m_times->item(i)->checkState() == Qt::Checked) {
            o.timeColumns.push_back(Reference(i));
        }
    }
    o.timeFormat = m_timeFormat->text().trimmed().toStdString();
    zav::ReadUtcOffset(m_utcOffset->text().toStdString(), o.utcOffsetMinutes);
    o.stationColumn = ColumnOf(m_station, 1);
    o.station = o.stationColumn.empty() ? m_stationName->text().trimmed().toStdString() : "";
    o.parameterColumn = ColumnOf(m_parameter, 2);
    if (m_parameter->currentText() == kFixed) {
        o.parameter = m_parameterName->text().trimmed().toStdString();
    }
    o.unitsColumn = ColumnOf(m_units, 2);
    if (m_units->currentText() == kFixed) {
        o.units = m_unitsName->text().trimmed().toStdString();
    }
    o.maskColumn = ColumnOf(m_mask, 1);
    for (int row = 0; row < m_values->rowCount(); ++row) {
        if (m_values->item(row, 0)->checkState() != Qt::Checked) {
            continue;
        }
        o.valueColumns.push_back(Reference(row));
        const int remark = static_cast<QComboBox*>(m_values->cellWidget(row, 1))->currentIndex();
        o.remarkColumns.push_back(remark > 0 ? Reference(remark - 1) : "-");
    }
    o.censored = static_cast<zav::CensoredRule>(std::max(0, m_censored->currentIndex()));
    for (const QString& code : m_maskRemarks->text().split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        o.maskRemarks.push_back(code.trimmed().toStdString());
    }
    o.skipBad = m_skipBad->isChecked();
    return o;
}

void CsvImportDialog::RefreshPreview() {
    if (m_filling) {
        return;
    }
    const zav::CsvPreview preview = zav::PreviewCsv(m_text, Options(), m_store, kPreviewRows);
    const QStringList columns = {QStringLiteral("Line"),      QStringLiteral("Station"),
                                 QStringLiteral("Parameter"), QStringLiteral("Units"),
                                 QStringLiteral("Time"),      QStringLiteral("Value"),
                                 QStringLiteral("Mask"),      QStringLiteral("Not stored because")};
    m_preview->clear();
    m_preview->setColumnCount(static_cast<int>(columns.size()));
    m_preview->setHorizontalHeaderLabels(columns);
    m_preview->setRowCount(static_cast<int>(preview.rows.size()));
    size_t rejected = 0;
    for (int r = 0; r < static_cast<int>(preview.rows.size()); ++r) {
        const zav::CsvPreview::Row& row = preview.rows[static_cast<size_t>(r)];
        const QString problem =
            row.stored
                ? QString()
                : FromStd(row.problem) +
                      QStringLiteral(" (column %1: '%2')").arg(row.column).arg(FromStd(row.cell));
        const QStringList cells = {QString::number(row.line),
                                   FromStd(row.station),
                                   FromStd(row.parameter),
                                   FromStd(row.units),
                                   FromStd(row.time),
                                   FromStd(row.value),
                                   row.stored ? QString::number(row.mask) : QString(),
                                   problem};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (!row.stored) {
                item->setBackground(QColor(255, 220, 220));
            }
            m_preview->setItem(r, c, item);
        }
        rejected += row.stored ? 0 : 1;
    }
    m_preview->resizeColumnsToContents();
    m_status->setText(
        !preview.error.empty() ? FromStd("The file cannot be read so: " + preview.error + ".")
        : rejected > 0         ? QStringLiteral("%1 of the first %2 cells will not be stored.")
                             .arg(rejected)
                             .arg(preview.rows.size())
                       : QString());
}

void CsvImportDialog::accept() {
    // The dialog stays open with the reason in view.
    const std::string error = zav::CheckCsvOptions(Options());
    if (!error.empty()) {
        m_status->setText(FromStd("Please " + error + "."));
        return;
    }
    QDialog::accept();
}
