#pragma once
// Tells once when the pupil first presses a key or a mouse button anywhere in the program, and
// then stops watching: until then a window manager's move is its own placing, not the pupil's.

#include <QObject>

#include <functional>

class FirstInputWatch final : public QObject {
    Q_OBJECT

public:
    explicit FirstInputWatch(std::function<void()> firstInput);
    ~FirstInputWatch() override;
    FirstInputWatch(const FirstInputWatch&) = delete;
    FirstInputWatch& operator=(const FirstInputWatch&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Stop();

    std::function<void()> firstInput_;
    bool watching_ = false;
};
