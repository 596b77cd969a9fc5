#include "app/dialogs/UndoHistoryDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "io/CZAVDoc.h"

UndoHistoryDialog::UndoHistoryDialog(zav::CZAVDoc& doc, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_list(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("Undo History"));
    setObjectName(QStringLiteral("undoHistory"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("Choose where the project should stand:"), this);
    label->setBuddy(m_list);
    layout->addWidget(label);
    m_list->setObjectName(QStringLiteral("historyList"));
    m_list->addItem(QStringLiteral("(as opened)"));
    const std::vector<std::string> names = doc.History().Names();
    for (size_t i = 0; i < names.size(); ++i) {
        QListWidgetItem* item = new QListWidgetItem(QString::fromStdString(names[i]), m_list);
        if (i >= doc.History().Position()) {
            // Undone: shown greyed, as Redo would bring it back.
            item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
        }
    }
    m_list->setCurrentRow(static_cast<int>(doc.History().Position()));
    layout->addWidget(m_list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        GoTo(m_list->currentRow());
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] {
        GoTo(m_list->currentRow());
        accept();
    });
    resize(320, 360);
}

void UndoHistoryDialog::GoTo(int position) {
    if (position < 0) {
        return;
    }
    const size_t target = static_cast<size_t>(position);
    while (m_doc.History().Position() > target && m_doc.Undo()) {
    }
    while (m_doc.History().Position() < target && m_doc.Redo()) {
    }
}
