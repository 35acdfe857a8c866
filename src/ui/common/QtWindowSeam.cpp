#include "QtWindowSeam.h"

#include <QDesktopServices>

void QtWindowSeam::DesktopOpenUrl(const QUrl& url) {
    QDesktopServices::openUrl(url);
}
