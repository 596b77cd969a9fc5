// The program's forms are drawn in dialog units: a quarter of the average
// character width across, an eighth of the character height down. This turns
// them into pixels for the font a window actually uses.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int X(int units) const;
    int Y(int units) const;
    QSize Size(int width, int height) const { return QSize(X(width), Y(height)); }
    // Edges are converted, not sizes, so that controls that line up in
    // dialog units line up in pixels too.
    QRect Rect(int x, int y, int width, int height) const {
        return QRect(QPoint(X(x), Y(y)), QPoint(X(x + width) - 1, Y(y + height) - 1));
    }

private:
    double m_charWidth;
    int m_charHeight;
};
