#include "QtBackdrop.h"

#include <QWidget>

QColor QtBackdrop(const QWidget& widget) {
    for (const QWidget* behind = widget.parentWidget(); behind != nullptr;
         behind = behind->parentWidget()) {
        if (behind->autoFillBackground() || behind->isWindow()) {
            return behind->palette().color(behind->backgroundRole());
        }
    }
    return widget.palette().color(QPalette::Window);
}
