#include "app/dialogs/StatisticsOptionsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QSpinBox>

#include "core/Calendar.h"
#include "core/UserInterface.h"

const char* const StatisticsOptionsDialog::kMostCommonStep = "Most common step";

namespace {

// The step as the box shows it: "15min", "1h", "1d", or in seconds.
QString StepText(int64_t seconds) {
    if (seconds == 0) {
        return QString::fromLatin1(StatisticsOptionsDialog::kMostCommonStep);
    }
    for (const auto& [unit, length] :
         {std::pair<const char*, int64_t>{"d", 86400}, {"h", 3600}, {"min", 60}}) {
        if (seconds % length == 0) {
            return QString::number(seconds / length) + QString::fromLatin1(unit);
        }
    }
    return QString::number(seconds) + QStringLiteral("s");
}

}  // namespace

StatisticsOptionsDialog::StatisticsOptionsDialog(const zav::StatisticsOptions& options,
                                                 zav::UserInterface& ui, QWidget* parent)
    : QDialog(parent), m_options(options), m_ui(ui) {
    setWindowTitle(QStringLiteral("Statistics Options"));
    auto* form = new QFormLayout;

    m_step = new QComboBox(this);
    m_step->setEditable(true);
    m_step->addItems({QString::fromLatin1(kMostCommonStep), QStringLiteral("15min"),
                      QStringLiteral("1h"), QStringLiteral("1d")});
    m_step->setCurrentText(StepText(options.expectedStep));
    form->addRow(QStringLiteral("&Expected sampling step:"), m_step);

    m_coverage = new QDoubleSpinBox(this);
    m_coverage->setRange(0.0, 100.0);
    m_coverage->setDecimals(1);
    m_coverage->setSuffix(QStringLiteral(" %"));
    m_coverage->setSpecialValueText(QStringLiteral("Any value"));
    m_coverage->setValue(options.minCoverage);
    form->addRow(QStringLiteral("&Available from coverage:"), m_coverage);

    m_yearStart = new QComboBox(this);
    for (const char* month : zav::kMonthAbbreviations) {
        m_yearStart->addItem(QString::fromLatin1(month));
    }
    m_yearStart->setCurrentIndex(options.yearStartMonth - 1);
    form->addRow(QStringLiteral("&Years begin in:"), m_yearStart);

    m_maxGap = new QSpinBox(this);
    m_maxGap->setRange(0, 100000);
    m_maxGap->setSpecialValueText(QStringLiteral("Any length"));
    m_maxGap->setSuffix(QStringLiteral(" intervals"));
    m_maxGap->setValue(static_cast<int>(options.maxGap));
    form->addRow(QStringLiteral("&Longest gap filled:"), m_maxGap);

    m_markFilled = new QCheckBox(QStringLiteral("&Mark filled values with * in the table"), this);
    m_markFilled->setChecked(options.markFilled);
    form->addRow(QString(), m_markFilled);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &StatisticsOptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    setLayout(form);
}

zav::StatisticsOptions StatisticsOptionsDialog::Options() const {
    zav::StatisticsOptions options = m_options;
    const std::string step = m_step->currentText().trimmed().toStdString();
    options.expectedStep = step == kMostCommonStep ? 0 : zav::ParseStep(step).value_or(0);
    options.minCoverage = m_coverage->value();
    options.yearStartMonth = m_yearStart->currentIndex() + 1;
    options.maxGap = static_cast<size_t>(m_maxGap->value());
    options.markFilled = m_markFilled->isChecked();
    return options;
}

void StatisticsOptionsDialog::accept() {
    const std::string step = m_step->currentText().trimmed().toStdString();
    if (step != kMostCommonStep && !zav::ParseStep(step)) {
        m_ui.ShowMessage("Please enter a sampling step such as 15min, 1h or 1d.");
        return;
    }
    QDialog::accept();
}
