#include "PaintBoxType.h"

#include "Cp1250.h"
#include "TypingLine.h"

#include <QEvent>
#include <QFontMetrics>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>

namespace {

// A part of the line is painted in bands of at most this many pixels, so that a full
// repaint needs no picture as large as the line.
constexpr int kBandPixels = 8 * 1024;

QString SampleText() {
    QString text;
    for (const char byte : FontSampleLine()) {
        text += QChar(static_cast<char16_t>(Cp1250::ToUnicode(static_cast<unsigned char>(byte))));
    }
    return text;
}

} // namespace

PaintBoxType::PaintBoxType(const TypingLine& line, const ProgramOptions& options, QWidget* parent)
    : QWidget(parent), view_(line, options, canvas_) {
    // Every pixel is painted.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void PaintBoxType::SetTypingFont(const QFont& font) {
    // The cells are drawn one by one at a pitch of whole pixels, so every glyph must be
    // exactly as wide as the sample's average: full hinting gives whole-pixel advances,
    // where the default (slight or none) leaves fractions that pile up along the sample.
    QFont cellFont(font);
    cellFont.setHintingPreference(QFont::PreferFullHinting);
    canvas_.SetFont(cellFont);
    const QFontMetrics metrics(cellFont);
    view_.SetMetrics(metrics.horizontalAdvance(SampleText()), metrics.height());
    updateGeometry();
}

void PaintBoxType::PrepareCanvas() {
    canvas_.SetPalette(palette());
}

void PaintBoxType::ShowChanges() {
    const QRect dirty = canvas_.TakeDirtyRect();
    if (!dirty.isEmpty()) {
        update(dirty);
    }
}

void PaintBoxType::FullRepaint() {
    canvas_.SetBounds(rect());
    update();
}

void PaintBoxType::PaintLine(const QRect& part) {
    if (view_.lineHeight > 0) {
        view_.PaintBoxTypePaint(width(), height(), part.left(), part.right() + 1);
    } else {
        // No font measured yet: nothing to show but the background.
        canvas_.FillRect(0, 0, width(), height(), SysColor::Window);
    }
}

void PaintBoxType::DrawTypedChar(int i) {
    PrepareCanvas();
    view_.DrawTypedChar(i);
    ShowChanges();
}

void PaintBoxType::EraseTypedChar(int i) {
    PrepareCanvas();
    view_.EraseTypedChar(i);
    ShowChanges();
}

bool PaintBoxType::DrawPatternChar(int i) {
    PrepareCanvas();
    const bool more = view_.DrawPatternChar(i);
    ShowChanges();
    return more;
}

void PaintBoxType::DrawCarriage() {
    PrepareCanvas();
    view_.DrawCarriage();
    ShowChanges();
}

QSize PaintBoxType::sizeHint() const {
    if (view_.lineHeight <= 0) {
        return QWidget::sizeHint();
    }
    return {view_.ViewWidth(), view_.ViewHeight()};
}

void PaintBoxType::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    PrepareCanvas();
    // Each rectangle asked for on its own: a keystroke's few cells lie apart, and a pass over
    // the cells of one rectangle costs less than painting the space between them.
    for (const QRect& asked : event->region()) {
        const QRect part = asked & rect();
        if (part.isEmpty()) {
            continue;
        }
        const int bandRows = std::max(1, kBandPixels / part.width());
        for (int top = part.top(); top <= part.bottom(); top += bandRows) {
            const QRect band(part.left(), top, part.width(),
                             std::min(bandRows, part.bottom() - top + 1));
            QImage pixels(band.size(), QImage::Format_RGB32);
            canvas_.PaintInto(&pixels, band.topLeft());
            PaintLine(band);
            painter.drawImage(band.topLeft(), pixels);
        }
    }
    canvas_.PaintInto(nullptr);
    (void)canvas_.TakeDirtyRect(); // painted, not changed
}

void PaintBoxType::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FullRepaint();
}

void PaintBoxType::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        FullRepaint();
    }
}
