#include "FirstInputWatch.h"

#include <QCoreApplication>
#include <QEvent>

#include <utility>

FirstInputWatch::FirstInputWatch(std::function<void()> firstInput)
    : firstInput_(std::move(firstInput)) {
    if (QCoreApplication* app = QCoreApplication::instance()) {
        app->installEventFilter(this);
        watching_ = true;
    }
}

FirstInputWatch::~FirstInputWatch() {
    Stop();
}

void FirstInputWatch::Stop() {
    if (std::exchange(watching_, false)) {
        if (QCoreApplication* app = QCoreApplication::instance()) {
            app->removeEventFilter(this);
        }
    }
}

bool FirstInputWatch::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::Wheel:
        Stop();
        firstInput_();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
