#include "SvgIconEngine.h"

#include "QtPicture.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <cmath>
#include <utility>

SvgIconEngine::SvgIconEngine(QString resource) : resource_(std::move(resource)) {}

void SvgIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                          QIcon::State state) {
    const qreal scale = painter->device() != nullptr ? painter->device()->devicePixelRatioF() : 1;
    painter->drawPixmap(rect, scaledPixmap(rect.size() * scale, mode, state, scale));
}

QPixmap SvgIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
    return scaledPixmap(size, mode, state, 1);
}

// `pixels`: the size in device pixels, as QIcon asks for it; `scale`: the screen's density.
QPixmap SvgIconEngine::scaledPixmap(const QSize& pixels, QIcon::Mode mode, QIcon::State /*state*/,
                                    qreal scale) {
    if (pixels.isEmpty() || scale <= 0) {
        return {};
    }
    const auto key = std::make_tuple(pixels.width(), pixels.height(), static_cast<int>(mode));
    if (const auto found = drawn_.find(key); found != drawn_.end()) {
        return found->second;
    }
    const QSize logical(static_cast<int>(std::lround(pixels.width() / scale)),
                        static_cast<int>(std::lround(pixels.height() / scale)));
    QPixmap picture = QtPicture::Render(resource_, logical, scale);
    // A disabled or selected entry looks as the style draws such pictures.
    if (mode != QIcon::Normal && qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QStyleOption option;
        option.palette = QApplication::palette();
        picture = QApplication::style()->generatedIconPixmap(mode, picture, &option);
    }
    drawn_.emplace(key, picture);
    return picture;
}

QList<QSize> SvgIconEngine::availableSizes(QIcon::Mode /*mode*/, QIcon::State /*state*/) {
    return {{16, 16}, {24, 24}, {32, 32}};
}

QIconEngine* SvgIconEngine::clone() const {
    return new SvgIconEngine(resource_);
}

QString SvgIconEngine::key() const {
    return QStringLiteral("SvgIconEngine");
}
