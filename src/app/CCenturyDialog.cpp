#include "app/CCenturyDialog.h"

#include <QLineEdit>
#include <QPushButton>

#include "app/DialogUnits.h"
#include "core/TextFormat.h"

CCenturyDialog::CCenturyDialog(int lastYear, QWidget* parent)
    : QDialog(parent),
      m_field(new QLineEdit(QString::fromStdString(zav::Format("%d", lastYear)), this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)) {
    setWindowTitle(QStringLiteral("Choose last year to offset:"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_field->setObjectName(QStringLiteral("edit1000"));
    m_field->selectAll();
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // Wide enough for the title to show in full.
    DialogUnits units(font());
    m_field->setGeometry(units.Rect(7, 7, 146, 13));
    m_ok->setGeometry(units.Rect(20, 28, 50, 14));
    cancel->setGeometry(units.Rect(90, 28, 50, 14));
    setFixedSize(units.Size(160, 49));
}

int CCenturyDialog::LastYear() const {
    return zav::AtoI(m_field->text().toStdString());
}
