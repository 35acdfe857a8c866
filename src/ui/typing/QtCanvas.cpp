#include "QtCanvas.h"

#include "Cp1250.h"
#include "QtPicture.h"

#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// How far from the background toward the text the ruler and carriage colours lie, in
// hundredths.
constexpr int kTowardTextScale = 100;
constexpr int kFaceTowardText = 50;
constexpr int kShadowTowardText = 75;

QPalette::ColorRole RoleOf(SysColor color) {
    switch (color) {
    case SysColor::Window:
        return QPalette::Base;
    case SysColor::WindowText:
        return QPalette::Text;
    case SysColor::Highlight:
        return QPalette::Highlight;
    case SysColor::HighlightText:
        return QPalette::HighlightedText;
    case SysColor::BtnFace:
        return QPalette::Button;
    case SysColor::BtnShadow:
        return QPalette::Dark;
    case SysColor::BtnHighlight:
        return QPalette::Light;
    case SysColor::BtnText:
        return QPalette::ButtonText;
    }
    return QPalette::Base;
}

// Calls `plot` for every pixel of the segment except its end point.
template <typename Plot> void ForEachSegmentPixel(Point from, Point to, Plot plot) {
    const int dx = std::abs(to.x - from.x);
    const int dy = -std::abs(to.y - from.y);
    const int sx = from.x < to.x ? 1 : -1;
    const int sy = from.y < to.y ? 1 : -1;
    int error = dx + dy;
    int x = from.x;
    int y = from.y;
    while (x != to.x || y != to.y) {
        plot(x, y);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}

} // namespace

QtCanvas::QtCanvas() : metrics_(font_) {
    SetFont(font_);
    KeepColours();
}

void QtCanvas::SetPalette(const QPalette& palette) {
    if (palette.cacheKey() != palette_.cacheKey()) {
        palette_ = palette;
        KeepColours();
    }
}

void QtCanvas::KeepColours() {
    for (std::size_t i = 0; i < rgb_.size(); ++i) {
        rgb_[i] = Color(static_cast<SysColor>(i)).rgb();
    }
}

QtCanvas::QtCanvas(QImage& image) : QtCanvas() {
    image_ = &image;
}

void QtCanvas::PaintInto(QImage* image, QPoint origin) {
    image_ = image;
    origin_ = origin;
}

QRect QtCanvas::Area() const {
    return image_ != nullptr ? QRect(origin_, image_->size()) : bounds_;
}

void QtCanvas::SetFont(const QFont& font) {
    font_ = font;
    metrics_ = QFontMetrics(font_);
    height_ = metrics_.height();
    reach_ = std::max(metrics_.maxWidth(), height_);
    advance_.fill(-1);
    cells_.clear();
}

QColor QtCanvas::Color(SysColor color) const {
    // One colour group throughout: the line is repainted in pieces, and a window that
    // loses the focus must not end up with cells of two colours.
    const QPalette::ColorGroup group = QPalette::Active;
    // The ruler and the carriage were drawn in button colours, which today's palettes
    // make nearly white (Button 1.1:1 on white; Mid and Dark under 3:1). Taken between the
    // view's background and its text instead, they stand out at 3:1 or more in light and
    // dark palettes alike, and keep their order: the face lighter than the shadow.
    if (color == SysColor::BtnFace || color == SysColor::BtnShadow) {
        const QColor base = palette_.color(group, QPalette::Base);
        const QColor text = palette_.color(group, QPalette::Text);
        const int towardText = color == SysColor::BtnFace ? kFaceTowardText : kShadowTowardText;
        const auto mix = [towardText](int from, int to) {
            return from + (to - from) * towardText / kTowardTextScale;
        };
        return QColor(mix(base.red(), text.red()), mix(base.green(), text.green()),
                      mix(base.blue(), text.blue()));
    }
    return palette_.color(group, RoleOf(color));
}

void QtCanvas::FillPixels(const QRect& rect, QRgb rgb) {
    const QRect clipped = rect & Area();
    if (clipped.isEmpty()) {
        return;
    }
    Touch(clipped);
    if (image_ == nullptr) {
        return;
    }
    const QRect pixels = clipped.translated(-origin_);
    uchar* const bits = image_->bits(); // detaches once, not once a row
    const qsizetype stride = image_->bytesPerLine();
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(bits + y * stride);
        std::fill(row + pixels.left(), row + pixels.right() + 1, rgb);
    }
}

