#include "ProgressWindowLoader.h"

#include "PluginFile.h"
#include "ProgressWindowPlugin.h"
#include "QtText.h"
#include "Reporter.h"

#include <utility>

ProgressWindowLoader::ProgressWindowLoader(HistoryStore& history, Reporter& reporter,
                                           QStringList searchDirs)
    : history_(history), reporter_(reporter), searchDirs_(std::move(searchDirs)) {}

QStringList ProgressWindowLoader::DefaultDirs() {
    return PluginFile::DefaultDirs();
}

ProgressWindowPlugin* ProgressWindowLoader::Plugin() {
    if (plugin_ != nullptr) {
        return plugin_;
    }
    QString problems;
    plugin_ =
        qobject_cast<ProgressWindowPlugin*>(PluginFile::Load(kPluginName, searchDirs_, problems));
    if (plugin_ != nullptr) {
        return plugin_;
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
