// TextPromptDialog: asks for one line of text under a short prompt, as when
// a group of stations gets its name. OK stays off while the field holds
// nothing but blanks, so a name can never be empty.
#pragma once

#include "app/dialogs/FieldDialog.h"

class TextPromptDialog : public FieldDialog {
    Q_OBJECT
public:
    TextPromptDialog(const QString& title, const QString& prompt, const QString& initial,
                     QWidget* parent = nullptr);

    QString Text() const;

private:
    void UpdateOk();
};
