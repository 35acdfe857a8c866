#include "QtModalRunner.h"

#include <QDialog>

int QtExecModal(QDialog& dialog) {
    return dialog.exec();
}
