#include "app/TextPromptDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/DialogUnits.h"

TextPromptDialog::TextPromptDialog(const QString& title, const QString& prompt,
                                   const QString& initial, QWidget* parent)
    : QDialog(parent),
      m_field(new QLineEdit(initial, this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)) {
    setWindowTitle(title);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* label = new QLabel(prompt, this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_field->setObjectName(QStringLiteral("edit1000"));
    m_field->selectAll();
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_field, &QLineEdit::textChanged, this, &TextPromptDialog::UpdateOk);

    // The form: 130 x 66 dialog units, the prompt over the field, the
    // buttons side by side below.
    DialogUnits units(font());
    label->setGeometry(units.Rect(7, 7, 116, 9));
    m_field->setGeometry(units.Rect(7, 19, 116, 13));
    m_ok->setGeometry(units.Rect(10, 45, 50, 14));
    cancel->setGeometry(units.Rect(70, 45, 50, 14));
    setFixedSize(units.Size(130, 66));
    UpdateOk();
}

QString TextPromptDialog::Text() const {
    return m_field->text();
}

void TextPromptDialog::UpdateOk() {
    m_ok->setEnabled(!m_field->text().trimmed().isEmpty());
}
