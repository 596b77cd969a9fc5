// MultiChoiceDialog: pick several texts (Shift and Ctrl extend the
// selection); the chosen rows come back lowest first.
#pragma once

#include <vector>

#include "app/dialogs/ListChoiceDialog.h"

class MultiChoiceDialog : public ListChoiceDialog {
    Q_OBJECT
public:
    MultiChoiceDialog(const QString& caption, const QStringList& texts, QWidget* parent = nullptr);

    // After OK: the selected rows, ascending.
    const std::vector<int>& ChosenIndices() const { return m_chosen; }

    void accept() override;

private:
    std::vector<int> m_chosen;
};
