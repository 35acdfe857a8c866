#include "PaintBoxType.h"

#include "Cp1250.h"
#include "TypingLine.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

namespace {

QString SampleText() {
    QString text;
    for (const char byte : FontSampleLine()) {
        text += QChar(static_cast<char16_t>(Cp1250::ToUnicode(static_cast<unsigned char>(byte))));
    }
    return text;
}

} // namespace

PaintBoxType::PaintBoxType(const TypingLine& line, const ProgramOptions& options, QWidget* parent)
    : QWidget(parent), canvas_(image_), view_(line, options, canvas_) {
    // Every pixel comes from the backing image.
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
    const QSize wanted = size();
    if (image_.size() != wanted) {
        image_ = QImage(wanted, QImage::Format_RGB32);
    }
    if (image_.isNull()) {
        return;
    }
    PrepareCanvas();
    if (view_.lineHeight > 0) {
        view_.PaintBoxTypePaint(image_.width(), image_.height());
    } else {
        // No font measured yet: nothing to show but the background.
        canvas_.FillRect(0, 0, image_.width(), image_.height(), SysColor::Window);
    }
    update(canvas_.TakeDirtyRect() | rect());
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
    for (const QRect& rect : event->region()) {
        painter.drawImage(rect, image_, rect);
    }
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
