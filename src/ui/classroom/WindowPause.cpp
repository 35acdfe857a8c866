#include "WindowPause.h"

#include <QAction>
#include <QWidget>

WindowPause::WindowPause(QWidget* mainWindow) {
    if (mainWindow == nullptr) {
        return;
    }
    auto* pause = mainWindow->findChild<QAction*>(QStringLiteral("ActionPause"));
    // The pause command is offered only while typing goes on.
    if (pause == nullptr || !pause->isVisible()) {
        return;
    }
    pause->trigger();
    continue_ = mainWindow->findChild<QAction*>(QStringLiteral("ActionContinue"));
}

WindowPause::~WindowPause() {
    if (continue_ != nullptr) {
        continue_->trigger();
    }
}
