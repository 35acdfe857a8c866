// The history through its plugin, as the program keeps it: the store comes from the staged
// klaptos_history.so (this test, like the program, does not link Qt SQL), and without a
// loadable plugin nothing is kept and the pupil is told once.

#include "LazyHistoryStore.h"
#include "RecordingReporter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <string>

namespace {

HistoryRecord Text(int64_t endedAt, int lesson) {
    HistoryRecord r;
    r.endedAt = endedAt;
    r.lesson = lesson;
    r.keystrokes = 300;
    r.correct = 297;
    r.errors = 3;
    r.typingMs = 150000;
    r.averageSpeed = 120;
    r.absoluteSpeed = 118;
    r.passed = true;
    r.keyErrors = {{'j', 2}, {0xe8, 1}}; // č among them
    return r;
}

} // namespace

class LazyHistoryStoreQtTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir temp_;
    const QString binDir_ = QStringLiteral(KLAPTOS_BIN_DIR);

    // A folder holding a klaptos_history.so that is not a plugin at all.
    [[nodiscard]] QString BrokenPluginDir() const {
        const QString dir = QDir(temp_.path()).filePath(QStringLiteral("broken"));
        QDir().mkpath(dir);
        QFile file(QDir(dir).filePath(QStringLiteral("klaptos_history.so")));
        if (file.open(QIODevice::WriteOnly)) {
            file.write("not a library");
        }
        return dir;
    }

private slots:
    void textsAreKeptThroughThePluginPastABrokenCopyOfIt() {
        const std::string folder =
            QDir(temp_.path()).filePath(QStringLiteral("pupil")).toStdString();
        const QStringList dirs{QDir(temp_.path()).filePath(QStringLiteral("none")),
                               BrokenPluginDir(), binDir_};
        RecordingReporter reporter;
        std::vector<HistoryRecord> stored{Text(1741780800, 3), Text(1741780900, 4)};
        {
            LazyHistoryStore store(folder, reporter, dirs);
            // Nothing is loaded or made before the history is first used.
            QVERIFY(!QFileInfo::exists(QString::fromStdString(folder)));
            for (const HistoryRecord& r : stored) {
                store.Record(r);
            }
        }
        LazyHistoryStore again(folder, reporter, dirs);
        stored[0].id = 1;
        stored[1].id = 2;
        QVERIFY(again.Records() == stored);
        QVERIFY(reporter.reports.empty());
        QVERIFY(QFileInfo::exists(
            QDir(QString::fromStdString(folder)).filePath(QStringLiteral("historie.sqlite"))));
    }

    void withoutALoadablePluginNothingIsKeptAndThePupilIsToldOnce() {
        const std::string folder =
            QDir(temp_.path()).filePath(QStringLiteral("lost")).toStdString();
        for (const QStringList& dirs :
             {QStringList{}, QStringList{QDir(temp_.path()).filePath(QStringLiteral("none"))},
              QStringList{BrokenPluginDir()}}) {
            RecordingReporter reporter;
            LazyHistoryStore store(folder, reporter, dirs);
            store.Record(Text(1741780800, 1));
            QVERIFY(store.Records().empty());
            store.Record(Text(1741780900, 2));
            QCOMPARE(reporter.reports.size(), size_t{1});
            QVERIFY(reporter.reports[0].isError);
            const QString message = QString::fromStdString(reporter.reports[0].Utf8());
            QVERIFY2(message.startsWith(QString::fromUtf8(
                         "Historie psaní se nezaznamenává: chybí knihovna klaptos_history.so")),
                     qPrintable(message));
            // The loader's own words say what is wrong with a file that is there.
            QCOMPARE(message.contains(QStringLiteral("broken")),
                     dirs.size() == 1 && dirs[0].endsWith("broken"));
        }
        QVERIFY(!QFileInfo::exists(QString::fromStdString(folder)));
    }
};

QTEST_GUILESS_MAIN(LazyHistoryStoreQtTest)
#include "LazyHistoryStoreQtTest.moc"
