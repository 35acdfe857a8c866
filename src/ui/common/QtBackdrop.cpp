#include "QtBackdrop.h"

#include <QEvent>
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

bool QtChangesKeptPictures(const QEvent& event) {
    switch (event.type()) {
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
    case QEvent::EnabledChange:
    case QEvent::ParentChange:
        return true;
    default:
        return false;
    }
}
