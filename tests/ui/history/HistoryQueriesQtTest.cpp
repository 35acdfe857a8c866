// What the history answers, worked out by the database: each lesson's best and last result, the
// filters, the plotted attempts one by one or in groups, the attempts a page at a time, every
// text for the export; texts dated before 2000 or in the future are left out of all of them.

#include "HistoryDatabase.h"
#include "HistoryText.h"
#include "RecordingReporter.h"

#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QtTest>

#include <ctime>

namespace {

constexpr int64_t kDay = 24 * 3600;
constexpr int64_t kMarch12 = 1741780800; // 2025-03-12 12:00:00 UTC

HistoryRecord Lesson(int lesson, bool qwertz, int64_t endedAt, int speed, int errors, bool passed) {
    HistoryRecord r;
    r.endedAt = endedAt;
    r.lesson = lesson;
    r.qwertz = qwertz;
    r.keystrokes = 1000;
    r.correct = 1000 - errors;
    r.errors = errors;
    r.typingMs = 600000;
    r.averageSpeed = 100;
    r.absoluteSpeed = speed;
    r.errorGrade = passed ? 1 : 3;
    r.speedGrade = passed ? 2 : 4;
    r.passed = passed;
    return r;
}

HistoryRecord OwnText(int64_t endedAt) {
    HistoryRecord r = Lesson(-1, false, endedAt, 140, 20, false);
    r.fileName = "/home/žák/a.txt";
    return r;
}

} // namespace

class HistoryQueriesQtTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir temp_;
    RecordingReporter reporter_;
    int folders_ = 0;

    // A new history holding `records`, stored in their order.
    std::unique_ptr<HistoryDatabase> History(const std::vector<HistoryRecord>& records) {
        auto database = std::make_unique<HistoryDatabase>(
            QDir(temp_.path()).filePath(QString::number(++folders_)).toStdString(), reporter_);
        for (const HistoryRecord& r : records) {
            database->Record(r);
        }
        return database;
    }

