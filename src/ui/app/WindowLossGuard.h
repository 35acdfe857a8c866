#pragma once
// Ends the program in order when its window is lost without a close: the X server destroyed
// the window (`lost`, from the event loop), or the connection to the display broke, after
// which Qt ends the process at once (`atExit`, from the process's exit, with no display).

#include <QAbstractNativeEventFilter>
#include <QtGlobal>

#include <functional>

class QWidget;

class WindowLossGuard final : public QAbstractNativeEventFilter {
public:
    WindowLossGuard(QWidget& window, std::function<void()> lost, std::function<void()> atExit);
    ~WindowLossGuard() override;
    WindowLossGuard(const WindowLossGuard&) = delete;
    WindowLossGuard& operator=(const WindowLossGuard&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    static void AtExit();

    QWidget& window_;
    std::function<void()> lost_;
    std::function<void()> atExit_;
    bool lostOnce_ = false;
};
