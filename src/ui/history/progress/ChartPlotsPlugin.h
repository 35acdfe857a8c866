#pragma once
// The plugin object that the program finds in klaptos_progress.so.

#include "ProgressPlots.h"

#include <QObject>

class ChartPlotsPlugin final : public QObject, public ProgressPlotsPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.klaptos.ProgressPlotsPlugin/1")
    Q_INTERFACES(ProgressPlotsPlugin)

public:
    [[nodiscard]] ProgressPlots* CreatePlots(QWidget* parent) override;
};
