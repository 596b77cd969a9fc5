#include "app/dialogs/MultiChoiceDialog.h"

#include <QListWidget>

MultiChoiceDialog::MultiChoiceDialog(const QString& caption, const QStringList& texts,
                                     QWidget* parent)
    : ListChoiceDialog(caption, texts, ChoiceForm(), true, parent) {
    List()->setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void MultiChoiceDialog::accept() {
    m_chosen = SelectedRows();
    ListChoiceDialog::accept();
}
