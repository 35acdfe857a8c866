// One keystroke's partial redraw of the typing line against a full repaint, on the real
// widget: what the keystroke notes as changed, the same shown on the screen, and the
// whole line painted.

#include "BenchApplication.h"
#include "Cp1250.h"
#include "PaintBoxType.h"
#include "ProgramOptions.h"
#include "TypingLine.h"

#include <QApplication>
#include <QFont>

#include <benchmark/benchmark.h>

namespace {

struct TypingScene {
    TypingScene() : box(line, options) {
        line.SetPattern(Cp1250::FromUtf8(
            "Kde domov můj, voda hučí po lučinách, bory šumí po skalinách, v sadě"));
        line.ClearTypedLine();
        QFont font("DejaVu Sans Mono");
        font.setPixelSize(16);
        box.SetTypingFont(font);
        box.resize(box.View().ViewWidth(), box.View().ViewHeight());
        box.FullRepaint();
    }

    // What the engine draws for one right keystroke at the position.
    void Keystroke() {
        const int pos = line.typedPos;
        line.typedLine[pos] = line.patternLine[pos];
        box.DrawTypedChar(pos);
        line.typedPos = pos + 1 < line.patternLen ? pos + 1 : 0;
        box.DrawCarriage();
        box.DrawPatternChar(pos);
        box.DrawPatternChar(line.typedPos);
    }

    QApplication& app = BenchApplication(); // before any widget
    TypingLine line;
    ProgramOptions options;
    PaintBoxType box;
};

void BM_KeystrokePartialRedraw(benchmark::State& state) {
    TypingScene scene;
    for (auto _ : state) {
        scene.Keystroke();
        benchmark::DoNotOptimize(&scene.box);
    }
}
BENCHMARK(BM_KeystrokePartialRedraw);

void BM_KeystrokeRedrawShownOnScreen(benchmark::State& state) {
    TypingScene scene;
    scene.box.show();
    QApplication::processEvents();
    for (auto _ : state) {
        scene.Keystroke();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_KeystrokeRedrawShownOnScreen);

void BM_FullRepaint(benchmark::State& state) {
    TypingScene scene;
    scene.line.typedPos = 34;
    scene.box.show();
    QApplication::processEvents();
    for (auto _ : state) {
        scene.box.repaint();
    }
}
BENCHMARK(BM_FullRepaint);

} // namespace
