// A keystroke in the timed copy's text area, at the start of a test and after 2,000 and 8,000
// characters typed without Enter: the text area's own work, the window painting it.

#include "BenchApplication.h"
#include "CopyTestWindow.h"
#include "CopyText.h"
#include "CopyTypingArea.h"
#include "FakeClock.h"

#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

namespace {

void BM_CopyKeystroke(benchmark::State& state) {
    BenchApplication();
    FakeClock clock;
    CopyTestWindow window(CopyText{"Opis", {"Na konci června se zahrada mění každým dnem."}}, 20,
                          QFontDatabase::systemFont(QFontDatabase::FixedFont), clock, nullptr);
    window.show();
    auto* area = window.findChild<CopyTypingArea*>();
    const QString words = QString::fromUtf8("zahrada mění každým dnem ");
    int at = 0;
    const auto type = [&] {
        const QString c = words.mid(at, 1);
        at = (at + 1) % static_cast<int>(words.size());
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, c);
        QApplication::sendEvent(area, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, c);
        QApplication::sendEvent(area, &release);
    };
    // Typed as a pupil types it, so that the lines are kept as the text area keeps them.
    for (int i = 0; i < state.range(0); ++i) {
        type();
    }
    QApplication::processEvents();
    for (auto _ : state) {
        type();
        QApplication::processEvents();
    }
    state.SetLabel(std::to_string(area->blockCount()) + " lines");
}
BENCHMARK(BM_CopyKeystroke)->Arg(0)->Arg(2000)->Arg(8000)->Unit(benchmark::kMicrosecond);

} // namespace
