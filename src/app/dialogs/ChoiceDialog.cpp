#include "app/dialogs/ChoiceDialog.h"

#include <QListWidget>

ChoiceDialog::ChoiceDialog(const QString& caption, const QStringList& texts, QWidget* parent)
    : ListChoiceDialog(caption, texts, ChoiceForm(), true, parent) {
    List()->setSelectionMode(QAbstractItemView::SingleSelection);
    List()->setCurrentRow(0);
    connect(List(), &QListWidget::itemDoubleClicked, this, &ChoiceDialog::accept);
}

void ChoiceDialog::accept() {
    std::vector<int> rows = SelectedRows();
    m_chosenIndex = rows.empty() ? -1 : rows.front();
    m_chosenText = rows.empty() ? QString() : List()->item(m_chosenIndex)->text();
    ListChoiceDialog::accept();
}
