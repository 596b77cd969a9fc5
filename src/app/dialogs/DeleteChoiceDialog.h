// DeleteChoiceDialog: pick the items to delete. The chosen rows come back
// highest first, so that a caller removing them one after the other never
// shifts one still to be removed.
#pragma once

#include <vector>

#include "app/dialogs/ListChoiceDialog.h"

class DeleteChoiceDialog : public ListChoiceDialog {
    Q_OBJECT
public:
    explicit DeleteChoiceDialog(const QStringList& texts, QWidget* parent = nullptr);

    // After OK: the selected rows, descending.
    const std::vector<int>& ChosenIndices() const { return m_chosen; }

    void accept() override;

private:
    std::vector<int> m_chosen;
};
