#include "app/dialogs/TextPromptDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/layout/DialogUnits.h"

TextPromptDialog::TextPromptDialog(const QString& title, const QString& prompt,
                                   const QString& initial, QWidget* parent)
    : FieldDialog(title, initial, parent) {
    auto* label = new QLabel(prompt, this);
    connect(Field(), &QLineEdit::textChanged, this, &TextPromptDialog::UpdateOk);

    // The form: 130 x 66 dialog units, the prompt over the field, the
    // buttons side by side below.
    DialogUnits units(font());
    label->setGeometry(units.Rect(7, 7, 116, 9));
    Field()->setGeometry(units.Rect(7, 19, 116, 13));
    OkButton()->setGeometry(units.Rect(10, 45, 50, 14));
    CancelButton()->setGeometry(units.Rect(70, 45, 50, 14));
    setFixedSize(units.Size(130, 66));
    UpdateOk();
}

QString TextPromptDialog::Text() const {
    return Field()->text();
}

void TextPromptDialog::UpdateOk() {
    OkButton()->setEnabled(!Field()->text().trimmed().isEmpty());
}
