#pragma once
// What the progress window's plugin offers the program: the "Můj pokrok" window, made on
// demand, so that the program itself never loads the chart library.

#include <QtPlugin>

class HistoryStore;
class QWidget;

class ProgressWindowPlugin {
public:
    virtual ~ProgressWindowPlugin() = default;
    // A new non-modal window showing `history`, deleted when it is closed.
    [[nodiscard]] virtual QWidget* CreateProgressWindow(HistoryStore& history, QWidget* parent) = 0;
};

Q_DECLARE_INTERFACE(ProgressWindowPlugin, "org.klaptos.ProgressWindowPlugin/1")
