// The SQLite history: records come back as they were stored, the schema is created in an
// empty folder, and a history that cannot be kept (garbage, a directory, a read-only file,
// a program killed while writing) never loses a committed text and is reported once.

#include "QtHistoryStore.h"
#include "RecordingReporter.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <random>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

HistoryRecord Text(int64_t endedAt, int lesson, int keystrokes) {
    HistoryRecord r;
    r.endedAt = endedAt;
    r.lesson = lesson;
    r.qwertz = lesson % 2 == 0;
    r.fileName = lesson < 0 ? "/home/žák/Básně.txt" : "";
    r.keystrokes = keystrokes;
    r.correct = keystrokes - 7;
    r.errors = 7;
    r.typingMs = 345678;
    r.averageSpeed = 120;
    r.absoluteSpeed = 118;
    r.errorGrade = 2;
    r.speedGrade = 1;
    r.passed = true;
    return r;
}

// One value a plain query on the history file gives, outside the store.
QString Pragma(const QString& path, const QString& pragma) {
    QString value;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peek"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("PRAGMA ") + pragma) && query.next()) {
                value = query.value(0).toString();
            }
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("peek"));
    return value;
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class QtHistoryStoreQtTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir temp_;
    [[nodiscard]] std::string Folder(const char* name) const {
        return QDir(temp_.path()).filePath(QString::fromLatin1(name)).toStdString();
    }

