#pragma once
// The program's pictures: SVG resources rendered at the size a control shows them.

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace QtPicture {

// An empty pixmap of that size when the resource is missing or not a picture. `pixelRatio`:
// the screen's device pixel ratio, so that the picture stays sharp on a high-density screen.
[[nodiscard]] QPixmap Render(const QString& resource, QSize size, qreal pixelRatio = 1.0);

// An icon drawn at the size it is shown, when it is first shown.
[[nodiscard]] QIcon Icon(const QString& resource);

// A picture to keep once it is painted: a picture keeps the engine of the painter that drew on
// it (a few kilobytes) as long as it lives, a copy of its pixels does not. The painter must be
// done with it.
[[nodiscard]] QPixmap Kept(const QPixmap& painted);
[[nodiscard]] QImage Kept(const QImage& painted);

} // namespace QtPicture
