#include "app/dialogs/SummaryTablesDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/ReportExport.h"
#include "app/frame/FileDialogs.h"
#include "core/UserInterface.h"

namespace {

const char* const kCsvFilter = "CSV files (*.csv)|*.csv|All Files (*.*)|*.*||";

QTableWidget* MakeTable(QWidget* parent) {
    auto* table = new QTableWidget(parent);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->setAlternatingRowColors(true);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    return table;
}

void Fill(QTableWidget& table, const std::optional<zav::SummaryTable>& cells) {
    table.clear();
    table.setRowCount(0);
    table.setColumnCount(0);
    if (!cells) {
        return;
    }
    QStringList header;
    for (const std::string& title : cells->header) {
        header << QString::fromStdString(title);
    }
    table.setColumnCount(header.size());
    table.setHorizontalHeaderLabels(header);
    table.setRowCount(static_cast<int>(cells->rows.size()));
    for (int r = 0; r < table.rowCount(); ++r) {
        const std::vector<std::string>& row = cells->rows[static_cast<size_t>(r)];
        for (int c = 0; c < table.columnCount(); ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(row[static_cast<size_t>(c)]));
            // Labels read from the left, numbers line up on the right.
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                          : Qt::AlignRight | Qt::AlignVCenter);
            table.setItem(r, c, item);
        }
    }
    table.resizeColumnsToContents();
}

}  // namespace

SummaryTablesDialog::SummaryTablesDialog(std::vector<zav::PairSummaries> pairs,
                                         const QString& about, zav::UserInterface& ui,
                                         FileDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_pairs(std::move(pairs)), m_ui(ui), m_dialogs(dialogs) {
    setWindowTitle(QStringLiteral("Summary Tables"));
    setObjectName(QStringLiteral("zav_summary_tables"));
    auto* layout = new QVBoxLayout(this);
    auto* aboutLabel = new QLabel(about, this);
    aboutLabel->setWordWrap(true);
    layout->addWidget(aboutLabel);

    auto* seriesRow = new QHBoxLayout;
    auto* seriesLabel = new QLabel(QStringLiteral("&Series:"), this);
    m_series = new QComboBox(this);
    seriesLabel->setBuddy(m_series);
    for (const zav::PairSummaries& pair : m_pairs) {
        m_series->addItem(QStringLiteral("%1 / %2").arg(QString::fromStdString(pair.station),
                                                        QString::fromStdString(pair.parameter)));
    }
    seriesRow->addWidget(seriesLabel);
    seriesRow->addWidget(m_series, 1);
    layout->addLayout(seriesRow);

    m_tabs = new QTabWidget(this);
    m_tables[kYearsTab] = MakeTable(m_tabs);
    m_tables[kDurationTab] = MakeTable(m_tabs);
    m_tabs->addTab(m_tables[kYearsTab], QStringLiteral("By &Year"));
    m_tabs->addTab(m_tables[kDurationTab], QStringLiteral("&Duration"));
    layout->addWidget(m_tabs, 1);
    m_note = new QLabel(this);
    layout->addWidget(m_note);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* copy = buttons->addButton(QStringLiteral("&Copy"), QDialogButtonBox::ActionRole);
    QPushButton* exportCsv =
        buttons->addButton(QStringLiteral("&Export CSV..."), QDialogButtonBox::ActionRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(copy, &QPushButton::clicked, this, &SummaryTablesDialog::Copy);
    connect(exportCsv, &QPushButton::clicked, this, &SummaryTablesDialog::ExportCsv);
    auto* copyKey = new QShortcut(QKeySequence::Copy, this);
    connect(copyKey, &QShortcut::activated, this, &SummaryTablesDialog::Copy);
    connect(m_series, &QComboBox::currentIndexChanged, this, &SummaryTablesDialog::ShowPair);
    connect(m_tabs, &QTabWidget::currentChanged, this, &SummaryTablesDialog::ShowNote);
    ShowPair();
    resize(460, 420);
}

const std::optional<zav::SummaryTable>& SummaryTablesDialog::ShownTable() const {
    static const std::optional<zav::SummaryTable> none;
    const int index = m_series->currentIndex();
    if (index < 0 || index >= static_cast<int>(m_pairs.size())) {
        return none;
    }
    const zav::PairSummaries& pair = m_pairs[static_cast<size_t>(index)];
    return m_tabs->currentIndex() == kDurationTab ? pair.duration : pair.years;
}

void SummaryTablesDialog::ShowPair() {
    const int index = m_series->currentIndex();
    const bool valid = index >= 0 && index < static_cast<int>(m_pairs.size());
    Fill(*m_tables[kYearsTab], valid ? m_pairs[static_cast<size_t>(index)].years : std::nullopt);
    Fill(*m_tables[kDurationTab],
         valid ? m_pairs[static_cast<size_t>(index)].duration : std::nullopt);
    ShowNote();
}

// A pair without values says so, as zav-cli does, instead of an empty table.
void SummaryTablesDialog::ShowNote() {
    const int index = m_series->currentIndex();
    if (index < 0 || index >= static_cast<int>(m_pairs.size()) || ShownTable()) {
        m_note->clear();
        return;
    }
    const zav::PairSummaries& pair = m_pairs[static_cast<size_t>(index)];
    m_note->setText(QString::fromStdString(zav::NoValuesMessage(pair.station, pair.parameter)));
}

void SummaryTablesDialog::Copy() {
    const std::optional<zav::SummaryTable>& table = ShownTable();
    if (!table) {
        return;
    }
    auto line = [](const std::vector<std::string>& row) {
        QStringList cells;
        for (const std::string& cell : row) {
            cells << QString::fromStdString(cell);
        }
        return cells.join(QLatin1Char('\t'));
    };
    QStringList lines{line(table->header)};
    for (const std::vector<std::string>& row : table->rows) {
        lines << line(row);
    }
    QApplication::clipboard()->setText(lines.join(QLatin1Char('\n')));
}

void SummaryTablesDialog::ExportCsv() {
    const std::optional<zav::SummaryTable>& table = ShownTable();
    if (!table) {
        return;
    }
    const QString path =
        m_dialogs.ChooseSaveFile(this, QStringLiteral("Export Summary Table"),
                                 QString::fromLatin1(kCsvFilter), QString(), QStringLiteral("csv"));
    if (path.isEmpty()) {
        return;
    }
    zav::WriteTableFile(m_ui, path.toStdString(), zav::SummaryTableCsv(*table));
}
