// The "Můj pokrok" window, loaded from its plugin as the program loads it: the lessons'
// table, the filter of the plots, the CSV export, and one window for repeated openings.

#include "Cp1250.h"
#include "ListHistoryStore.h"
#include "ProgressWindowLoader.h"
#include "RecordingReporter.h"

#include <QChartView>
#include <QComboBox>
#include <QLineSeries>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>

namespace {

constexpr int64_t kDay = 24 * 3600;
constexpr int64_t kMonday = 1741564800 + 16 * 3600; // 2025-03-10 16:00 UTC

HistoryRecord Text(int lesson, int day, int speed, int errors, bool passed) {
    HistoryRecord r;
    r.endedAt = kMonday + day * kDay + lesson * 600;
    r.lesson = lesson;
    r.qwertz = true;
    r.keystrokes = 900;
    r.correct = 900 - errors;
    r.errors = errors;
    r.typingMs = 900 * 60000 / std::max(1, speed);
    r.averageSpeed = speed + errors;
    r.absoluteSpeed = speed;
    r.errorGrade = errors <= 9 ? 1 : errors <= 18 ? 2 : 3;
    r.speedGrade = passed ? 2 : 4;
    r.passed = passed;
    return r;
}

// A few weeks of a pupil working through lessons 1 to 10, with repeats and one own text.
std::vector<HistoryRecord> FewWeeks() {
    std::vector<HistoryRecord> records;
    int day = 0;
    for (int lesson = 1; lesson <= 10; ++lesson) {
        const int base = 35 + lesson * 6;
        records.push_back(Text(lesson, day, base - 12, 30 - lesson, false));
        records.push_back(Text(lesson, day + 1, base, 14 - lesson, lesson != 7));
        if (lesson % 3 == 0) {
            records.push_back(Text(lesson, day + 2, base + 5, 6, true));
        }
        day += lesson % 2 == 0 ? 3 : 2;
    }
    HistoryRecord own = Text(-1, day, 90, 27, false);
    own.qwertz = false;
    own.fileName = "/home/žák/Básně.txt";
    records.push_back(own);
    int64_t id = 0;
    for (HistoryRecord& r : records) {
        r.id = ++id;
    }
    return records;
}

} // namespace

class ProgressWindowQtTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        ::setenv("TZ", "UTC", 1);
        ::tzset();
    }

    void showsTheLessonsFiltersThePlotsAndExportsTheHistory() {
        ListHistoryStore history;
        history.records = FewWeeks();
        RecordingReporter reporter;
        ProgressWindowLoader loader(history, reporter, {QStringLiteral(KLAPTOS_BIN_DIR)});
        QWidget* window = loader.Show(nullptr);
        QVERIFY2(window != nullptr,
                 reporter.reports.empty() ? "" : reporter.reports[0].Utf8().c_str());
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->windowTitle(), QString::fromUtf8("Můj pokrok"));

        auto* table = window->findChild<QTableWidget*>(QStringLiteral("TableLekce"));
        QCOMPARE(table->rowCount(), 10);
        QStringList row7;
        QStringList row9;
        for (int column = 0; column < table->columnCount(); ++column) {
            row7 << table->item(6, column)->text();
            row9 << table->item(8, column)->text();
        }
        // Lesson 7 is not passed (its last evaluation did not recommend going on); lesson 9
        // was passed on its third try, the best.
        QCOMPARE(row7,
                 (QStringList{QString::fromUtf8("Lekce 7"),
                              QString::fromUtf8("77 úhozů/min, 0,7 % chyb"), "26. 3. 2025",
                              QString::fromUtf8("77 úhozů/min, 0,7 % chyb"), "26. 3. 2025", "2"}));
        QCOMPARE(row9,
                 (QStringList{QString::fromUtf8("Lekce 9 ✓"),
                              QString::fromUtf8("94 úhozů/min, 0,6 % chyb"), "1. 4. 2025",
                              QString::fromUtf8("94 úhozů/min, 0,6 % chyb"), "1. 4. 2025", "3"}));

        auto* combo = window->findChild<QComboBox*>(QStringLiteral("ComboFiltr"));
        QCOMPARE(combo->count(), 12);
        QCOMPARE(combo->itemText(0), QString::fromUtf8("Všechny texty"));
        QCOMPARE(combo->itemText(11), QString::fromUtf8("Vlastní texty"));
        auto* speedView = window->findChild<QChartView*>(QStringLiteral("ChartRychlost"));
        auto* speed = qobject_cast<QLineSeries*>(speedView->chart()->series().at(0));
        QCOMPARE(speed->count(), static_cast<int>(history.records.size()));
        combo->setCurrentIndex(combo->findText(QStringLiteral("Lekce 9")));
        QCOMPARE(speed->points(), (QList<QPointF>{{(kMonday + 20 * kDay + 5400) * 1000.0, 77},
                                                  {(kMonday + 21 * kDay + 5400) * 1000.0, 89},
                                                  {(kMonday + 22 * kDay + 5400) * 1000.0, 94}}));

        if (const char* shot = std::getenv("KLAPTOS_SHOT")) {
            combo->setCurrentIndex(0);
            window->grab().save(QString::fromLocal8Bit(shot));
        }

        QTemporaryDir dir;
        const QString csvPath = dir.filePath(QStringLiteral("historie.csv"));
        bool written = false;
        QVERIFY(QMetaObject::invokeMethod(window, "ExportCsv", Q_RETURN_ARG(bool, written),
                                          Q_ARG(QString, csvPath)));
        QVERIFY(written);
        QFile csv(csvPath);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(csv.readAll()).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), static_cast<int>(history.records.size()) + 2); // header, last CR LF
        QVERIFY(lines[0].startsWith(QString::fromUtf8("Konec,Lekce,Rozložení,Soubor,Úhozy")));
        QCOMPARE(lines[1],
                 QStringLiteral("2025-03-10 16:10:00,1,QWERTZ,,900,871,29,1862068,58,29,3,4,ne"));
        QVERIFY(lines[lines.size() - 2].contains(QString::fromUtf8(",/home/žák/Básně.txt,")));

        // Asked again, the same window comes forward, showing texts finished meanwhile.
        window->hide();
        history.records.push_back(Text(11, 40, 100, 5, true));
        QCOMPARE(loader.Show(nullptr), window);
        QCOMPARE(table->rowCount(), 11);
        QVERIFY(reporter.reports.empty());
        window->close();
    }

    void aMissingPluginIsReportedAndOpensNothing() {
        ListHistoryStore history;
        RecordingReporter reporter;
        ProgressWindowLoader loader(history, reporter, {QStringLiteral("/nonexistent")});
        QCOMPARE(loader.Show(nullptr), nullptr);
        QCOMPARE(reporter.reports.size(), std::size_t{1});
        QVERIFY(QString::fromStdString(reporter.reports[0].Utf8())
                    .startsWith(QString::fromUtf8("Okno „Můj pokrok“ nelze otevřít")));
    }
};

QTEST_MAIN(ProgressWindowQtTest)
#include "ProgressWindowQtTest.moc"
