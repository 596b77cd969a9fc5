// How pages and dialogs follow their size: every control keeps its place
// relative to the design size, and each of its edges moves by a share of the
// change in width or height (0 stays, 1 follows fully, 0.5 where two controls
// share the extra space). Call Apply from the owner's resizeEvent.
#pragma once

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <vector>

class AnchorLayout {
public:
    struct Edges {
        double left = 0;
        double top = 0;
        double right = 0;
        double bottom = 0;
    };
    // The usual cases.
    static constexpr Edges kStays{0, 0, 0, 0};
    static constexpr Edges kGrows{0, 0, 1, 1};       // right and bottom edges follow
    static constexpr Edges kMovesDown{0, 1, 0, 1};   // keeps its distance to the bottom
    static constexpr Edges kMovesRight{1, 0, 1, 0};  // keeps its distance to the right
    static constexpr Edges kMovesToCorner{1, 1, 1, 1};
    // Two controls stacked, sharing any change in height.
    static constexpr Edges kUpperHalf{0, 0, 1, 0.5};
    static constexpr Edges kLowerHalf{0, 0.5, 1, 1};

    void SetDesignSize(const QSize& size) { m_designSize = size; }
    const QSize& DesignSize() const { return m_designSize; }
    // Places `widget` at `designRect` and remembers how it follows.
    void Add(QWidget* widget, const QRect& designRect, Edges edges);
    void Apply(const QSize& size) const;

private:
    struct Item {
        QPointer<QWidget> widget;
        QRect rect;
        Edges edges;
    };
    QSize m_designSize;
    std::vector<Item> m_items;
};
