#include "app/dialogs/DeleteChoiceDialog.h"

#include <QListWidget>
#include <algorithm>

DeleteChoiceDialog::DeleteChoiceDialog(const QStringList& texts, QWidget* parent)
    : ListChoiceDialog(QStringLiteral("Choose Items to Delete"), texts,
                       {{166, 177}, {7, 7, 152, 142}, {26, 156, 50, 14}, {90, 156, 50, 14}}, false,
                       parent) {
    List()->setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void DeleteChoiceDialog::accept() {
    m_chosen = SelectedRows();
    std::reverse(m_chosen.begin(), m_chosen.end());
    ListChoiceDialog::accept();
}
