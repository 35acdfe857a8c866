// A long typing session through the engine and the typing line widget: memory must stay
// flat however many keystrokes the pupil types. The default run is short enough for every
// test run; KLAPTOS_LONG_SESSION_KEYS=1000000 runs the full million and prints the figures.

#include "Clock.h"
#include "Commands.h"
#include "FakeWindow.h"
#include "Lekce.h"
#include "PaintBoxType.h"
#include "PauseCommands.h"
#include "ProgramOptions.h"
#include "Reporter.h"
#include "SoundPlayer.h"
#include "SpeedMeter.h"
#include "TypingEngine.h"
#include "TypingLine.h"

#include <QApplication>
#include <QFont>
#include <QtTest>

#include <cstdio>
#include <fstream>
#include <malloc.h>
#include <string>

namespace {

// Ticks 120 ms further at every reading: a steady pupil.
class SteppingClock final : public Clock {
public:
    [[nodiscard]] uint32_t TickCount() const override { return now_ += 120; }

private:
    mutable uint32_t now_ = 5000;
};

class SilentSound final : public SoundPlayer {
public:
    void Play(SystemSound) override {}
};

class SilentReporter final : public Reporter {
public:
    void ReportError(const std::string&) override {}
    void ReportInfo(const std::string&) override {}
};

// Runs the commands for real, keeping nothing.
class LiveCommands final : public Commands {
public:
    PauseCommands* pause = nullptr;
    void ActionPause() override { pause->ActionPause(); }
    void ActionContinue() override { pause->ActionContinue(); }
    void ActionLekce() override {}
    void ActionOpenFile() override {}
    void ActionResetLekci() override { pause->ActionResetLekci(); }
    void ActionClose() override {}
};

long ResidentKb() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

long HeapInUseKb() {
    return static_cast<long>(mallinfo2().uordblks / 1024);
}

} // namespace

class LongSessionQtTest : public QObject {
    Q_OBJECT

private slots:
    void memoryStaysFlatOverALongSession();
};

void LongSessionQtTest::memoryStaysFlatOverALongSession() {
    const long keys = qEnvironmentVariableIsSet("KLAPTOS_LONG_SESSION_KEYS")
                          ? qEnvironmentVariableIntValue("KLAPTOS_LONG_SESSION_KEYS")
                          : 60000;

    SteppingClock clock;
    SpeedMeter meter(clock);
    SilentReporter reporter;
    LEKCE store(KLAPTOS_BIN_DIR "/", reporter);
    ProgramOptions options;
    options.MoveOnError = false;
    SilentSound sound;
    FakeWindow window;
    window.nextEvaluationAnswer = EvaluationAnswer::Repeat;
    LiveCommands commands;
    TypingLine line;
    PaintBoxType view(line, options);
    TypingEngine engine(line, store, meter, options, sound, view, window, commands);
    PauseCommands pause(engine, store, meter, options, window, commands, clock);
    commands.pause = &pause;

    QFont font("DejaVu Sans Mono");
    font.setPixelSize(16);
    view.SetTypingFont(font);
    view.resize(view.View().ViewWidth(), view.View().ViewHeight());
    view.show();
    QVERIFY(store.LoadLesson(28, true));
    meter.Clear();
    engine.BeginText();
    pause.ActionContinue();

    long typed = 0;
    long wrong = 0;
    long startRss = 0;
    long startHeap = 0;
    const long warmUp = keys / 10;
    while (typed < keys) {
        if (engine.stopMode) { // the text ended and the evaluation asked to repeat it
            pause.ActionContinue();
        }
        const int pos = line.typedPos;
        if (line.patternLine[pos] == TypingLine::kEndOfLine) {
            VirtualKey enter = VirtualKey::Return;
            engine.FormKeyDown(enter);
        } else {
            // Every 37th keystroke is a wrong one, corrected by typing the right key next.
            unsigned char c = (typed % 37 == 36) ? 'q' : line.patternLine[pos];
            wrong += c == 'q' ? 1 : 0;
            engine.FormKeyPress(c);
        }
        ++typed;
        if (typed % 500 == 0) {
            QCoreApplication::processEvents(); // the partial updates reach the screen
        }
        if (typed == warmUp) {
            startRss = ResidentKb();
            startHeap = HeapInUseKb();
        }
    }
    QCoreApplication::processEvents();
    const long endRss = ResidentKb();
    const long endHeap = HeapInUseKb();
    std::printf("long session: %ld keystrokes (%ld wrong), %d texts finished; resident %ld kB -> "
                "%ld kB, heap in use %ld kB -> %ld kB\n",
                typed, wrong, window.evaluationsShown, startRss, endRss, startHeap, endHeap);

    QVERIFY(window.evaluationsShown > 0);
#if defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer keeps freed memory in quarantine and has its own allocator: the
    // session still runs for its memory errors, but its memory figures say nothing.
    QSKIP("memory figures are not meaningful under AddressSanitizer");
#endif
    QVERIFY2(endHeap - startHeap < 256, "the heap grew during the session");
    QVERIFY2(endRss - startRss < 1024, "resident memory grew during the session");
}

QTEST_MAIN(LongSessionQtTest)
#include "LongSessionQtTest.moc"
