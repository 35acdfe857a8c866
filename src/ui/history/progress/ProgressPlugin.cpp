#include "ProgressPlugin.h"

#include "ProgressWindow.h"

QWidget* ProgressPlugin::CreateProgressWindow(HistoryStore& history, QWidget* parent) {
    return new ProgressWindow(history, parent);
}