private slots:
    void recordsComeBackWholeFromANewHistoryInAFolderNotYetMade() {
        const std::string folder = Folder("new/klaptos");
        RecordingReporter reporter;
        std::vector<HistoryRecord> stored{Text(1741780800, 5, 600), Text(1741780900, -1, 1200),
                                          Text(1741780700, 14, 800)};
        stored[0].keyErrors = {{'k', 2}, {10, 4}, {0xf8, 1}}; // Enter and ř among them
        stored[2].keyErrors = {{'a', 7}};
        {
            QtHistoryStore store(folder, reporter);
            for (const HistoryRecord& r : stored) {
                store.Record(r);
            }
        }
        QtHistoryStore again(folder, reporter);
        const std::vector<HistoryRecord> read = again.Records();
        // Oldest first, each with its row number.
        stored[0].id = 1;
        stored[1].id = 2;
        stored[2].id = 3;
        QVERIFY(read == (std::vector<HistoryRecord>{stored[2], stored[0], stored[1]}));
        QVERIFY(reporter.reports.empty());
        QCOMPARE(Pragma(again.Path(), QStringLiteral("user_version")), QStringLiteral("3"));
        QCOMPARE(Pragma(again.Path(), QStringLiteral("journal_mode")), QStringLiteral("wal"));
    }

    // A history written before errors were counted per character keeps its texts and
    // takes texts with counts from then on.
    void aFirstVersionHistoryIsTakenOnWithItsTexts() {
        const std::string folder = Folder("version1");
        const QString path =
            QDir(QString::fromStdString(folder)).filePath(QStringLiteral("historie.sqlite"));
        QVERIFY(QDir().mkpath(QString::fromStdString(folder)));
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("v1"));
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QSqlQuery query(db);
            for (const char* statement :
                 {"CREATE TABLE texts (id INTEGER PRIMARY KEY, ended_at INTEGER NOT NULL, "
                  "lesson INTEGER NOT NULL, qwertz INTEGER NOT NULL, file_name TEXT NOT NULL, "
                  "keystrokes INTEGER NOT NULL, correct INTEGER NOT NULL, errors INTEGER NOT "
                  "NULL, typing_ms INTEGER NOT NULL, average_speed INTEGER NOT NULL, "
                  "absolute_speed INTEGER NOT NULL, error_grade INTEGER NOT NULL, speed_grade "
                  "INTEGER NOT NULL, passed INTEGER NOT NULL)",
                  "INSERT INTO texts VALUES (1, 1741780800, 3, 0, '', 500, 493, 7, 345678, 120, "
                  "118, 2, 1, 1)",
                  "PRAGMA user_version=1"}) {
                QVERIFY2(query.exec(QString::fromLatin1(statement)),
                         qPrintable(query.lastError().text()));
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("v1"));

        RecordingReporter reporter;
        QtHistoryStore store(folder, reporter);
        HistoryRecord old = Text(1741780800, 3, 500);
        old.qwertz = false;
        old.id = 1;
        HistoryRecord added = Text(1741780900, 3, 500);
        added.keyErrors = {{'s', 3}};
        store.Record(added);
        added.id = 2;
        QVERIFY(store.Records() == (std::vector<HistoryRecord>{old, added}));
        QVERIFY(reporter.reports.empty());
        QCOMPARE(Pragma(path, QStringLiteral("user_version")), QStringLiteral("3"));
    }

    void aDamagedFileIsMovedAsideAndANewHistoryBegins() {
        const std::string folder = Folder("damaged");
        QDir().mkpath(QString::fromStdString(folder));
        RecordingReporter reporter;
        QtHistoryStore store(folder, reporter);
        const QByteArray garbage(5000, '\x5a');
        {
            QFile file(store.Path());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(garbage);
        }
        store.Record(Text(1741780800, 3, 500));
        store.Record(Text(1741780900, 4, 500));
        QCOMPARE(store.Records().size(), std::size_t{2});

        QCOMPARE(reporter.reports.size(), std::size_t{1});
        const QString message = QString::fromStdString(reporter.reports[0].Utf8());
        QVERIFY2(message.contains(QString::fromUtf8("poškozený")), qPrintable(message));
        const QStringList aside = QDir(QString::fromStdString(folder))
                                      .entryList({QStringLiteral("historie.sqlite.poskozena-*")});
        QCOMPARE(aside.size(), 1);
        QVERIFY(message.contains(aside[0]));
        QCOMPARE(ReadFile(QDir(QString::fromStdString(folder)).filePath(aside[0])), garbage);
    }

    void aDirectoryInPlaceOfTheFileMeansNoHistoryToldOnce() {
        const std::string folder = Folder("directory");
        RecordingReporter reporter;
        QtHistoryStore store(folder, reporter);
        QVERIFY(QDir().mkpath(store.Path()));
        store.Record(Text(1741780800, 3, 500));
        store.Record(Text(1741780900, 3, 500));
        QVERIFY(store.Records().empty());
        QCOMPARE(reporter.reports.size(), std::size_t{1});
        QVERIFY(reporter.reports[0].isError);
        QCOMPARE(QString::fromStdString(reporter.reports[0].Utf8()),
                 QString::fromUtf8("Historie psaní se nezaznamenává: místo souboru historie je "
                                   "složka.\r\n") +
                     store.Path());
        QVERIFY(QFileInfo(store.Path()).isDir());
    }

    // Tests run as root, who may write anything: the pupil is played by "nobody" in a child.
    void aReadOnlyHistoryIsLeftUntouchedAndToldOnce() {
        const std::string folder = Folder("readonly");
        {
            RecordingReporter reporter;
            QtHistoryStore store(folder, reporter);
            store.Record(Text(1741780800, 3, 500));
        }
        const QString path =
            QDir(QString::fromStdString(folder)).filePath(QStringLiteral("historie.sqlite"));
        const QByteArray before = ReadFile(path);
        QVERIFY(::chmod(temp_.path().toLocal8Bit().constData(), 0755) == 0);
        QVERIFY(::chmod(folder.c_str(), 0555) == 0);
        QVERIFY(::chmod(path.toLocal8Bit().constData(), 0444) == 0);

        int out[2];
        QVERIFY(::pipe(out) == 0);
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            ::close(out[0]);
            if (::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
                ::_exit(2);
            }
            RecordingReporter reporter;
            QtHistoryStore store(folder, reporter);
            store.Record(Text(1741780900, 4, 500));
            store.Record(Text(1741781000, 5, 500));
            std::string result = std::to_string(store.Records().size()) + " " +
                                 std::to_string(reporter.reports.size()) + "\n";
            for (const auto& report : reporter.reports) {
                result += report.Utf8();
            }
            (void)!::write(out[1], result.data(), result.size());
            ::_exit(0);
        }
        ::close(out[1]);
        std::string result;
        char buffer[512];
        for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;) {
            result.append(buffer, static_cast<std::size_t>(n));
        }
        ::close(out[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        ::chmod(folder.c_str(), 0755);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        QVERIFY2(QString::fromStdString(result).startsWith(
                     QString::fromUtf8("0 1\nHistorie psaní se nezaznamenává: soubor historie nebo "
                                       "jeho složka je jen pro čtení.")),
                 result.c_str());
        QCOMPARE(ReadFile(path), before);
    }

    // A program killed at any moment of its writes keeps every text it had committed.
    void killingAWriterLosesNoCommittedText() {
        const std::string folder = Folder("killed");
        std::mt19937 random(20);
        std::uniform_int_distribution<int> delayUs(0, 40000);
        std::size_t rows = 0;
        for (int round = 0; round < 20; ++round) {
            int out[2];
            QVERIFY(::pipe(out) == 0);
            const pid_t child = ::fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                ::close(out[0]);
                RecordingReporter reporter;
                QtHistoryStore store(folder, reporter);
                for (int seq = 1;; ++seq) {
                    store.Record(Text(1741780800 + round, round + 1, seq));
                    // Told only after the commit returned.
                    (void)!::write(out[1], &seq, sizeof seq);
                }
            }
            ::close(out[1]);
            ::usleep(static_cast<useconds_t>(delayUs(random)));
            ::kill(child, SIGKILL);
            int status = 0;
            ::waitpid(child, &status, 0);
            int committed = 0;
            for (int seq; ::read(out[0], &seq, sizeof seq) == sizeof seq;) {
                committed = seq;
            }
            ::close(out[0]);

            RecordingReporter reporter;
            QtHistoryStore store(folder, reporter);
            const std::vector<HistoryRecord> records = store.Records();
            QVERIFY2(reporter.reports.empty(),
                     reporter.reports.empty() ? "" : reporter.reports[0].Utf8().c_str());
            // This round's texts are 1, 2, ... with none missing, at least up to the last told.
            int seen = 0;
            for (std::size_t i = rows; i < records.size(); ++i) {
                QCOMPARE(records[i].lesson, round + 1);
                QCOMPARE(records[i].keystrokes, ++seen);
            }
            QVERIFY2(
                seen >= committed,
                qPrintable(
                    QStringLiteral("round %1: %2 of %3 kept").arg(round).arg(seen).arg(committed)));
            rows = records.size();
        }
        QVERIFY(rows > 20); // the kills did not all fall before the first commit
    }
};

QTEST_GUILESS_MAIN(QtHistoryStoreQtTest)
#include "QtHistoryStoreQtTest.moc"
