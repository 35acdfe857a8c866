#include "QtField.h"

#include "QtBackdrop.h"
#include "QtDisplayAccessible.h"
#include "QtPicture.h"

#include <QAccessible>

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {

// The gap a line edit leaves between its contents rectangle and its text.
constexpr int kTextMarginX = 2;
constexpr int kTextMarginY = 1;

} // namespace

QtField::QtField(QWidget* parent) : QWidget(parent) {
    InstallDisplayAccessibility();
    // Every pixel is painted here, the corners outside the rounded frame included.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setBackgroundRole(QPalette::Base);
    setForegroundRole(QPalette::Text);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void QtField::setText(const QString& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    update();
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, text_);
        QAccessible::updateAccessibility(&event);
    }
}

void QtField::setFrame(bool frame) {
    frame_ = frame;
    DropPanel();
}

QSize QtField::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    QStyleOptionFrame option = PanelOption();
    const QSize contents(metrics.horizontalAdvance(QLatin1Char('x')) * 17 + 2 * kTextMarginX,
                         metrics.height() + 2 * kTextMarginY);
    return style()->sizeFromContents(QStyle::CT_LineEdit, &option, contents, this);
}

void QtField::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, Panel());
    if (text_.isEmpty()) {
        return;
    }
    // Text too long for the field runs on to the frame's inner edge, as in a line edit.
    const QRect contents = ContentsRect();
    painter.setClipRect(contents);
    const QRect textRect = TextRect(contents);
    painter.setPen(palette().color(QPalette::Text));
    painter.setFont(font());
    painter.drawText(QPoint(textRect.left(), textRect.top() + fontMetrics().ascent()), text_);
}

void QtField::changeEvent(QEvent* event) {
    if (QtChangesKeptPictures(*event)) {
        DropPanel();
    }
    QWidget::changeEvent(event);
}

void QtField::resizeEvent(QResizeEvent* event) {
    DropPanel();
    QWidget::resizeEvent(event);
}

void QtField::focusInEvent(QFocusEvent* event) {
    DropPanel();
    QWidget::focusInEvent(event);
}

void QtField::focusOutEvent(QFocusEvent* event) {
    DropPanel();
    QWidget::focusOutEvent(event);
}

QStyleOptionFrame QtField::PanelOption() const {
    QStyleOptionFrame option;
    option.initFrom(this);
    option.rect = rect();
    option.lineWidth =
        frame_ ? style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken | QStyle::State_ReadOnly;
    option.features = QStyleOptionFrame::None;
    return option;
}

QRect QtField::ContentsRect() const {
    const QStyleOptionFrame option = PanelOption();
    return style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
}

// Where a line edit puts its single line of text: inside the style's contents rectangle,
// centred vertically on the font's height.
QRect QtField::TextRect(const QRect& contents) const {
    const int height = fontMetrics().height();
    const int top = contents.y() + (contents.height() - height + 1) / 2;
    return {contents.x() + kTextMarginX, top, contents.width() - 2 * kTextMarginX, height};
}

const QPixmap& QtField::Panel() {
    const qreal ratio = devicePixelRatioF();
    if (panel_.isNull() || panel_.size() != size() * ratio) {
        panel_ = QPixmap(size() * ratio);
        panel_.setDevicePixelRatio(ratio);
        panel_.fill(QtBackdrop(*this));
        {
            QPainter painter(&panel_);
            const QStyleOptionFrame option = PanelOption();
            style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
        }
        panel_ = QtPicture::Kept(panel_);
    }
    return panel_;
}

void QtField::DropPanel() {
    panel_ = QPixmap();
    update();
}
