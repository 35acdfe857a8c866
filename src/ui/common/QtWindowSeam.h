#pragma once
// What a window hands to the world outside it: running a modal window, and opening a link in
// the desktop's browser or mail program. The main window, the report window, About and the
// evaluation take this one seam, so that tests answer dialogs and catch links in one way.

#include "QtModalRunner.h"

#include <QUrl>

#include <functional>

struct QtWindowSeam {
    // QDesktopServices::openUrl.
    static void DesktopOpenUrl(const QUrl& url);

    QtModalRunner runModal = QtExecModal;
    std::function<void(const QUrl&)> openUrl = DesktopOpenUrl;
};
