// The history's own thread: a text is queued and the caller goes on at once, also while another
// program holds the database's lock, and is written once the lock is free; questions are
// answered on the caller's thread after the writes queued before them; an answer for a window
// that has gone is dropped; the end writes what is still queued.

#include "HistoryThread.h"
#include "RecordingReporter.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <optional>

namespace {

HistoryRecord Text(int lesson) {
    HistoryRecord r;
    r.endedAt = 1741780800 + lesson;
    r.lesson = lesson;
    r.keystrokes = 100;
    r.correct = 100;
    r.absoluteSpeed = 100 + lesson;
    r.passed = true;
    return r;
}

// Another program with the history open: it takes the lock and keeps it until it lets go.
class OtherProgram {
public:
    explicit OtherProgram(const QString& path) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kName);
        db.setDatabaseName(path);
        db.open();
    }
    ~OtherProgram() {
        QSqlDatabase::database(kName, false).close();
        QSqlDatabase::removeDatabase(kName);
    }
    // Even readers wait while it holds the lock this way, taken before they opened the file.
    bool Lock() {
        QSqlQuery query(QSqlDatabase::database(kName, false));
        return query.exec(QStringLiteral("PRAGMA locking_mode=EXCLUSIVE")) &&
               query.exec(QStringLiteral("BEGIN EXCLUSIVE")) &&
               query.exec(QStringLiteral("DELETE FROM texts WHERE 0"));
    }
    int Texts() {
        QSqlQuery query(QSqlDatabase::database(kName, false));
        return query.exec(QStringLiteral("SELECT COUNT(*) FROM texts")) && query.next()
                   ? query.value(0).toInt()
                   : -1;
    }

private:
    static constexpr const char* kName = "other";
};

} // namespace

class HistoryThreadQtTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir temp_;
    int folders_ = 0;

    // A history thread over a new folder whose database waits `busyMs` for a lock.
    std::unique_ptr<HistoryThread> Thread(RecordingReporter& reporter, QString& path,
                                          int busyMs = 1000) {
        const std::string folder =
            QDir(temp_.path()).filePath(QString::number(++folders_)).toStdString();
        path = QDir(QString::fromStdString(folder)).filePath(QStringLiteral("historie.sqlite"));
        return std::make_unique<HistoryThread>(
            [folder, busyMs](Reporter& r) {
                return std::make_unique<HistoryDatabase>(folder, r, HistoryDatabase::FreeSpace{},
                                                         busyMs);
            },
            reporter);
    }

    static std::vector<LessonResult> Lessons(HistoryThread& thread) {
        QObject receiver;
        std::optional<std::vector<LessonResult>> answer;
        thread.Ask<std::vector<LessonResult>>(
            &receiver, [](const HistoryQueries& q) { return q.LessonRows(); },
            [&](std::vector<LessonResult> rows) { answer = std::move(rows); });
        if (!QTest::qWaitFor([&] { return answer.has_value(); }, 60000)) {
            return {};
        }
        return *answer;
    }

private slots:
    // Another program holds the lock from before the history is first used: the text and the
    // question wait on the history's thread, the caller goes on, and the pupil is told once.
    void aTextWaitsForAnotherProgramsLockWithoutHoldingUpTheCaller() {
        RecordingReporter reporter;
        QString path;
        auto thread = Thread(reporter, path, 50);
        {
            HistoryDatabase earlier(QFileInfo(path).path().toStdString(), reporter);
            earlier.Record(Text(1));
        }
        std::optional<OtherProgram> other(std::in_place, path);
        QVERIFY(other->Lock());

        thread->Record(Text(2));
        QObject receiver;
        std::optional<std::size_t> lessons;
        thread->Ask<std::vector<LessonResult>>(
            &receiver, [](const HistoryQueries& q) { return q.LessonRows(); },
            [&](std::vector<LessonResult> rows) { lessons = rows.size(); });
        QTRY_COMPARE_WITH_TIMEOUT(reporter.reports.size(), std::size_t{1}, 60000);
        QCOMPARE(reporter.reports[0].helpTopic, std::string("HISTORY"));
        QVERIFY(QString::fromStdString(reporter.reports[0].Utf8())
                    .startsWith(QString::fromUtf8("Historii psaní má právě zamčenou jiný program. "
                                                  "Výsledky se do ní zapíší, jakmile ji "
                                                  "uvolní.")));
        QCOMPARE(other->Texts(), 1);
        QVERIFY(!lessons);

        other.reset(); // lets go
        QTRY_VERIFY_WITH_TIMEOUT(lessons == std::size_t{2}, 60000);
        QCOMPARE(reporter.reports.size(), std::size_t{1});
    }

    void anAnswerForAWindowThatHasGoneIsDropped() {
        RecordingReporter reporter;
        QString path;
        auto thread = Thread(reporter, path);
        thread->Record(Text(1));
        int answered = 0;
        auto* gone = new QObject;
        thread->Ask<std::vector<LessonResult>>(
            gone, [](const HistoryQueries& q) { return q.LessonRows(); },
            [&](std::vector<LessonResult>) { ++answered; });
        delete gone; // before the event loop could hand it anything
        QCOMPARE(Lessons(*thread).size(), std::size_t{1});
        QCOMPARE(answered, 0);
    }

    void theEndWritesWhatIsStillQueued() {
        RecordingReporter reporter;
        QString path;
        auto thread = Thread(reporter, path);
        for (int lesson = 1; lesson <= 40; ++lesson) {
            thread->Record(Text(lesson));
        }
        thread.reset();
        OtherProgram other(path);
        QCOMPARE(other.Texts(), 40);
        QVERIFY(reporter.reports.empty());
    }
};

QTEST_GUILESS_MAIN(HistoryThreadQtTest)
#include "HistoryThreadQtTest.moc"
