// The cost of keeping a finished text in the history, and of opening "Můj pokrok" over a long
// history: from the menu command to the window painted with its plots, its first attempts and
// the lessons' results, and the memory the program still holds once the window has closed.

#include "BenchApplication.h"
#include "HistoryDatabase.h"
#include "HistoryThread.h"
#include "ProgressPlotsLoader.h"
#include "ProgressWindow.h"
#include "RecordingReporter.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <unistd.h>

namespace {

HistoryRecord Finished(int64_t n) {
    HistoryRecord r;
    r.endedAt = 1600000000 + n * 300;
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

double ResidentMegabytes() {
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / 1e6;
}

// A history folder with `count` texts, made once per size for the whole run.
std::string HistoryOf(int64_t count) {
    static QTemporaryDir dir;
    static std::map<int64_t, std::string> made;
    if (const auto found = made.find(count); found != made.end()) {
        return found->second;
    }
    const std::string folder = dir.filePath(QString::number(count)).toStdString();
    RecordingReporter reporter;
    {
        HistoryDatabase schema(folder,
                               reporter); // the file and its tables, as the program makes them
        schema.Record(Finished(0));
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "fill");
        db.setDatabaseName(QString::fromStdString(folder + "/historie.sqlite"));
        db.open();
        QSqlQuery query(db);
        query.exec(QStringLiteral("BEGIN"));
        query.prepare(QStringLiteral(
            "INSERT INTO texts (ended_at, lesson, qwertz, file_name, keystrokes, correct, errors, "
            "typing_ms, average_speed, absolute_speed, error_grade, speed_grade, passed) VALUES "
            "(?, ?, ?, '', ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (int64_t n = 1; n < count; ++n) {
            const HistoryRecord r = Finished(n);
            for (const QVariant& value :
                 {QVariant::fromValue<qlonglong>(r.endedAt), QVariant(r.lesson),
                  QVariant(r.qwertz ? 1 : 0), QVariant(r.keystrokes), QVariant(r.correct),
                  QVariant(r.errors), QVariant(r.typingMs), QVariant(r.averageSpeed),
                  QVariant(r.absoluteSpeed), QVariant(r.errorGrade), QVariant(r.speedGrade),
                  QVariant(r.passed ? 1 : 0)}) {
                query.addBindValue(value);
            }
            query.exec();
        }
        query.exec(QStringLiteral("COMMIT"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
    return made[count] = folder;
}

void BM_HistoryRecordsAFinishedText(benchmark::State& state) {
    BenchApplication();
    QTemporaryDir dir;
    RecordingReporter reporter;
    HistoryDatabase database(dir.path().toStdString(), reporter);
    (void)database.Open();
    int64_t n = 0;
    for (auto _ : state) {
        database.Record(Finished(++n));
    }
}
BENCHMARK(BM_HistoryRecordsAFinishedText)->Unit(benchmark::kMillisecond);

// From the menu command to the window painted with everything it asked for, the history's
// thread and its database already open, as after the first "Můj pokrok" or lesson dialog. CPU
// is the whole process's, the history's thread included. rss_before_MB: resident before the
// first opening; rss_after_MB: once the last has closed.
void BM_ProgressWindowOpens(benchmark::State& state) {
    QApplication& app = BenchApplication();
    const std::string folder = HistoryOf(state.range(0));
    RecordingReporter reporter;
    HistoryThread history(
        [folder](Reporter& r) { return std::make_unique<HistoryDatabase>(folder, r); }, reporter);
    ProgressPlotsLoader plots({QStringLiteral(KLAPTOS_BIN_DIR)});
    {
        QObject receiver;
        bool open = false;
        history.Ask<int>(
            &receiver, [](const HistoryQueries&) { return 0; }, [&](int) { open = true; });
        while (!open) {
            app.processEvents(QEventLoop::WaitForMoreEvents);
        }
    }
    const double before = ResidentMegabytes();
    double slowest = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        {
            ProgressWindow window(history, plots, nullptr);
            window.show();
            while (!window.IsLoaded()) {
                app.processEvents(QEventLoop::WaitForMoreEvents);
            }
            window.grab(); // paints the plots and the tables once
        }
        app.processEvents();
        slowest = std::max(slowest, static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    state.counters["rss_before_MB"] = before;
    state.counters["rss_after_MB"] = ResidentMegabytes();
    state.counters["slowest_ms"] = slowest;
}
// 1,000 texts: what the window itself, its plugin and its fonts take, beside the long histories.
BENCHMARK(BM_ProgressWindowOpens)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

} // namespace
