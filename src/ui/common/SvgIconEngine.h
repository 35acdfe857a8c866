#pragma once
// An icon drawn from an SVG resource only when something shows it, at the size it is shown:
// the menus' pictures cost nothing until a menu opens, and are sharp at any size.

#include <QIconEngine>
#include <QPixmap>
#include <QString>

#include <map>
#include <tuple>

class SvgIconEngine final : public QIconEngine {
public:
    explicit SvgIconEngine(QString resource);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize& pixels, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override;
    // The sizes a window manager is offered for the window's icon.
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    [[nodiscard]] QIconEngine* clone() const override;
    [[nodiscard]] QString key() const override;

private:
    QString resource_;
    // Each size and mode is drawn once; a menu shows a handful.
    std::map<std::tuple<int, int, int>, QPixmap> drawn_;
};
