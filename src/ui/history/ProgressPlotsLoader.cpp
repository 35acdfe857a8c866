#include "ProgressPlotsLoader.h"

#include "ProgressPlots.h"

#include <utility>

ProgressPlotsLoader::ProgressPlotsLoader(QStringList searchDirs)
    : searchDirs_(std::move(searchDirs)) {}

ProgressPlots* ProgressPlotsLoader::Create(QWidget* parent, QString& problem) {
    if (!tried_) {
        tried_ = true;
        QString problems;
        plugin_ = qobject_cast<ProgressPlotsPlugin*>(
            PluginFile::Load(kPluginName, searchDirs_, problems));
        if (plugin_ == nullptr) {
            problem_ = QString::fromUtf8("Grafy nelze zobrazit: chybí knihovna %1.so (Qt Charts) "
                                         "nebo ji nelze načíst.")
                           .arg(QString::fromLatin1(kPluginName)) +
                       problems;
        }
    }
    problem = problem_;
    return plugin_ != nullptr ? plugin_->CreatePlots(parent) : nullptr;
}
