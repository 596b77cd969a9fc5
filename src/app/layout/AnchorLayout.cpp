#include "app/layout/AnchorLayout.h"

void AnchorLayout::Add(QWidget* widget, const QRect& designRect, Edges edges) {
    m_items.push_back({widget, designRect, edges});
    widget->setGeometry(designRect);
}

void AnchorLayout::Apply(const QSize& size) const {
    const int dx = size.width() - m_designSize.width();
    const int dy = size.height() - m_designSize.height();
    auto share = [](int delta, double part) { return static_cast<int>(delta * part); };
    for (const Item& item : m_items) {
        if (!item.widget) {
            continue;
        }
        int left = item.rect.left() + share(dx, item.edges.left);
        int top = item.rect.top() + share(dy, item.edges.top);
        int right = item.rect.left() + item.rect.width() + share(dx, item.edges.right);
        int bottom = item.rect.top() + item.rect.height() + share(dy, item.edges.bottom);
        item.widget->setGeometry(left, top, std::max(0, right - left), std::max(0, bottom - top));
    }
}
