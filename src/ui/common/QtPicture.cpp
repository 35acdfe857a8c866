#include "QtPicture.h"

#include <QPainter>
#include <QSvgRenderer>

namespace QtPicture {

QPixmap Render(const QString& resource, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        renderer.render(&painter);
    }
    return pixmap;
}

QIcon Icon(const QString& resource) {
    QIcon icon;
    for (const int side : {16, 24, 32}) {
        icon.addPixmap(Render(resource, QSize(side, side)));
    }
    return icon;
}

} // namespace QtPicture
