#include "QtLinkLabel.h"

#include <QMouseEvent>

QtLinkLabel::QtLinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setCursor(Qt::PointingHandCursor);
}

void QtLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    // A press that is dragged off the link before release is no click.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}
