#pragma once
// Stops typing while a window of the class opens over the main window and lets it go on when
// the window has closed, unless it was stopped before: the main window's own pause and
// continue commands, as the menu gives them.

class QAction;
class QWidget;

class WindowPause {
public:
    explicit WindowPause(QWidget* mainWindow);
    ~WindowPause();
    WindowPause(const WindowPause&) = delete;
    WindowPause& operator=(const WindowPause&) = delete;

private:
    QAction* continue_ = nullptr;
};
