#pragma once
// Runs a piece of work on a thread of its own and hands its result to the window's thread,
// to `receiver` if it still exists then: for what talks to a server and may take seconds.

#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <QThread>

#include <utility>

template <typename Work, typename Done>
void RunInBackground(QObject* receiver, Work work, Done done) {
    QPointer<QObject> guard(receiver);
    QThread* thread =
        QThread::create([guard, work = std::move(work), done = std::move(done)]() mutable {
            auto result = work();
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [guard, done = std::move(done), result = std::move(result)]() mutable {
                    if (guard != nullptr) {
                        done(std::move(result));
                    }
                },
                Qt::QueuedConnection);
        });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
}
