#include "PluginFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

QStringList PluginFile::DefaultDirs() {
    const QString programDir = QCoreApplication::applicationDirPath();
    return {programDir, QDir::cleanPath(programDir + QStringLiteral("/../lib/klaptos"))};
}

QObject* PluginFile::Load(const char* name, const QStringList& dirs, QString& problems) {
    for (const QString& dir : dirs) {
        const QString file = QDir(dir).filePath(QString::fromLatin1(name) + QStringLiteral(".so"));
        if (!QFileInfo::exists(file)) {
            continue;
        }
        QPluginLoader loader(file);
        if (QObject* instance = loader.instance()) {
            return instance;
        }
        problems += QStringLiteral("\r\n") + loader.errorString();
    }
    return nullptr;
}
