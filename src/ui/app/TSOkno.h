#pragma once
// The splash window: covers the slow start-up with the program's name, a picture and what
// is being done, and closes itself once the main window is ready (2 s to 7 s after start).

#include "SplashTimerRule.h"

#include <QTimer>
#include <QWidget>

#include <string>

class QLabel;
class QtField;

class TSOkno final : public QWidget {
    Q_OBJECT
public:
    explicit TSOkno(QWidget* parent = nullptr);

    // The picture is drawn once the window is on the screen.
    void ShowPicture();

    // The status line, in code page 1250.
    void SetProcessing(const std::string& text);
    [[nodiscard]] QString Processing() const;
    void SetReadyToClose() { rule_.readyToClose = true; }

    void Timer2Timer();

private:
    SplashTimerRule rule_;
    QTimer Timer2;
    QLabel* Image1;
    QLabel* Label2;
    QLabel* Label1;
    QtField* EditProcessing;
};
