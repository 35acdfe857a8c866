#include "WindowLossGuard.h"

#include <QCoreApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <csignal>
#include <cstdlib>
#include <utility>

namespace {

// The guard of the living window; the process's exit finds it here.
WindowLossGuard* liveGuard = nullptr;

} // namespace

WindowLossGuard::WindowLossGuard(QWidget& window, std::function<void()> lost,
                                 std::function<void()> atExit)
    : window_(window), lost_(std::move(lost)), atExit_(std::move(atExit)) {
    QCoreApplication::instance()->installNativeEventFilter(this);
    // When the display goes while the program is sending it a request, the write to the closed
    // socket would raise SIGPIPE and end the process at once, settings unwritten. Ignored, the
    // write fails instead, Qt sees the broken connection and exits through AtExit.
    std::signal(SIGPIPE, SIG_IGN);
    static const bool registered = std::atexit(&WindowLossGuard::AtExit) == 0;
    (void)registered;
    liveGuard = this;
}

WindowLossGuard::~WindowLossGuard() {
    liveGuard = nullptr;
    if (QCoreApplication* app = QCoreApplication::instance()) {
        app->removeNativeEventFilter(this);
    }
}

bool WindowLossGuard::nativeEventFilter(const QByteArray& eventType, void* message,
                                        qintptr* /*result*/) {
    if (lostOnce_ || eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_DESTROY_NOTIFY) {
        return false;
    }
    const auto* destroyed = static_cast<const xcb_destroy_notify_event_t*>(message);
    // Qt destroys its own windows only with the widget, after the event loop has ended.
    if (window_.internalWinId() != 0 && destroyed->window == window_.internalWinId()) {
        lostOnce_ = true;
        lost_();
    }
    return false;
}

void WindowLossGuard::AtExit() {
    if (WindowLossGuard* guard = std::exchange(liveGuard, nullptr); guard != nullptr) {
        guard->atExit_();
    }
}
