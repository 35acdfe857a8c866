#include "QtDesignFont.h"

#include <QApplication>

QFont QtDesignFont(int pixelSize, bool bold) {
    QFont font = QApplication::font();
    // Asked for by name rather than looked up in the font list: listing every installed
    // font would cost start-up time, and fontconfig falls back to the default by itself.
    font.setFamilies({QStringLiteral("Liberation Sans"), font.family()});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}
