#include "QtHint.h"

#include "QtText.h"

#include <QAction>
#include <QWidget>

void SetHint(QWidget* widget, const QString& hint) {
    widget->setToolTip(QtText::ShortHint(hint));
    widget->setStatusTip(QtText::LongHint(hint));
}

void SetHint(QAction* action, const QString& hint) {
    action->setToolTip(QtText::ShortHint(hint));
    action->setStatusTip(QtText::LongHint(hint));
}
