#pragma once
// Counts the paint events a widget receives while the counter lives.

#include <QEvent>
#include <QObject>
#include <QPointer>

class PaintCounter final : public QObject {
public:
    explicit PaintCounter(QObject* watched) : watched_(watched) {
        watched->installEventFilter(this);
    }
    ~PaintCounter() override {
        if (watched_ != nullptr) {
            watched_->removeEventFilter(this);
        }
    }

    int paints = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }

private:
    QPointer<QObject> watched_;
};
