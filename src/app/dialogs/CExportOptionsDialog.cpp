#include "app/dialogs/CExportOptionsDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/layout/DialogUnits.h"

CExportOptionsDialog::CExportOptionsDialog(QWidget* parent)
    : QDialog(parent), m_options(new QButtonGroup(this)), m_transpose(new QCheckBox(this)) {
    setWindowTitle(QStringLiteral("Export Report Table Options"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    DialogUnits units(font());
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(units.Y(3));
    layout->setContentsMargins(units.X(7), units.Y(7), units.X(7), units.Y(7));

    auto addOption = [&](const char* text, int id) {
        auto* radio = new QRadioButton(QString::fromLatin1(text), this);
        m_options->addButton(radio, id);
        layout->addWidget(radio);
        return radio;
    };
    addOption("To clipboard", 0)->setChecked(true);
    addOption("To file, tab-delimited", 1);
    // "Transpose" belongs to the tab-delimited file, so it sits under it.
    m_transpose->setText(QStringLiteral("Transpose"));
    auto* transposeRow = new QHBoxLayout;
    transposeRow->addSpacing(units.X(12));
    transposeRow->addWidget(m_transpose);
    layout->addLayout(transposeRow);
    layout->addSpacing(units.Y(4));
    layout->addWidget(new QLabel(QStringLiteral("VORN helpers:"), this));
    addOption("To file, as timeseries", 2);
    addOption("To clipboard, as timeseries ", 3);
    layout->addSpacing(units.Y(4));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(units.X(150), 0)));
}

int CExportOptionsDialog::Option() const {
    return m_options->checkedId();
}

void CExportOptionsDialog::SetOption(int option) {
    if (QAbstractButton* button = m_options->button(option)) {
        button->setChecked(true);
    }
}

bool CExportOptionsDialog::Transpose() const {
    return m_transpose->isChecked();
}