private slots:
    void initTestCase() {
        ::setenv("TZ", "UTC", 1);
        ::tzset();
    }

    void cleanup() { QCOMPARE(reporter_.reports.size(), std::size_t{0}); }

    // Best: passed before not passed, then faster, then fewer errors, then later. Last: the
    // latest. Lesson 3 is one lesson on both layouts; lesson 14 is two.
    void eachLessonHasItsBestAndLastResultAndTheLayoutSplitsOnlyLessonsItChanges() {
        const auto database = History({
            Lesson(3, false, kMarch12, 80, 5, true),
            Lesson(3, true, kMarch12 + kDay, 95, 30, false),   // faster, but not passed
            Lesson(3, true, kMarch12 + 2 * kDay, 70, 2, true), // last
            Lesson(14, false, kMarch12, 100, 10, true),
            Lesson(14, true, kMarch12 + kDay, 110, 10, true),
            Lesson(14, true, kMarch12 + 3 * kDay, 90, 40, false),
            Lesson(14, true, kMarch12 + 3 * kDay, 110, 5,
                   true), // as fast, fewer errors, stored later
            OwnText(kMarch12),
        });
        struct Row {
            int lesson;
            bool qwertz;
            int64_t bestId;
            int64_t lastId;
            int count;
            bool operator==(const Row&) const = default;
        };
        std::vector<Row> rows;
        for (const LessonResult& r : database->Queries()->LessonRows()) {
            rows.push_back({r.lesson, r.qwertz, r.best.id, r.last.id, r.count});
        }
        QVERIFY(rows == (std::vector<Row>{
                            {3, false, 1, 3, 3},
                            {14, false, 4, 4, 1},
                            {14, true, 7, 7, 3},
                        }));
        QVERIFY(HistoryText::LayoutMatters(14) && !HistoryText::LayoutMatters(3));
        QCOMPARE(database->Queries()->Filters(), (std::vector<int>{0, 3, 14, -1}));

        // The summary kept text by text holds what the texts themselves give, which is what a
        // file without the summary (an earlier version, read only) is read as.
        QString connection;
        for (const QString& name : QSqlDatabase::connectionNames()) {
            if (name.startsWith(QStringLiteral("klaptos-history-"))) {
                connection = name;
            }
        }
        const HistoryQueries withoutSummary(connection, QStringLiteral("texts"),
                                            {.keyErrors = true, .lessons = false});
        QVERIFY(withoutSummary.LessonRows() == database->Queries()->LessonRows());
        QCOMPARE(withoutSummary.Filters(), database->Queries()->Filters());
    }

    // Attempts of one day each get a place of their own; the expected speed is each lesson's.
    void eachAttemptIsAPointWhileTheyAreFew() {
        const auto database = History({
            Lesson(2, false, kMarch12 + 600, 60, 50, false),
            OwnText(kMarch12 + 300),
            Lesson(2, true, kMarch12, 40, 0, false), // stored later, ended earlier
            Lesson(12, false, kMarch12 + 900, 90, 8, true),
        });
        const ProgressSeries all = database->Queries()->Progress(0, 300);
        QCOMPARE(all.attempts, int64_t{4});
        QVERIFY(all.points == (std::vector<ProgressPoint>{
                                  {1, 1, kMarch12, kMarch12, 40, 0.0, 50},
                                  {2, 1, kMarch12 + 300, kMarch12 + 300, 140, 2.0, 130},
                                  {3, 1, kMarch12 + 600, kMarch12 + 600, 60, 5.0, 50},
                                  {4, 1, kMarch12 + 900, kMarch12 + 900, 90, 0.8, 70},
                              }));
        const ProgressSeries lesson2 = database->Queries()->Progress(2, 300);
        QCOMPARE(lesson2.attempts, int64_t{2});
        QCOMPARE(lesson2.points.size(), std::size_t{2});
        QCOMPARE(lesson2.points[1].speed, 60.0);
        QCOMPARE(database->Queries()->Progress(-1, 300).points.size(), std::size_t{1});
        QCOMPARE(database->Queries()->Progress(44, 300).attempts, int64_t{0});
    }

    // 1,000 attempts in at most 300 points: groups of 4, each the mean of its attempts.
    void manyAttemptsArePlottedInGroups() {
        std::vector<HistoryRecord> records;
        for (int i = 0; i < 1000; ++i) {
            HistoryRecord r =
                Lesson(i < 500 ? 5 : 25, true, kMarch12 + i * 60, 50 + i % 4, i % 2, true);
            records.push_back(r);
        }
        const auto database = History(records);
        const ProgressSeries series = database->Queries()->Progress(0, 300);
        QCOMPARE(series.attempts, int64_t{1000});
        QCOMPARE(series.points.size(), std::size_t{250});
        QVERIFY(series.points.front() ==
                (ProgressPoint{1, 4, kMarch12, kMarch12 + 180, 51.5, 0.05, 50}));
        QCOMPARE(series.points.back().firstAttempt, int64_t{997});
        QCOMPARE(series.points.back().expectedSpeed, 100.0);
    }

    // A clock once set wrong leaves texts dated 1970 or far ahead: they are left out everywhere.
    void textsDatedOutsideASaneRangeAreLeftOut() {
        const auto database = History({
            Lesson(4, true, 0, 50, 1, true),
            Lesson(5, true, kMarch12, 60, 1, true),
            Lesson(6, true, 6919250468000, 70, 1, true), // "0. 1. 219250468"
            Lesson(7, true, static_cast<int64_t>(std::time(nullptr)) + 3 * kDay, 80, 1, true),
        });
        const HistoryQueries& queries = *database->Queries();
        QCOMPARE(queries.Progress(0, 300).attempts, int64_t{1});
        QCOMPARE(queries.Filters(), (std::vector<int>{0, 5}));
        QCOMPARE(queries.LessonRows().size(), std::size_t{1});
        QCOMPARE(queries.Attempts(0, nullptr, 10).size(), std::size_t{1});
        int exported = 0;
        queries.ForEachText([&](const HistoryRecord& r) {
            QCOMPARE(r.lesson, 5);
            ++exported;
        });
        QCOMPARE(exported, 1);
    }

    // Newest first, a page at a time; texts that ended in the same second follow their order.
    void attemptsComeNewestFirstAPageAtATime() {
        std::vector<HistoryRecord> records;
        for (int i = 0; i < 25; ++i) {
            records.push_back(Lesson(1 + i % 3, true, kMarch12 + (i / 2) * 60, 50 + i, 0, true));
        }
        const auto database = History(records);
        const HistoryQueries& queries = *database->Queries();
        std::vector<int64_t> ids;
        std::vector<HistoryRecord> page = queries.Attempts(0, nullptr, 10);
        while (!page.empty()) {
            for (const HistoryRecord& r : page) {
                ids.push_back(r.id);
            }
            page = queries.Attempts(0, &page.back(), 10);
        }
        std::vector<int64_t> expected;
        for (int64_t id = 25; id >= 1; --id) {
            expected.push_back(id);
        }
        QCOMPARE(ids, expected);
        const std::vector<HistoryRecord> lesson2 = queries.Attempts(2, nullptr, 100);
        QCOMPARE(lesson2.size(), std::size_t{8});
        QCOMPARE(lesson2.front().id, int64_t{23});
    }
};

QTEST_GUILESS_MAIN(HistoryQueriesQtTest)
#include "HistoryQueriesQtTest.moc"
