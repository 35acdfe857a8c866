#pragma once
// The main window as main() builds it, with the model objects it needs, over a temporary
// program folder: the widget tests of the window and of the features that join it build it
// alike. Features and observers are made with Make, so that they outlive the window. Modal
// windows go to `answer` (rejected while it is unset).

#include "Cp1250.h"
#include "FakeClock.h"
#include "Lekce.h"
#include "ProgramOptions.h"
#include "RecordingReporter.h"
#include "RecordingSound.h"
#include "SpeedMeter.h"
#include "TFormHOknoPM.h"
#include "TempLessonDir.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

// A control of a window, found by its design name; the test ends when it is missing.
template <typename T> T* Child(const QObject* parent, const char* name) {
    T* child = parent->findChild<T*>(QLatin1String(name));
    if (child == nullptr) {
        qFatal("no control %s", name);
    }
    return child;
}

struct MainWindowRig {
    explicit MainWindowRig(TempLessonDir& dir)
        : directory(dir), meter(clock), store(dir.Path(), reporter) {}
    ~MainWindowRig() {
        window.reset();
        while (!parts_.empty()) {
            parts_.pop_back();
        }
    }
    MainWindowRig(const MainWindowRig&) = delete;
    MainWindowRig& operator=(const MainWindowRig&) = delete;

    template <typename T, typename... Args> T& Make(Args&&... args) {
        auto part = std::make_shared<T>(std::forward<Args>(args)...);
        parts_.push_back(part);
        return *part;
    }

    // The window, not yet shown; the settings file is read now.
    void Build(std::vector<MainWindowFeature*> features = {}, TSOkno* splash = nullptr) {
        window = std::make_unique<TFormHOknoPM>(
            TFormHOknoPM::Model{store, meter, options, sound, clock},
            QString::fromStdString(directory.Path() + "klaptos.ini"),
            QString::fromStdString(directory.Path()), QString(), std::move(features), splash);
        window->SetSeam({.runModal = [this](QDialog& dialog) {
            return answer ? answer(dialog) : static_cast<int>(QDialog::Rejected);
        }});
    }

    // Shown and active, the text restored. The blinking of the STOP mark is tested on its own;
    // elsewhere it would only make the status text depend on how long a test takes.
    void Show() {
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        Child<QTimer>(window.get(), "TimerSec")->stop();
    }

    // Closed as the pupil would, the close question answered Yes, and destroyed, which writes
    // the settings file.
    void CloseAndDestroy() {
        answer = [](QDialog&) { return static_cast<int>(QDialogButtonBox::Yes); };
        window->close();
        window.reset();
    }

    [[nodiscard]] std::string Ini() const {
        std::ifstream in(directory.Path() + "klaptos.ini", std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // The field that holds the focus while typing.
    [[nodiscard]] QWidget* Field() const { return Child<QWidget>(window.get(), "EditCisloRadku"); }
    // A character as the keyboard gives it, in code page 1250.
    void Type(unsigned char byte, QWidget* target = nullptr) const {
        const QString text(QChar(static_cast<char16_t>(Cp1250::ToUnicode(byte))));
        QTest::sendKeyEvent(QTest::Click, target != nullptr ? target : Field(), Qt::Key_unknown,
                            text, Qt::NoModifier);
    }

    TempLessonDir& directory;
    FakeClock clock;
    SpeedMeter meter;
    ProgramOptions options;
    RecordingSound sound;
    RecordingReporter reporter;
    LEKCE store;
    std::function<int(QDialog&)> answer;
    std::unique_ptr<TFormHOknoPM> window;

private:
    std::vector<std::shared_ptr<void>> parts_; // made before the window, destroyed after it
};
