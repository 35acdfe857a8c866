#include "LinePictures.h"

#include <QPainter>
#include <QPalette>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>

namespace {

// About two screens of lines; a text area shows fewer.
constexpr int kKept = 96;

} // namespace

const QImage& LinePictures::For(const QTextBlock& block, const QSize& size, int margin,
                                const QPalette& palette, qreal pixelRatio) {
    const QSize pixels = QSize(size.width(), size.height() + 2 * margin) * pixelRatio;
    const QString text = block.text();
    auto kept = pictures_.find(block.blockNumber());
    if (kept != pictures_.end() && kept->image.size() == pixels && kept->text == text) {
        return kept->image;
    }
    if (kept == pictures_.end() && pictures_.size() >= kKept) {
        pictures_.clear(); // the lines shown are drawn again with the next paints
    }
    Picture& picture = pictures_[block.blockNumber()];
    const QTextLayout* layout = block.layout();
    // A keystroke changes the end of the line: only what follows the unchanged beginning is
    // drawn again, from a little before it, where a glyph may reach over its cell.
    qreal from = 0;
    if (picture.image.size() == pixels && layout->lineCount() == 1) {
        qsizetype same = 0;
        while (same < text.size() && same < picture.text.size() &&
               text[same] == picture.text[same]) {
            ++same;
        }
        from = std::max<qreal>(0, layout->lineAt(0).cursorToX(static_cast<int>(same)) - 2);
    } else {
        picture.image = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        picture.image.setDevicePixelRatio(pixelRatio);
    }
    picture.text = text;
    const QRectF changed(from, 0, size.width() - from, size.height() + 2 * margin);
    QPainter painter(&picture.image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(changed, Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setClipRect(changed);
    painter.setPen(palette.color(QPalette::Text));
    layout->draw(&painter, QPointF(0, margin));
    return picture.image;
}
