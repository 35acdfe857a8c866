// The on-screen keyboard's share of a keystroke: the next key is lit and the finger text
// changes, then the window paints. The kept pictures and partial repaint against repainting
// the whole keyboard.

#include "BenchApplication.h"
#include "Cp1250.h"
#include "KeyboardPanel.h"
#include "KeyboardView.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int kDesignWidth = 509;

struct KeyboardScene {
    KeyboardScene() {
        panel.SetLayout(true);
        panel.SetIntroLine(Cp1250::FromUtf8("Lekce 42: velká písmena Š Ď Ž."));
        panel.resize(kDesignWidth, panel.heightForWidth(kDesignWidth));
        panel.show();
        QApplication::processEvents();
    }

    // One right keystroke: the engine names the next character, the window paints.
    void Keystroke(bool wholeKeyboard) {
        const auto next = static_cast<unsigned char>(text[at]);
        at = (at + 1) % text.size();
        panel.NextCharacter(next);
        if (wholeKeyboard) {
            panel.View().update();
        }
        QApplication::processEvents();
    }

    QApplication& app = BenchApplication(); // before any widget
    KeyboardPanel panel;
    std::string text = Cp1250::FromUtf8("Šimon a Žofie píšou Ďáblovi dopis, kde domov můj.\n");
    std::size_t at = 0;
};

void BM_KeyboardKeystroke(benchmark::State& state) {
    KeyboardScene scene;
    for (auto _ : state) {
        scene.Keystroke(false);
    }
}
BENCHMARK(BM_KeyboardKeystroke);

void BM_KeyboardKeystrokeWholeRepaint(benchmark::State& state) {
    KeyboardScene scene;
    for (auto _ : state) {
        scene.Keystroke(true);
    }
}
BENCHMARK(BM_KeyboardKeystrokeWholeRepaint);

} // namespace