void QtCanvas::FillRect(int left, int top, int right, int bottom, SysColor brush) {
    if (right <= left || bottom <= top) {
        return;
    }
    const QRect rect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    if (rect.intersects(Area())) {
        FillPixels(rect, Rgb(brush));
    }
}

void QtCanvas::Line(Point from, Point to, SysColor pen, int width) {
    const int size = std::max(width, 1);
    if (from == to) {
        return;
    }
    if (from.x == to.x || from.y == to.y) {
        // Most of the line's strokes are straight: one rectangle without the end point.
        const int lastX = to.x + (to.x > from.x ? -1 : to.x < from.x ? 1 : 0);
        const int lastY = to.y + (to.y > from.y ? -1 : to.y < from.y ? 1 : 0);
        const QRect pixels = QRect(QPoint(from.x, from.y), QPoint(lastX, lastY))
                                 .normalized()
                                 .adjusted(1 - size, 1 - size, 0, 0);
        if (pixels.intersects(Area())) {
            FillPixels(pixels, Rgb(pen));
        }
        return;
    }
    // A slanted stroke is plotted pixel by pixel, and not at all when it lies outside; it
    // is noted as the box around it. (The box from the corners themselves: QRect::normalized
    // leaves a box one pixel wide with its corners swapped empty.)
    const QRect area = Area();
    const QRect reach =
        QRect(QPoint(std::min(from.x, to.x) + 1 - size, std::min(from.y, to.y) + 1 - size),
              QPoint(std::max(from.x, to.x), std::max(from.y, to.y))) &
        area;
    if (reach.isEmpty()) {
        return;
    }
    Touch(reach);
    if (image_ == nullptr) {
        return;
    }
    const QRgb rgb = Rgb(pen);
    uchar* const bits = image_->bits();
    const qsizetype stride = image_->bytesPerLine();
    ForEachSegmentPixel(from, to, [&](int x, int y) {
        for (int py = y - size + 1; py <= y; ++py) {
            for (int px = x - size + 1; px <= x; ++px) {
                if (area.contains(px, py)) {
                    auto* row = reinterpret_cast<QRgb*>(bits + (py - origin_.y()) * stride);
                    row[px - origin_.x()] = rgb;
                }
            }
        }
    });
}

void QtCanvas::Polygon(const Point* points, int count, SysColor pen, SysColor brush) {
    if (count <= 0) {
        return;
    }
    Point origin = points[0];
    Point far = points[0];
    for (int i = 1; i < count; ++i) {
        origin.x = std::min(origin.x, points[i].x);
        origin.y = std::min(origin.y, points[i].y);
        far.x = std::max(far.x, points[i].x);
        far.y = std::max(far.y, points[i].y);
    }
    if ((QRect(QPoint(origin.x - 1, origin.y - 1), QPoint(far.x, far.y)) & Area()).isEmpty()) {
        return;
    }
    const QRgb fill = Rgb(brush);
    for (const Span& span : ShapeSpans(points, count, origin)) {
        FillPixels(QRect(QPoint(origin.x + span.left, origin.y + span.y),
                         QPoint(origin.x + span.right, origin.y + span.y)),
                   fill);
    }
    for (int i = 0; i < count; ++i) {
        Line(points[i], points[(i + 1) % count], pen, 1);
    }
}

const std::vector<QtCanvas::Span>& QtCanvas::ShapeSpans(const Point* points, int count,
                                                        Point origin) {
    // The shape is the points as seen from the origin; the key's buffer is reused, so a
    // known shape costs no allocation.
    shapeKey_.clear();
    for (int i = 0; i < count; ++i) {
        shapeKey_.push_back(points[i].x - origin.x);
        shapeKey_.push_back(points[i].y - origin.y);
    }
    if (const auto found = shapes_.find(shapeKey_); found != shapes_.end()) {
        return found->second;
    }
    constexpr size_t kMostShapes = 64;
    if (shapes_.size() >= kMostShapes) {
        shapes_.clear();
    }
    QPolygon shape;
    for (size_t i = 0; i < shapeKey_.size(); i += 2) {
        shape << QPoint(shapeKey_[i], shapeKey_[i + 1]);
    }
    std::vector<Span>& spans = shapes_[shapeKey_];
    const QRect box = shape.boundingRect();
    QImage mask(box.right() + 1, box.bottom() + 1, QImage::Format_RGB32);
    mask.fill(Qt::black);
    {
        QPainter painter(&mask);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawPolygon(shape, Qt::OddEvenFill);
    }
    const QRgb inside = QColor(Qt::white).rgb();
    for (int y = 0; y < mask.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        for (int x = 0; x < mask.width();) {
            if (row[x] != inside) {
                ++x;
                continue;
            }
            const int left = x;
            while (x < mask.width() && row[x] == inside) {
                ++x;
            }
            spans.push_back({y, left, x - 1});
        }
    }
    return spans;
}

