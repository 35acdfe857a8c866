#include "QtDesignFont.h"

#include <QApplication>
#include <QFontDatabase>

QFont QtDesignFont(int pixelSize, bool bold) {
    static const bool narrowInstalled =
        QFontDatabase::families().contains(QStringLiteral("Liberation Sans"));
    QFont font = QApplication::font();
    if (narrowInstalled) {
        font.setFamily(QStringLiteral("Liberation Sans"));
    }
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}
