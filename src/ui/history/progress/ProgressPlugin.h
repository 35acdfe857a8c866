#pragma once
// The plugin object that the program finds in klaptos_progress.so.

#include "ProgressWindowPlugin.h"

#include <QObject>

class ProgressPlugin final : public QObject, public ProgressWindowPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.klaptos.ProgressWindowPlugin/1")
    Q_INTERFACES(ProgressWindowPlugin)

public:
    [[nodiscard]] QWidget* CreateProgressWindow(HistoryStore& history, QWidget* parent) override;
};
