#include "app/frame/TitleArt.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

QPixmap TitlePicture(int width) {
    QSvgRenderer renderer(QStringLiteral(":/zav-title.svg"));
    if (!renderer.isValid()) {
        return QPixmap();
    }
    QSizeF size = renderer.defaultSize();
    if (width > 0) {
        size = size * (width / size.width());
    }
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap picture((size * ratio).toSize());
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    renderer.render(&painter, QRectF(QPointF(0, 0), size));
    return picture;
}
