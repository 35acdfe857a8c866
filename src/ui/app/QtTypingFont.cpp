#include "QtTypingFont.h"

#include "QtText.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

int PointSize(const QFont& font) {
    return font.pointSize() > 0 ? font.pointSize() : qRound(font.pointSizeF());
}

} // namespace

QFont QtTypingFont::FromSettings(const FontSettings& settings) {
    QString name = QtText::FromCp1250(settings.name);
    if (!QFontDatabase::families().contains(name)) {
        name = QString::fromUtf8(Settings::FontName.text);
    }
    QFont font(name);
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(settings.size);
    font.setBold(settings.bold);
    font.setItalic(settings.italic);
    return font;
}

FontSettings QtTypingFont::ToSettings(const QFont& font) {
    FontSettings settings;
    settings.name = QtText::ToCp1250(font.family());
    settings.size = PointSize(font);
    settings.bold = font.bold();
    settings.italic = font.italic();
    return settings;
}

QFont QtTypingFont::WithAcceptedSize(QFont font) {
    if (!Settings::FontSize.Accepts(PointSize(font))) {
        font.setPointSize(Settings::FontSize.def);
    }
    return font;
}
