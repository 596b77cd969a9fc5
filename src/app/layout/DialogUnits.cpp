#include "app/layout/DialogUnits.h"

#include <QFontMetricsF>
#include <cmath>

DialogUnits::DialogUnits(const QFont& font) {
    QFontMetricsF metrics(font);
    static const QString kAlphabet =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_charWidth = metrics.horizontalAdvance(kAlphabet) / kAlphabet.size();
    m_charHeight = static_cast<int>(std::ceil(metrics.height()));
}

int DialogUnits::X(int units) const {
    return static_cast<int>(std::lround(units * m_charWidth / 4.0));
}

int DialogUnits::Y(int units) const {
    return static_cast<int>(std::lround(units * m_charHeight / 8.0));
}
