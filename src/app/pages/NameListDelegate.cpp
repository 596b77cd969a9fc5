#include "app/pages/NameListDelegate.h"

#include <QApplication>
#include <QPainter>

#include "app/rules/AggregationLists.h"

namespace {
// Room between the row's left edge and its text.
constexpr int kTextIndent = 3;
}  // namespace

void NameListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const zav::RowColors colors =
        zav::NameRowColors(index.data(kAggregatedRole).toBool(), selected);
    painter->save();
    painter->fillRect(option.rect, QColor::fromRgb(colors.background));
    painter->setPen(QColor::fromRgb(colors.text));
    painter->setFont(option.font);
    const QRect textRect = option.rect.adjusted(kTextIndent, 0, 0, 0);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    if (option.state.testFlag(QStyle::State_HasFocus)) {
        QStyleOptionFocusRect focus;
        focus.rect = option.rect;
        focus.state = option.state;
        focus.backgroundColor = QColor::fromRgb(colors.background);
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->restore();
}

QSize NameListDelegate::sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    // Sixteen pixels, unless the font needs more: a name is never cut.
    size.setHeight(std::max(kRowHeight, option.fontMetrics.height()));
    return size;
}
