#include "QtGroupFrame.h"

#include <QPainter>
#include <QStyle>

QtGroupFrame::QtGroupFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

void QtGroupFrame::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const QString caption = title();
    // The caption's box is as Qt lays out a group box's caption: the words with a little room
    // and the padding on both sides, the words in its middle; the frame is broken under it.
    const QRect captionRect(kCaptionLeft, 0,
                            metrics.horizontalAdvance(caption) + kCaptionRoom + 2 * kCaptionPadding,
                            metrics.height());
    // The frame's top line is broken where the caption stands on it.
    painter.setClipRegion(QRegion(rect()).subtracted(captionRect));
    const QColor line = palette().color(QPalette::Mid);
    const QRect frame = rect().adjusted(0, kFrameTop, 0, 0);
    painter.fillRect(QRect(frame.left(), frame.top(), frame.width(), 1), line);
    painter.fillRect(QRect(frame.left(), frame.bottom(), frame.width(), 1), line);
    painter.fillRect(QRect(frame.left(), frame.top(), 1, frame.height()), line);
    painter.fillRect(QRect(frame.right(), frame.top(), 1, frame.height()), line);
    painter.setClipping(false);
    style()->drawItemText(&painter, captionRect.adjusted(kCaptionPadding, 0, -kCaptionPadding, 0),
                          Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(), caption,
                          QPalette::WindowText);
}
