#include "QtSpeedBar.h"

#include "QtBackdrop.h"
#include "QtDisplayAccessible.h"
#include "QtPicture.h"

#include <QAccessible>

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionProgressBar>

#include <algorithm>

QtSpeedBar::QtSpeedBar(QWidget* parent) : QWidget(parent) {
    InstallDisplayAccessibility();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    DropPictures();
}

void QtSpeedBar::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    value_ = std::clamp(value_, minimum_, maximum_);
    DropPictures();
}

void QtSpeedBar::setValue(int value) {
    value = std::clamp(value, minimum_, maximum_);
    if (value == value_) {
        return;
    }
    const int oldRight = FilledRight(value_);
    const int newRight = FilledRight(value);
    value_ = value;
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, value_);
        QAccessible::updateAccessibility(&event);
    }
    if (oldRight != newRight) {
        // One pixel more on each side: the style may shade the end of the filled part.
        const int left = std::min(oldRight, newRight) - 1;
        const int right = std::max(oldRight, newRight) + 1;
        update(QRect(left, 0, right - left + 1, height()).intersected(rect()));
    }
}

QSize QtSpeedBar::sizeHint() const {
    const QStyleOptionProgressBar option = BarOption(value_);
    return style()->sizeFromContents(QStyle::CT_ProgressBar, &option, QSize(100, 9), this);
}

void QtSpeedBar::paintEvent(QPaintEvent* /*event*/) {
    if (empty_.isNull() || full_.isNull()) {
        empty_ = RenderBar(minimum_);
        full_ = RenderBar(maximum_);
    }
    QPainter painter(this);
    const int right = FilledRight(value_);
    const qreal ratio = empty_.devicePixelRatio();
    const QRect filled(0, 0, right, height());
    const QRect unfilled(right, 0, width() - right, height());
    auto source = [ratio](const QRect& area) {
        return QRectF(area.x() * ratio, area.y() * ratio, area.width() * ratio,
                      area.height() * ratio);
    };
    if (!filled.isEmpty()) {
        painter.drawPixmap(QRectF(filled), full_, source(filled));
    }
    if (!unfilled.isEmpty()) {
        painter.drawPixmap(QRectF(unfilled), empty_, source(unfilled));
    }
}

void QtSpeedBar::changeEvent(QEvent* event) {
    if (QtChangesKeptPictures(*event)) {
        DropPictures();
    }
    QWidget::changeEvent(event);
}

void QtSpeedBar::resizeEvent(QResizeEvent* event) {
    DropPictures();
    QWidget::resizeEvent(event);
}

QStyleOptionProgressBar QtSpeedBar::BarOption(int progress) const {
    QStyleOptionProgressBar option;
    option.initFrom(this);
    option.rect = rect();
    option.minimum = minimum_;
    option.maximum = maximum_;
    option.progress = progress;
    option.textVisible = false;
    option.state |= QStyle::State_Horizontal;
    return option;
}

// The x just right of the filled part, as a smooth bar computes it.
int QtSpeedBar::FilledRight(int value) const {
    const QRect& groove = groove_;
    const int64_t span = int64_t{maximum_} - minimum_;
    if (span <= 0) {
        return groove.left();
    }
    const int64_t done = int64_t{value} - minimum_;
    return groove.left() + static_cast<int>(done * groove.width() / span);
}

QPixmap QtSpeedBar::RenderBar(int progress) const {
    const qreal ratio = devicePixelRatioF();
    QPixmap picture(size() * ratio);
    picture.setDevicePixelRatio(ratio);
    // The style leaves the bar's rounded corners unpainted.
    picture.fill(QtBackdrop(*this));
    {
        QPainter painter(&picture);
        const QStyleOptionProgressBar option = BarOption(progress);
        style()->drawControl(QStyle::CE_ProgressBar, &option, &painter, this);
    }
    return QtPicture::Kept(picture);
}

// Whatever changes the pictures may move the groove too; it is worked out here rather than
// twice on every new value.
void QtSpeedBar::DropPictures() {
    empty_ = QPixmap();
    full_ = QPixmap();
    const QStyleOptionProgressBar option = BarOption(value_);
    groove_ = style()->subElementRect(QStyle::SE_ProgressBarContents, &option, this);
    update();
}
