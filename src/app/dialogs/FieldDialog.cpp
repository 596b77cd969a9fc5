#include "app/dialogs/FieldDialog.h"

#include <QLineEdit>
#include <QPushButton>

FieldDialog::FieldDialog(const QString& title, const QString& initial, QWidget* parent)
    : QDialog(parent),
      m_field(new QLineEdit(initial, this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)),
      m_cancel(new QPushButton(QStringLiteral("Cancel"), this)) {
    setWindowTitle(title);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_field->setObjectName(QStringLiteral("edit1000"));
    m_field->selectAll();
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}