void QtCanvas::DrawChar(int x, int y, unsigned char c, SysColor text, SysColor background) {
    // A line is painted by parts: a cell far from the part costs nothing, not even its
    // glyph's width. No glyph's ink reaches further than the reach from the cell's corner.
    const QRect area = Area();
    if (!QRect(x - reach_, y - reach_, 3 * reach_, 3 * reach_).intersects(area)) {
        return;
    }
    const QChar character(static_cast<char16_t>(Cp1250::ToUnicode(c)));
    int& advance = advance_[c];
    if (advance < 0) {
        advance = metrics_.horizontalAdvance(character);
    }
    const QRect cell(x, y, advance, height_);
    const QRgb backgroundRgb = Rgb(background);
    if (!character.isPrint() || character.isSpace()) {
        FillPixels(cell, backgroundRgb);
        return;
    }
    const QRgb textRgb = Rgb(text);
    if (const QImage& picture = CellPicture(character, textRgb, backgroundRgb, cell);
        !picture.isNull()) {
        CopyPixels(picture, cell.topLeft());
        return;
    }
    // An italic or wide glyph reaches beyond its cell, over its neighbours.
    FillPixels(cell, backgroundRgb);
    const QPoint baseline(x, y + metrics_.ascent());
    if (image_ != nullptr) {
        QPainter painter(image_);
        painter.translate(-origin_);
        painter.setFont(font_);
        painter.setPen(QColor(textRgb));
        painter.drawText(baseline, QString(character));
    }
    Touch((metrics_.boundingRect(character).translated(baseline) | cell) & area);
}

const QImage& QtCanvas::CellPicture(QChar character, QRgb text, QRgb background,
                                    const QRect& cell) {
    const uint64_t key = (uint64_t{text & 0xffffffu} << 40) |
                         (uint64_t{background & 0xffffffu} << 16) | character.unicode();
    if (const auto found = cells_.find(key); found != cells_.end()) {
        return found->second;
    }
    // A palette change leaves old colours behind: start afresh now and then.
    constexpr size_t kMostCells = 4096;
    if (cells_.size() >= kMostCells) {
        cells_.clear();
    }
    QImage& picture = cells_[key];
    const QRect ink = metrics_.boundingRect(character).translated(0, metrics_.ascent());
    const QRect own(QPoint(0, 0), cell.size());
    if (own.contains(ink) && !cell.isEmpty()) {
        QImage painted(cell.size(), QImage::Format_RGB32);
        painted.fill(background);
        {
            QPainter painter(&painted);
            painter.setFont(font_);
            painter.setPen(QColor(text));
            painter.drawText(QPoint(0, metrics_.ascent()), QString(character));
        }
        picture = QtPicture::Kept(painted);
    }
    return picture;
}

void QtCanvas::CopyPixels(const QImage& picture, QPoint to) {
    const QRect target = QRect(to, picture.size()) & Area();
    if (target.isEmpty()) {
        return;
    }
    Touch(target);
    if (image_ == nullptr) {
        return;
    }
    const QPoint from = target.topLeft() - to;
    const QRect pixels = target.translated(-origin_);
    uchar* const bits = image_->bits();
    const qsizetype stride = image_->bytesPerLine();
    const size_t rowBytes = static_cast<size_t>(target.width()) * sizeof(QRgb);
    for (int row = 0; row < target.height(); ++row) {
        const uchar* source = picture.constScanLine(from.y() + row) + from.x() * sizeof(QRgb);
        std::memcpy(bits + (pixels.top() + row) * stride + pixels.left() * sizeof(QRgb), source,
                    rowBytes);
    }
}

QRect QtCanvas::TakeDirtyRect() {
    const QRect dirty = dirty_;
    dirty_ = QRect();
    return dirty;
}
