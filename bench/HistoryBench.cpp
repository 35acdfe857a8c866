// The cost of keeping a finished text in the history, and of opening the progress window
// over a long history.

#include "BenchApplication.h"
#include "ListHistoryStore.h"
#include "ProgressWindowLoader.h"
#include "QtHistoryStore.h"
#include "RecordingReporter.h"

#include <QTemporaryDir>
#include <QWidget>
#include <benchmark/benchmark.h>

namespace {

HistoryRecord Finished(int64_t n) {
    HistoryRecord r;
    r.endedAt = 1741564800 + n * 3600;
    r.lesson = static_cast<int>(n % 44) + 1;
    r.qwertz = n % 3 == 0;
    r.keystrokes = 900;
    r.correct = 880;
    r.errors = 20 - static_cast<int>(n % 20);
    r.typingMs = 500000;
    r.averageSpeed = 108;
    r.absoluteSpeed = 60 + static_cast<int>(n % 90);
    r.errorGrade = 2;
    r.speedGrade = 2;
    r.passed = n % 4 != 0;
    return r;
}

void BM_HistoryRecordsAFinishedText(benchmark::State& state) {
    BenchApplication();
    QTemporaryDir dir;
    RecordingReporter reporter;
    QtHistoryStore store(dir.path().toStdString(), reporter);
    (void)store.IsKept();
    int64_t n = 0;
    for (auto _ : state) {
        store.Record(Finished(++n));
    }
}
BENCHMARK(BM_HistoryRecordsAFinishedText)->Unit(benchmark::kMillisecond);

// From the menu command to the window painted, with the plugin already loaded once.
void BM_ProgressWindowOpensOverTenThousandTexts(benchmark::State& state) {
    BenchApplication();
    ListHistoryStore history;
    for (int64_t n = 0; n < 10000; ++n) {
        history.records.push_back(Finished(n));
    }
    RecordingReporter reporter;
    for (auto _ : state) {
        ProgressWindowLoader loader(history, reporter, {QStringLiteral(KLAPTOS_BIN_DIR)});
        QWidget* window = loader.Show(nullptr);
        if (window == nullptr) {
            state.SkipWithError("the plugin is not built");
            break;
        }
        window->grab(); // paints the charts and the table once
        delete window;
    }
}
BENCHMARK(BM_ProgressWindowOpensOverTenThousandTexts)->Unit(benchmark::kMillisecond);

// Reading 10,000 texts back from the database, which opening the window does first.
void BM_HistoryReadsTenThousandTexts(benchmark::State& state) {
    BenchApplication();
    QTemporaryDir dir;
    RecordingReporter reporter;
    {
        QtHistoryStore store(dir.path().toStdString(), reporter);
        for (int64_t n = 0; n < 10000; ++n) {
            store.Record(Finished(n));
        }
    }
    QtHistoryStore store(dir.path().toStdString(), reporter);
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.Records());
    }
}
BENCHMARK(BM_HistoryReadsTenThousandTexts)->Unit(benchmark::kMillisecond);

} // namespace
