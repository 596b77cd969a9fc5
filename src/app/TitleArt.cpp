#include "app/TitleArt.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

QPixmap TitlePicture() {
    QSvgRenderer renderer(QStringLiteral(":/zav-title.svg"));
    if (!renderer.isValid()) {
        return QPixmap();
    }
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap picture(renderer.defaultSize() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    renderer.render(&painter, QRectF(QPointF(0, 0), renderer.defaultSize()));
    return picture;
}
