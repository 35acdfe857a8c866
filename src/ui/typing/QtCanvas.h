#pragma once
// Paints the typing line's primitives into a QImage, in the colours of a Qt palette. Without
// an image it only notes where it would have painted, so that a widget can learn what a
// change covers and paint that part when Qt asks for it.

#include "Canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPalette>
#include <QRect>

#include <array>
#include <cstdint>
#include <map>
#include <unordered_map>
#include <vector>

class QtCanvas final : public Canvas {
public:
    // Notes only, within `SetBounds`, until an image is given.
    QtCanvas();
    // `image` (32 bits a pixel) is painted in place; it may be replaced (resized) between calls.
    explicit QtCanvas(QImage& image);

    // Paints into `image`, whose top left pixel is the point `origin` of the line; a null
    // image: notes only.
    void PaintInto(QImage* image, QPoint origin = {});
    // Where noting stops when there is no image: the line's whole area.
    void SetBounds(const QRect& bounds) { bounds_ = bounds; }

    // The colours are read from the palette's active group once, and again when it changes.
    void SetPalette(const QPalette& palette);
    void SetFont(const QFont& font);
    [[nodiscard]] const QFont& Font() const { return font_; }
    [[nodiscard]] QColor Color(SysColor color) const;

    void FillRect(int left, int top, int right, int bottom, SysColor brush) override;
    // Width 1 colours the pixels of the segment; width 2 colours for each of them the 2 x 2
    // square of which it is the lower right pixel, as a two-pixel pen centred on the
    // segment does. A frame drawn at coordinate 1 thus covers pixels 0 and 1.
    void Line(Point from, Point to, SysColor pen, int width) override;
    void Polygon(const Point* points, int count, SysColor pen, SysColor brush) override;
    // The background covers the glyph's advance and the font's height.
    void DrawChar(int x, int y, unsigned char c, SysColor text, SysColor background) override;

    // What has been painted since the last call, to be shown on the screen.
    [[nodiscard]] QRect TakeDirtyRect();

private:
    // The part of the line that the primitives reach: the image's, or the bounds.
    [[nodiscard]] QRect Area() const;
    void FillPixels(const QRect& rect, QRgb rgb);
    void Touch(const QRect& rect) { dirty_ |= rect; }
    // The finished cell of a character whose ink stays inside its cell, in the given
    // colours; null when the ink reaches beyond it.
    const QImage& CellPicture(QChar character, QRgb text, QRgb background, const QRect& cell);
    void CopyPixels(const QImage& picture, QPoint to);
    // The rows of pixels the polygon fills, relative to its bounding box's top left.
    struct Span {
        int y;
        int left;
        int right;
    };
    const std::vector<Span>& ShapeSpans(const Point* points, int count, Point origin);

    QImage* image_ = nullptr;
    QPoint origin_;
    QRect bounds_;
    // A palette's colours and a font's widths are looked up for every cell painted: they
    // are kept.
    void KeepColours();
    QRgb Rgb(SysColor color) const { return rgb_[static_cast<std::size_t>(color)]; }
    QPalette palette_;
    std::array<QRgb, static_cast<std::size_t>(SysColor::BtnText) + 1> rgb_{};
    QFont font_;
    QFontMetrics metrics_;
    int height_ = 0;
    std::array<int, 256> advance_{}; // by code page 1250 byte; -1 until measured
    int reach_ = 0; // how far a glyph's ink may lie from its cell's top left corner
    QRect dirty_;
    // Shaping and drawing a glyph costs far more than copying its finished cell, and a
    // lesson uses few characters in few colours.
    std::unordered_map<uint64_t, QImage> cells_;
    // The carriage moves on every keystroke but keeps its shape: the rows its outline
    // fills are worked out once per shape, by Qt's own rasteriser.
    std::map<std::vector<int>, std::vector<Span>> shapes_;
    std::vector<int> shapeKey_;
};
