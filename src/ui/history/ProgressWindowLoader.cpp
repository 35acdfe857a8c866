#include "ProgressWindowLoader.h"

#include "ProgressWindowPlugin.h"
#include "QtText.h"
#include "Reporter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

#include <utility>

ProgressWindowLoader::ProgressWindowLoader(HistoryStore& history, Reporter& reporter,
                                           QStringList searchDirs)
    : history_(history), reporter_(reporter), searchDirs_(std::move(searchDirs)) {}

QStringList ProgressWindowLoader::DefaultDirs() {
    const QString programDir = QCoreApplication::applicationDirPath();
    return {programDir, QDir::cleanPath(programDir + QStringLiteral("/../lib/klaptos"))};
}

ProgressWindowPlugin* ProgressWindowLoader::Plugin() {
    if (plugin_ != nullptr) {
        return plugin_;
    }
    QString problems;
    for (const QString& dir : searchDirs_) {
        const QString file =
            QDir(dir).filePath(QString::fromLatin1(kPluginName) + QStringLiteral(".so"));
        if (!QFileInfo::exists(file)) {
            continue;
        }
        QPluginLoader loader(file);
        plugin_ = qobject_cast<ProgressWindowPlugin*>(loader.instance());
        if (plugin_ != nullptr) {
            return plugin_;
        }
        problems += QStringLiteral("\r\n") + loader.errorString();
    }
    reporter_.ReportError(QtText::ToCp1250(
        QString::fromUtf8("Okno „Můj pokrok“ nelze otevřít, protože chybí jeho knihovna %1.so "
                          "nebo ji nelze načíst.")
            .arg(QString::fromLatin1(kPluginName)) +
        problems));
    return nullptr;
}

QWidget* ProgressWindowLoader::Show(QWidget* parent) {
    if (window_.isNull()) {
        ProgressWindowPlugin* plugin = Plugin();
        if (plugin == nullptr) {
            return nullptr;
        }
        window_ = plugin->CreateProgressWindow(history_, parent);
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
    return window_;
}
