#include "QtText.h"

#include "Cp1250.h"

#include <QFile>

namespace QtText {

QString FromCp1250(const std::string& bytes) {
    return QString::fromStdString(Cp1250::ToUtf8(bytes));
}

std::string ToCp1250(const QString& text) {
    return Cp1250::FromUtf8(text.toStdString());
}

std::string ToPath(const QString& path) {
    const QByteArray bytes = QFile::encodeName(path);
    return {bytes.constData(), static_cast<size_t>(bytes.size())};
}

QString FromPath(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

QString ShortHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.left(bar);
}

QString LongHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

} // namespace QtText
