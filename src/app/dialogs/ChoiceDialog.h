// ChoiceDialog: pick one text from a list. The first row starts selected;
// OK or a double click on a row chooses it.
#pragma once

#include "app/dialogs/ListChoiceDialog.h"

class ChoiceDialog : public ListChoiceDialog {
    Q_OBJECT
public:
    ChoiceDialog(const QString& caption, const QStringList& texts, QWidget* parent = nullptr);

    // After OK: the chosen row (-1 when the list was empty) and its text.
    int ChosenIndex() const { return m_chosenIndex; }
    const QString& ChosenText() const { return m_chosenText; }

    void accept() override;

private:
    int m_chosenIndex = 0;
    QString m_chosenText;
};
