// The class queue in the history's file: results come back oldest first, an id queued twice
// stays once, what was sent is forgotten, and the queue outlives its store; a connection that
// finds the file brought on by another while it waited for the lock leaves it as it is.

#include "ClassQueueStore.h"
#include "HistoryDatabase.h"
#include "HistoryFailure.h"
#include "HistorySchema.h"
#include "RecordingReporter.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <string>
#include <vector>

class ClassQueueStoreQtTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    [[nodiscard]] std::string Folder(const char* name) const {
        return dir_.filePath(QLatin1String(name)).toStdString();
    }

private slots:
    void resultsWaitOldestFirstOnceEachAndOutliveTheStore() {
        const std::string folder = Folder("queue");
        RecordingReporter reporter;
        {
            ClassQueueStore queue(folder, reporter);
            QVERIFY(queue.Add({"b", "{\"n\":1}"}));
            QVERIFY(queue.Add({"a", "{\"n\":2}"}));
            QVERIFY(queue.Add({"b", "{\"n\":3}"})); // already queued: kept as it was
            QCOMPARE(queue.Count(), 2);
        }
        ClassQueueStore again(folder, reporter);
        QVERIFY(again.Oldest(5) ==
                (std::vector<QueuedResult>{{"b", "{\"n\":1}"}, {"a", "{\"n\":2}"}}));
        QVERIFY(again.Remove({"b"}));
        QVERIFY(again.Oldest(5) == (std::vector<QueuedResult>{{"a", "{\"n\":2}"}}));
        QVERIFY(reporter.reports.empty());
    }

    // Two connections may find one new file at once (the history's and the class queue's): the
    // one that waited for the lock reads the version again and leaves the file as it finds it.
    void aMigrationThatWaitedForTheLockFindsTheFileBroughtOn() {
        RecordingReporter reporter;
        HistoryDatabase history(Folder("twice"), reporter);
        QCOMPARE(history.Open(), HistoryDatabase::Access::ReadWrite);
        bool failed = false;
        int version = -1;
        {
            QSqlDatabase late =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("late"));
            late.setDatabaseName(history.Path());
            QVERIFY(late.open());
            try {
                HistorySchema::Migrate(late, 0); // as read before the other's migration
            } catch (const HistoryFailure&) {
                failed = true;
            }
            QSqlQuery query(late);
            if (query.exec(QStringLiteral("PRAGMA user_version")) && query.next()) {
                version = query.value(0).toInt();
            }
            query.finish();
            late.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("late"));
        QVERIFY(!failed);
        QCOMPARE(version, HistorySchema::kVersion);
        QVERIFY(reporter.reports.empty());
    }
};

QTEST_GUILESS_MAIN(ClassQueueStoreQtTest)
#include "ClassQueueStoreQtTest.moc"
