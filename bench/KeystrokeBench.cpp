// The cost of one keystroke through the typing engine: timing in the speed meter, the
// partial redraw of the typing line (on a canvas that draws nothing), the counters and
// the speed fields of the window.

#include "Canvas.h"
#include "Clock.h"
#include "Cp1250.h"
#include "FakeCommands.h"
#include "FakeWindow.h"
#include "KeyStatistics.h"
#include "KeyTimer.h"
#include "KeyboardLayout.h"
#include "Lekce.h"
#include "ProgramOptions.h"
#include "Reporter.h"
#include "SoundPlayer.h"
#include "SpeedMeter.h"
#include "TrainingObserver.h"
#include "TypingEngine.h"
#include "TypingLine.h"
#include "TypingView.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

class NullCanvas final : public Canvas {
public:
    void FillRect(int, int, int, int, SysColor) override {}
    void Line(Point, Point, SysColor, int) override {}
    void Polygon(const Point*, int, SysColor, SysColor) override {}
    void DrawChar(int, int, unsigned char, SysColor, SysColor) override {}
};

class NullSound final : public SoundPlayer {
public:
    void Play(SystemSound) override {}
};

class NullReporter final : public Reporter {
public:
    void ReportError(const std::string&) override {}
    void ReportInfo(const std::string&) override {}
};

// Everything one keystroke touches, typing a line of Czech text.
struct KeystrokeRig {
    KeystrokeRig() {
        options.MoveOnError = false;
        view.SetMetrics(68 * 9, 16);
        meter.Clear();
        engine.ShowLine(&pattern);
        engine.stopMode = false;
    }

    SteadyClock clock;
    SpeedMeter meter{clock};
    NullReporter reporter;
    LEKCE store{"", reporter};
    ProgramOptions options;
    NullSound sound;
    NullCanvas canvas;
    TypingLine line;
    TypingView view{line, options, canvas};
    FakeWindow window;
    FakeCommands commands;
    TypingEngine engine{line, store, meter, options, sound, view, window, commands};
    std::string pattern =
        Cp1250::FromUtf8("Přijďte zítra ráno, bude čas na další cvičení psaní všemi deseti.");
};

void BM_RightKeystroke(benchmark::State& state) {
    KeystrokeRig rig;
    for (auto _ : state) {
        if (rig.line.typedPos >= rig.line.patternLen) {
            rig.line.ClearTypedLine();
        }
        unsigned char key = rig.line.patternLine[rig.line.typedPos];
        rig.engine.FormKeyPress(key);
        benchmark::DoNotOptimize(key);
    }
}
BENCHMARK(BM_RightKeystroke);

// The same keystroke during a training exercise: the training's observer times it per key press
// and adds it to the key's measure. Run beside BM_RightKeystroke (a lesson's keystroke).
void BM_TrainingKeystroke(benchmark::State& state) {
    KeystrokeRig rig;
    KeyStatistics statistics;
    KeyTimer timer(rig.clock, KeyboardLayout::Qwertz(), statistics);
    TrainingObserver observer;
    observer.Follow(&timer);
    rig.engine.AddObserver(observer);
    for (auto _ : state) {
        if (rig.line.typedPos >= rig.line.patternLen) {
            rig.line.ClearTypedLine();
        }
        unsigned char key = rig.line.patternLine[rig.line.typedPos];
        rig.engine.FormKeyPress(key);
        benchmark::DoNotOptimize(key);
    }
    rig.engine.RemoveObserver(observer);
}
BENCHMARK(BM_TrainingKeystroke);

void BM_WrongKeystroke(benchmark::State& state) {
    KeystrokeRig rig;
    for (auto _ : state) {
        unsigned char key = Cp1250::kUnmappable;
        rig.engine.FormKeyPress(key);
        benchmark::DoNotOptimize(key);
    }
}
BENCHMARK(BM_WrongKeystroke);

void BM_Backspace(benchmark::State& state) {
    KeystrokeRig rig;
    for (auto _ : state) {
        unsigned char key = TypingEngine::kBackspace;
        rig.engine.FormKeyPress(key);
        benchmark::DoNotOptimize(key);
    }
}
BENCHMARK(BM_Backspace);

} // namespace
