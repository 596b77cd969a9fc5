// NameListDelegate: draws the aggregation page's list of numbered names in
// rows 16 pixels high. A name that already belongs to an aggregate is greyed
// whether selected or not, so it is plain which names can still be grouped.
#pragma once

#include <QStyledItemDelegate>

class NameListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // Item data under this role: true for a name in an aggregate.
    static constexpr int kAggregatedRole = Qt::UserRole + 1;
    static constexpr int kRowHeight = 16;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
