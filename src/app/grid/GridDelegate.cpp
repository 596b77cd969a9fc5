#include "app/grid/GridDelegate.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "app/grid/CGridCtrl.h"

GridDelegate::GridDelegate(CGridCtrl& grid) : QStyledItemDelegate(&grid), m_grid(grid) {}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                const QModelIndex& index) const {
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        m_grid.CommitEdit(index, line->text());
    }
}

bool GridDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor == nullptr || event->type() != QEvent::KeyPress) {
        return QStyledItemDelegate::eventFilter(object, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    QAbstractItemView::CursorAction move;
    switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Down:
            move = QAbstractItemView::MoveDown;
            break;
        case Qt::Key_Up:
            move = QAbstractItemView::MoveUp;
            break;
        case Qt::Key_Tab:
            move = QAbstractItemView::MoveNext;
            break;
        case Qt::Key_Backtab:
            move = QAbstractItemView::MovePrevious;
            break;
        case Qt::Key_PageDown:
            move = QAbstractItemView::MovePageDown;
            break;
        case Qt::Key_PageUp:
            move = QAbstractItemView::MovePageUp;
            break;
        case Qt::Key_Left:
        case Qt::Key_Right:
            if (!m_exitOnArrows) {
                return QStyledItemDelegate::eventFilter(object, event);
            }
            move = key->key() == Qt::Key_Left ? QAbstractItemView::MoveLeft
                                              : QAbstractItemView::MoveRight;
            break;
        case Qt::Key_Escape:
            emit closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
            return true;
        default:
            return QStyledItemDelegate::eventFilter(object, event);
    }
    emit commitData(editor);
    emit closeEditor(editor, QAbstractItemDelegate::NoHint);
    m_grid.MoveFocus(move);
    return true;
}
