#include "app/dialogs/ListChoiceDialog.h"

#include <QListWidget>
#include <QPushButton>
#include <algorithm>

#include "app/layout/DialogUnits.h"

ListChoiceDialog::ListChoiceDialog(const QString& title, const QStringList& texts, const Form& form,
                                   bool resizable, QWidget* parent)
    : QDialog(parent),
      m_list(new QListWidget(this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)),
      m_cancel(new QPushButton(QStringLiteral("Cancel"), this)) {
    setWindowTitle(title);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_list->addItems(texts);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    DialogUnits units(font());
    auto pixels = [&](const QRect& r) { return units.Rect(r.x(), r.y(), r.width(), r.height()); };
    QSize client = units.Size(form.client.width(), form.client.height());
    m_layout.SetDesignSize(client);
    m_layout.Add(m_list, pixels(form.list), AnchorLayout::kGrows);
    m_layout.Add(m_ok, pixels(form.ok), AnchorLayout::kMovesDown);
    m_layout.Add(m_cancel, pixels(form.cancel), AnchorLayout::kMovesDown);
    if (resizable) {
        resize(client);
        setMinimumSize(client / 2);
    } else {
        setFixedSize(client);
    }
}

std::vector<int> ListChoiceDialog::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : m_list->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ListChoiceDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    m_layout.Apply(size());
}
