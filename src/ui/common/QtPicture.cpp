#include "QtPicture.h"

#include "SvgIconEngine.h"

#include <QPainter>
#include <QSvgRenderer>

namespace QtPicture {

QPixmap Render(const QString& resource, QSize size, qreal pixelRatio) {
    QPixmap pixmap(size * pixelRatio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    if (renderer.isValid()) {
        {
            QPainter painter(&pixmap);
            renderer.render(&painter);
        }
        pixmap = Kept(pixmap);
    }
    pixmap.setDevicePixelRatio(pixelRatio);
    return pixmap;
}

QIcon Icon(const QString& resource) {
    return QIcon(new SvgIconEngine(resource));
}

QPixmap Kept(const QPixmap& painted) {
    return painted.copy();
}

QImage Kept(const QImage& painted) {
    return painted.copy();
}

} // namespace QtPicture
