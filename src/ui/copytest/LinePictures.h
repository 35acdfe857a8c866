#pragma once
// Finished pictures of the lines of a text area, kept between paints: a line that did not
// change is copied, not drawn glyph by glyph again. The text area repaints its neighbours of
// the line being typed too, where they touch it. A picture reaches `margin` pixels above and
// below its line, where accents over capitals and descenders go, and is clear around its
// glyphs, so that neighbouring lines drawn over each other show both.

#include <QHash>
#include <QImage>
#include <QString>

class QPalette;
class QTextBlock;

class LinePictures {
public:
    // The picture of a paragraph laid out as one line of `size` (device independent pixels),
    // to be drawn `margin` pixels above the line's place.
    [[nodiscard]] const QImage& For(const QTextBlock& block, const QSize& size, int margin,
                                    const QPalette& palette, qreal pixelRatio);
    // After a change of the font or the colours.
    void Clear() { pictures_.clear(); }

private:
    struct Picture {
        QString text;
        QImage image;
    };
    // By paragraph number; the text tells whether the number still holds the same line.
    QHash<int, Picture> pictures_;
};
