#pragma once
// Makes the plots of the "Můj pokrok" window from their plugin, loaded when first asked for:
// beside the program first, then in ../lib/klaptos/ of the program's folder.

#include "PluginFile.h"

#include <QString>
#include <QStringList>

class ProgressPlots;
class ProgressPlotsPlugin;
class QWidget;

class ProgressPlotsLoader {
public:
    static constexpr const char* kPluginName = "klaptos_progress";

    explicit ProgressPlotsLoader(QStringList searchDirs = PluginFile::DefaultDirs());

    // New plots as a child of `parent`; nullptr when the plugin is missing or cannot be loaded,
    // with why in `problem`.
    [[nodiscard]] ProgressPlots* Create(QWidget* parent, QString& problem);

private:
    QStringList searchDirs_;
    ProgressPlotsPlugin* plugin_ = nullptr;
    QString problem_;
    bool tried_ = false;
};
