// The history's SQLite file: records come back as they were stored, earlier versions are taken
// on, the errors per character go with their text, and a file that cannot be kept as usual (a
// damaged one, a folder, a pipe or a device in its place, a version the program does not know, a
// read-only one, a full disk, a program killed while writing) never loses a committed text, is
// left as it is where it is not ours to change, and is told once in its own words.

#include "HistoryDatabase.h"
#include "HistorySchema.h"
#include "RecordingReporter.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <climits>
#include <csignal>
#include <functional>
#include <random>
#include <string>
#include <sys/resource.h>
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

// Runs statements on the file through a connection of its own; the first column of the last
// statement's first row.
QString Sql(const QString& path, const QStringList& statements) {
    QString value;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peek"));
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10"));
        if (db.open()) {
            QSqlQuery query(db);
            for (const QString& statement : statements) {
                if (!query.exec(statement)) {
                    value = QStringLiteral("failed: ") + query.lastError().text();
                    break;
                }
                value = query.next() ? query.value(0).toString() : QString();
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

// Runs `body` in a child process, as the user "nobody" when `asNobody`, and returns what it
// wrote; tests run as root, who may write anything.
std::string InChild(bool asNobody, const std::function<std::string()>& body) {
    int out[2];
    if (::pipe(out) != 0) {
        return "no pipe";
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(out[0]);
        if (asNobody && ::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(2);
        }
        const std::string result = body();
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
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? result : "child failed";
}

std::string Reports(const RecordingReporter& reporter) {
    std::string text;
    for (const auto& report : reporter.reports) {
        text += report.Utf8() + (report.helpTopic == "HISTORY" ? "" : " [no history help]") + "\n";
    }
    return text;
}

std::vector<HistoryRecord> Newest(HistoryDatabase& database, int count = 100) {
    const HistoryQueries* queries = database.Queries();
    return queries != nullptr ? queries->Attempts(0, nullptr, count) : std::vector<HistoryRecord>{};
}

} // namespace

class HistoryDatabaseQtTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir temp_;
    [[nodiscard]] std::string Folder(const char* name) const {
        return QDir(temp_.path()).filePath(QString::fromLatin1(name)).toStdString();
    }
    static QString FileIn(const std::string& folder) {
        return QDir(QString::fromStdString(folder)).filePath(QStringLiteral("historie.sqlite"));
    }
    // A history of the given version, written as that version of the program wrote it.
    static void WriteOldHistory(const QString& path, int version) {
        QDir().mkpath(QFileInfo(path).path());
        QStringList statements{
            "CREATE TABLE texts (id INTEGER PRIMARY KEY, ended_at INTEGER NOT NULL, lesson "
            "INTEGER NOT NULL, qwertz INTEGER NOT NULL, file_name TEXT NOT NULL, keystrokes "
            "INTEGER NOT NULL, correct INTEGER NOT NULL, errors INTEGER NOT NULL, typing_ms "
            "INTEGER NOT NULL, average_speed INTEGER NOT NULL, absolute_speed INTEGER NOT NULL, "
            "error_grade INTEGER NOT NULL, speed_grade INTEGER NOT NULL, passed INTEGER NOT "
            "NULL)",
            "CREATE INDEX texts_by_lesson ON texts (lesson, qwertz, ended_at)",
            "INSERT INTO texts VALUES (1, 1741780800, 3, 0, '', 500, 493, 7, 345678, 120, 118, 2, "
            "1, 1)",
            "INSERT INTO texts VALUES (2, 1741780850, -1, 0, "
            "'/home/žák/.local/share/klaptos/procviceni.txt', 500, 493, 7, 345678, 120, 118, 2, "
            "1, 0)",
            QStringLiteral("PRAGMA user_version=%1").arg(version)};
        if (version >= 2) {
            statements.insert(4, "CREATE TABLE key_errors (text_id INTEGER NOT NULL REFERENCES "
                                 "texts(id) ON DELETE CASCADE, character INTEGER NOT NULL, "
                                 "errors INTEGER NOT NULL, PRIMARY KEY (text_id, character)) "
                                 "WITHOUT ROWID");
            statements.insert(5, "INSERT INTO key_errors VALUES (1, 115, 7)");
        }
        Sql(path, statements);
    }

private slots:
    void recordsComeBackWholeFromANewHistoryInAFolderNotYetMade() {
        const std::string folder = Folder("new/klaptos");
        RecordingReporter reporter;
        std::vector<HistoryRecord> stored{Text(1741780800, 5, 600), Text(1741780900, -1, 1200),
                                          Text(1741780700, 14, 800)};
        stored[0].keyErrors = {{'k', 2}, {10, 4}, {0xf8, 1}}; // Enter and ř among them
        stored[1].practiceOf = 4;
        stored[2].keyErrors = {{'a', 7}};
        {
            HistoryDatabase database(folder, reporter);
            for (const HistoryRecord& r : stored) {
                database.Record(r);
            }
        }
        HistoryDatabase again(folder, reporter);
        // Newest first, each with its row number.
        stored[0].id = 1;
        stored[1].id = 2;
        stored[2].id = 3;
        QVERIFY(Newest(again) == (std::vector<HistoryRecord>{stored[1], stored[0], stored[2]}));
        QCOMPARE(Reports(reporter), std::string());
        QCOMPARE(Sql(again.Path(), {"PRAGMA user_version"}),
                 QString::number(HistorySchema::kVersion));
        QCOMPARE(Sql(again.Path(), {"PRAGMA journal_mode"}), QStringLiteral("wal"));
    }

    // A history written before errors were counted per character, or before practice texts
    // were known, keeps its texts, learns which were practice texts, and takes new texts.
    void earlierVersionsAreTakenOnWithTheirTexts() {
        for (int version : {1, 2}) {
            const std::string folder = Folder(version == 1 ? "version1" : "version2");
            WriteOldHistory(FileIn(folder), version);
            RecordingReporter reporter;
            HistoryDatabase database(folder, reporter);
            HistoryRecord added = Text(1741780900, 3, 500);
            added.keyErrors = {{'s', 3}};
            database.Record(added);
            added.id = 3;

            HistoryRecord old = Text(1741780800, 3, 500);
            old.qwertz = false;
            old.id = 1;
            if (version == 2) {
                old.keyErrors = {{'s', 7}};
            }
            HistoryRecord practice = Text(1741780850, -1, 500);
            practice.fileName = "/home/žák/.local/share/klaptos/procviceni.txt";
            practice.practiceOf = 0;
            practice.passed = false;
            practice.id = 2;
            QVERIFY(Newest(database) == (std::vector<HistoryRecord>{added, practice, old}));
            QCOMPARE(Reports(reporter), std::string());
            QCOMPARE(Sql(database.Path(), {"PRAGMA user_version"}),
                     QString::number(HistorySchema::kVersion));
        }
    }

    // The texts' errors per character go with their text: the connection switches foreign keys
    // on, so that ON DELETE CASCADE holds.
    void deletingATextDeletesItsErrorsPerCharacter() {
        const std::string folder = Folder("cascade");
        RecordingReporter reporter;
        HistoryDatabase database(folder, reporter);
        HistoryRecord first = Text(1741780800, 5, 600);
        first.keyErrors = {{'k', 2}, {'l', 1}};
        HistoryRecord second = Text(1741780900, 5, 600);
        second.keyErrors = {{'k', 4}};
        database.Record(first);
        database.Record(second);
        QStringList ours;
        for (const QString& name : QSqlDatabase::connectionNames()) {
            if (name.startsWith(QStringLiteral("klaptos-history-"))) {
                ours << name;
            }
        }
        QCOMPARE(ours.size(), 1);
        QSqlQuery query(QSqlDatabase::database(ours[0], false));
        QVERIFY(query.exec(QStringLiteral("PRAGMA foreign_keys")) && query.next());
        QCOMPARE(query.value(0).toInt(), 1);
        QVERIFY(query.exec(QStringLiteral("DELETE FROM texts WHERE id = 1")));
        QVERIFY(query.exec(QStringLiteral("SELECT text_id, COUNT(*) FROM key_errors GROUP BY "
                                          "text_id")));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toInt(), 2);
        QVERIFY(!query.next());
    }

    void aDamagedFileIsMovedAsideAndANewHistoryBegins() {
        const std::string folder = Folder("damaged");
        QDir().mkpath(QString::fromStdString(folder));
        RecordingReporter reporter;
        HistoryDatabase database(folder, reporter);
        const QByteArray garbage(5000, '\x5a');
        {
            QFile file(database.Path());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(garbage);
        }
        database.Record(Text(1741780800, 3, 500));
        database.Record(Text(1741780900, 4, 500));
        QCOMPARE(Newest(database).size(), std::size_t{2});

        QCOMPARE(reporter.reports.size(), std::size_t{1});
        QCOMPARE(reporter.reports[0].helpTopic, std::string("HISTORY"));
        const QString message = QString::fromStdString(reporter.reports[0].Utf8());
        QVERIFY2(message.contains(QString::fromUtf8("poškozený")), qPrintable(message));
        const QStringList aside = QDir(QString::fromStdString(folder))
                                      .entryList({QStringLiteral("historie.sqlite.poskozena-*")});
        QCOMPARE(aside.size(), 1);
        QVERIFY(message.contains(aside[0]));
        QCOMPARE(ReadFile(QDir(QString::fromStdString(folder)).filePath(aside[0])), garbage);
    }

    // A folder, a named pipe or /dev/null in the file's place: told once in the program's own
    // words, nothing waits on the pipe, and nothing in its place is touched.
    void somethingElseInThePlaceOfTheFileMeansNoHistoryToldOnce_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("told");
        const QString notKept = QString::fromUtf8("Historie psaní se nezaznamenává: ");
        QTest::newRow("folder") << "folder"
                                << notKept + QString::fromUtf8("místo souboru historie je složka.");
        const QString device = notKept + QString::fromUtf8("místo souboru historie je zařízení "
                                                           "nebo roura, ne soubor databáze.");
        QTest::newRow("pipe") << "pipe" << device;
        QTest::newRow("/dev/null") << "null" << device;
    }
    void somethingElseInThePlaceOfTheFileMeansNoHistoryToldOnce() {
        QFETCH(QString, kind);
        QFETCH(QString, told);
        const std::string folder = Folder(qPrintable(QStringLiteral("other-") + kind));
        QDir().mkpath(QString::fromStdString(folder));
        RecordingReporter reporter;
        HistoryDatabase database(folder, reporter);
        const QByteArray path = database.Path().toLocal8Bit();
        if (kind == QStringLiteral("folder")) {
            QVERIFY(QDir().mkpath(database.Path()));
        } else if (kind == QStringLiteral("pipe")) {
            QVERIFY(::mkfifo(path.constData(), 0644) == 0);
        } else {
            QVERIFY(::symlink("/dev/null", path.constData()) == 0);
        }
        database.Record(Text(1741780800, 3, 500));
        database.Record(Text(1741780900, 3, 500));
        QVERIFY(database.Queries() == nullptr);
        QCOMPARE(Reports(reporter),
                 (told + QStringLiteral("\r\n") + database.Path() + "\n").toStdString());
        QCOMPARE(QDir(QString::fromStdString(folder))
                     .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("historie.sqlite")});
    }

    // A version below 0 or above this program's is one it does not know: the file is left as it
    // is, no transaction stays open, nothing is thrown, and it is told once.
    void aVersionTheProgramDoesNotKnowIsLeftAloneAndToldOnce_data() {
        QTest::addColumn<int>("version");
        QTest::newRow("-1") << -1;
        QTest::newRow("INT_MIN") << INT_MIN;
        QTest::newRow("newer") << HistorySchema::kVersion + 1;
    }
    void aVersionTheProgramDoesNotKnowIsLeftAloneAndToldOnce() {
        QFETCH(int, version);
        const std::string folder = Folder(qPrintable(QStringLiteral("unknown%1").arg(version)));
        const QString path = FileIn(folder);
        WriteOldHistory(path, 2);
        Sql(path, {QStringLiteral("PRAGMA user_version=%1").arg(version)});
        const QByteArray before = ReadFile(path);
        RecordingReporter reporter;
        HistoryDatabase database(folder, reporter);
        database.Record(Text(1741780900, 4, 500));
        QVERIFY(database.Queries() == nullptr);
        database.Record(Text(1741781000, 5, 500));
        QCOMPARE(Reports(reporter),
                 QString::fromUtf8("Historie psaní se nezaznamenává: soubor historie má verzi %1, "
                                   "kterou tento program nezná; zapsala ho asi novější verze "
                                   "programu. Soubor zůstává, jak je.\r\n%2\n")
                     .arg(version)
                     .arg(path)
                     .toStdString());
        // Another program may write at once: no lock was left behind.
        QCOMPARE(Sql(path, {"BEGIN IMMEDIATE", "ROLLBACK"}), QString());
        QCOMPARE(ReadFile(path), before);
    }

    // A history the pupil may not change is shown, not written; the pupil is told once.
    void aReadOnlyHistoryIsReadButNotWritten_data() {
        QTest::addColumn<bool>("folderReadOnly");
        QTest::newRow("file 444") << false;
        QTest::newRow("read-only folder") << true;
    }
    void aReadOnlyHistoryIsReadButNotWritten() {
        QFETCH(bool, folderReadOnly);
        const std::string folder = Folder(folderReadOnly ? "readonly-folder" : "readonly-file");
        {
            RecordingReporter reporter;
            HistoryDatabase database(folder, reporter);
            database.Record(Text(1741780800, 3, 500));
            database.Record(Text(1741780850, 3, 500));
        }
        const QString path = FileIn(folder);
        const QByteArray before = ReadFile(path);
        const QStringList filesBefore = QDir(QString::fromStdString(folder)).entryList(QDir::Files);
        QVERIFY(::chmod(temp_.path().toLocal8Bit().constData(), 0755) == 0);
        QVERIFY(::chown(folder.c_str(), folderReadOnly ? 0 : 65534, 0) == 0);
        QVERIFY(::chmod(folder.c_str(), folderReadOnly ? 0555 : 0755) == 0);
        QVERIFY(::chmod(path.toLocal8Bit().constData(), 0444) == 0);

        const std::string result = InChild(true, [&] {
            RecordingReporter reporter;
            HistoryDatabase database(folder, reporter);
            database.Record(Text(1741780900, 4, 500));
            const std::size_t shown = Newest(database).size();
            const HistoryQueries* queries = database.Queries();
            const std::size_t lessons = queries != nullptr ? queries->LessonRows().size() : 0;
            database.Record(Text(1741781000, 5, 500));
            return std::to_string(shown) + " " + std::to_string(lessons) + "\n" + Reports(reporter);
        });
        ::chmod(folder.c_str(), 0755);
        QCOMPARE(result,
                 "2 1\n" + QString::fromUtf8(
                               "Historie psaní je jen pro čtení: soubor historie nebo jeho složka "
                               "se nesmí měnit. Okno „Můj pokrok“, export do CSV a volba lekce "
                               "ukazují, co v historii je, ale nové texty se do ní "
                               "nezaznamenávají.\r\n%1\n")
                               .arg(path)
                               .toStdString());
        QCOMPARE(ReadFile(path), before);
        QCOMPARE(QDir(QString::fromStdString(folder)).entryList(QDir::Files), filesBefore);
    }

    // A write that finds the disk full fails as an I/O error or as SQLITE_FULL; either way, with
    // no room left, the pupil reads that the disk is full, and the history keeps what it had.
    void aFullDiskIsToldAsAFullDisk() {
        const std::string folder = Folder("full");
        {
            RecordingReporter reporter;
            HistoryDatabase database(folder, reporter);
            database.Record(Text(1741780800, 3, 500));
        }
        const std::string result = InChild(false, [&] {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{512, 512};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            RecordingReporter reporter;
            HistoryDatabase database(folder, reporter,
                                     [](const QString&) { return int64_t{4096}; });
            database.Record(Text(1741780900, 4, 500));
            database.Record(Text(1741781000, 5, 500));
            return Reports(reporter);
        });
        QCOMPARE(result, QString::fromUtf8("Výsledek se do historie psaní nezapsal, protože disk "
                                           "je plný. Uvolněte na disku místo, další texty se pak "
                                           "zase zaznamenají.\r\n%1\n")
                             .arg(FileIn(folder))
                             .toStdString());
        RecordingReporter reporter;
        HistoryDatabase database(folder, reporter);
        QCOMPARE(Newest(database).size(), std::size_t{1});
        QCOMPARE(Reports(reporter), std::string());
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
                HistoryDatabase database(folder, reporter);
                for (int seq = 1;; ++seq) {
                    database.Record(Text(1741780800 + round, round + 1, seq));
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
            HistoryDatabase database(folder, reporter);
            std::vector<HistoryRecord> records = Newest(database, 1000000);
            std::reverse(records.begin(), records.end());
            QCOMPARE(Reports(reporter), std::string());
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

QTEST_GUILESS_MAIN(HistoryDatabaseQtTest)
#include "HistoryDatabaseQtTest.moc"
