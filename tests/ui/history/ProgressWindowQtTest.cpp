// The "Můj pokrok" window: the attempts plotted one by one with the lesson's expected speed and
// the 2 % limit, the plots aligned, the table of attempts and the lessons' results, words where
// there is too little to plot or no plots' plugin, the window's keys, its place over the main
// window, and the CSV export into the documents folder.

#include "HistoryThread.h"
#include "ProgressPlotsLoader.h"
#include "ProgressWindow.h"
#include "RecordingReporter.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#ifdef KLAPTOS_HAS_CHARTS
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#endif

#include <cstdlib>
#include <memory>
#include <set>

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

// A few weeks of a pupil working through lessons 1 to 10, with repeats, some of them on the
// same day, and one own text.
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
    return records;
}

#ifdef KLAPTOS_HAS_CHARTS
std::vector<HistoryRecord> Many(int count) {
    std::vector<HistoryRecord> records;
    for (int i = 0; i < count; ++i) {
        records.push_back(Text(1 + i % 44, i / 5, 60 + i % 70, i % 30, i % 3 != 0));
    }
    return records;
}
#endif

QString Row(const QAbstractItemModel& model, int row) {
    QStringList cells;
    for (int column = 0; column < model.columnCount(); ++column) {
        cells << model.index(row, column).data().toString();
    }
    return cells.join(QStringLiteral(" | "));
}

} // namespace

class ProgressWindowQtTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir temp_;
    int folders_ = 0;
    RecordingReporter reporter_;
    std::unique_ptr<HistoryThread> history_;
    std::unique_ptr<ProgressPlotsLoader> plots_;
    std::unique_ptr<ProgressWindow> window_;

    // The window over a history holding `records`, shown, with everything it asked for arrived.
    ProgressWindow& Open(const std::vector<HistoryRecord>& records,
                         const QString& pluginDir = QStringLiteral(KLAPTOS_BIN_DIR),
                         QWidget* parent = nullptr) {
        window_.reset();
        history_.reset();
        const std::string folder =
            QDir(temp_.path()).filePath(QString::number(++folders_)).toStdString();
        {
            HistoryDatabase database(folder, reporter_);
            for (const HistoryRecord& r : records) {
                database.Record(r);
            }
        }
        history_ = std::make_unique<HistoryThread>(
            [folder](Reporter& r) { return std::make_unique<HistoryDatabase>(folder, r); },
            reporter_);
        plots_ = std::make_unique<ProgressPlotsLoader>(QStringList{pluginDir});
        window_ = std::make_unique<ProgressWindow>(*history_, *plots_, parent);
        window_->show();
        if (!QTest::qWaitForWindowExposed(window_.get()) ||
            !QTest::qWaitFor([this] { return window_->IsLoaded(); }, 60000)) {
            qFatal("the window did not load");
        }
        return *window_;
    }

    void Shot(const char* name) {
        if (const char* dir = std::getenv("KLAPTOS_SHOT_DIR")) {
            window_->grab().save(QDir(QString::fromLocal8Bit(dir))
                                     .filePath(QStringLiteral("progress-%1.png").arg(name)));
        }
    }

    QLabel* Note() { return window_->findChild<QLabel*>(QStringLiteral("LabelGrafy")); }
    QWidget* Plots() { return window_->findChild<QWidget*>(QStringLiteral("ProgressPlots")); }

private slots:
    void initTestCase() {
        ::setenv("TZ", "UTC", 1);
        ::tzset();
    }

    void cleanup() {
        window_.reset();
        history_.reset();
        QCOMPARE(reporter_.reports.size(), std::size_t{0});
    }

    void showsTheAttemptsAndTheLessonsResults() {
        const std::vector<HistoryRecord> records = FewWeeks();
        ProgressWindow& window = Open(records);
        QCOMPARE(window.windowTitle(), QString::fromUtf8("Můj pokrok"));
        Shot("few");

        auto* lessons = window.findChild<QTableWidget*>(QStringLiteral("TableLekce"));
        QCOMPARE(lessons->rowCount(), 10);
        // Lesson 7 is not passed (its last evaluation did not recommend going on); lesson 9 was
        // passed on its third try, the best.
        QCOMPARE(Row(*lessons->model(), 6),
                 QString::fromUtf8("Lekce 7 | 77 úhozů/min, 0,7 % chyb | 26. 3. 2025 | 77 "
                                   "úhozů/min, 0,7 % chyb | 26. 3. 2025 | 2"));
        QCOMPARE(Row(*lessons->model(), 8),
                 QString::fromUtf8("Lekce 9 ✓ | 94 úhozů/min, 0,6 % chyb | 1. 4. 2025 | 94 "
                                   "úhozů/min, 0,6 % chyb | 1. 4. 2025 | 3"));

        auto* combo = window.findChild<QComboBox*>(QStringLiteral("ComboFiltr"));
        QCOMPARE(combo->count(), 12);
        QCOMPARE(combo->itemText(0), QString::fromUtf8("Všechny texty"));
        QCOMPARE(combo->itemText(11), QString::fromUtf8("Vlastní texty a procvičení"));
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("LabelPocet"))->text(),
                 QString::fromUtf8("24 pokusů"));

        // One row per attempt, newest first.
        auto* attempts = window.findChild<QTableView*>(QStringLiteral("TablePokusy"));
        QCOMPARE(attempts->model()->rowCount(), static_cast<int>(records.size()));
        QCOMPARE(attempts->model()->headerData(7, Qt::Horizontal).toString(),
                 QString::fromUtf8("Průměrná\nrychlost"));
        QCOMPARE(Row(*attempts->model(), 0),
                 QString::fromUtf8("4. 4. 2025 15:50 | Vlastní text | 00:10:00 | 900 | 27 | "
                                   "3,0 % | 117 | 90 | ne"));
        QCOMPARE(Row(*attempts->model(), 1),
                 QString::fromUtf8("2. 4. 2025 17:40 | Lekce 10 | 00:09:28 | 900 | 4 | 0,4 % | "
                                   "99 | 95 | ano"));

        combo->setCurrentIndex(combo->findText(QStringLiteral("Lekce 9")));
        QVERIFY(QTest::qWaitFor([&] { return window.IsLoaded(); }, 60000));
        QCOMPARE(attempts->model()->rowCount(), 3);
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("LabelPocet"))->text(),
                 QString::fromUtf8("3 pokusy"));
    }

#ifdef KLAPTOS_HAS_CHARTS
    // Each attempt has a place of its own, also two on one day; the lesson's expected speed and
    // the 2 % limit are drawn; the axis names no date twice; both plots span the same width.
    void plotsEachAttemptBesideItsLimitsOnAlignedAxes() {
        ProgressWindow& window = Open(FewWeeks());
        QVERIFY(Plots()->isVisible());
        QVERIFY(!Note()->isVisible());
        auto* speedView = window.findChild<QChartView*>(QStringLiteral("ChartRychlost"));
        auto* errorView = window.findChild<QChartView*>(QStringLiteral("ChartChybovost"));
        const auto series = [](QChartView* view, const QString& name) {
            for (QAbstractSeries* s : view->chart()->series()) {
                if (s->name() == name) {
                    return static_cast<QLineSeries*>(s);
                }
            }
            return static_cast<QLineSeries*>(nullptr);
        };
        QLineSeries* speed = series(speedView, QString::fromUtf8("rychlost"));
        QCOMPARE(speed->count(), 24);
        for (int i = 0; i < speed->count(); ++i) {
            QCOMPARE(speed->at(i).x(), i + 1.0);
        }
        QCOMPARE(speed->at(0).y(), 29.0);
        QCOMPARE(speed->at(1).y(), 41.0);
        // 50 up to lesson 9, 70 in lesson 10, 130 for the own text, in steps.
        QList<double> expected;
        for (const QPointF& p :
             series(speedView, QString::fromUtf8("očekávaná rychlost lekce"))->points()) {
            if (expected.isEmpty() || expected.last() != p.y()) {
                expected << p.y();
            }
        }
        QCOMPARE(expected, (QList<double>{50, 70, 130}));
        const QList<QPointF> limit =
            series(errorView, QString::fromUtf8("nejvýše 2 % chyb"))->points();
        QCOMPARE(limit.size(), 2);
        QCOMPARE(limit[0].y(), 2.0);
        QCOMPARE(limit[1].y(), 2.0);

        auto* axis = static_cast<QCategoryAxis*>(speedView->chart()->axes(Qt::Horizontal)[0]);
        const QStringList labels = axis->categoriesLabels();
        QVERIFY(labels.size() >= 3);
        QCOMPARE(QSet<QString>(labels.begin(), labels.end()).size(), labels.size());
        QCOMPARE(labels.first(), QStringLiteral("10. 3."));

        const QRectF a = speedView->chart()->plotArea();
        const QRectF b = errorView->chart()->plotArea();
        QCOMPARE(a.left(), b.left());
        QCOMPARE(a.right(), b.right());
        window.resize(window.width() - 100, window.height());
        QVERIFY(QTest::qWaitFor([&] {
            return speedView->chart()->plotArea().right() < a.right() &&
                   speedView->chart()->plotArea().left() == errorView->chart()->plotArea().left() &&
                   speedView->chart()->plotArea().right() == errorView->chart()->plotArea().right();
        }));
    }

    void aLongHistoryIsPlottedInBoundedGroups() {
        ProgressWindow& window = Open(Many(2000));
        Shot("many");
        auto* speedView = window.findChild<QChartView*>(QStringLiteral("ChartRychlost"));
        auto* speed = static_cast<QLineSeries*>(speedView->chart()->series().first());
        QCOMPARE(speed->name(), QString::fromUtf8("rychlost"));
        QCOMPARE(speed->count(), 286); // groups of 7
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("LabelPocet"))->text(),
                 QString::fromUtf8("2000 pokusů (bod grafu je průměr 7 pokusů za sebou)"));
        QCOMPARE(window.findChild<QTableView*>(QStringLiteral("TablePokusy"))->model()->rowCount(),
                 100);
    }
#endif

    void tooLittleToPlotIsSaidInWords() {
        Open({});
        Shot("empty");
        QVERIFY(Note()->isVisible());
        QVERIFY(Plots() == nullptr || !Plots()->isVisible());
        QVERIFY(Note()->text().startsWith(QString::fromUtf8("Historie je zatím prázdná.")));
        QCOMPARE(
            window_->findChild<QTableView*>(QStringLiteral("TablePokusy"))->model()->rowCount(), 0);

        Open({Text(3, 0, 80, 5, true)});
        Shot("one");
        QVERIFY(Note()->isVisible());
        QVERIFY(Note()->text().startsWith(QString::fromUtf8("Zatím jen jeden pokus")));
        QCOMPARE(
            window_->findChild<QTableView*>(QStringLiteral("TablePokusy"))->model()->rowCount(), 1);
    }

    // Qt Charts is optional: without the plugin the window says so and shows its tables.
    void withoutThePlotsPluginTheTablesStillShow() {
        ProgressWindow& window = Open(FewWeeks(), QStringLiteral("/nonexistent"));
        Shot("noplots");
        QVERIFY(Plots() == nullptr);
        QVERIFY(Note()->isVisible());
        QVERIFY(Note()->text().startsWith(
            QString::fromUtf8("Grafy nelze zobrazit: chybí knihovna klaptos_progress.so")));
        QCOMPARE(window.findChild<QTableWidget*>(QStringLiteral("TableLekce"))->rowCount(), 10);
        QCOMPARE(window.findChild<QTableView*>(QStringLiteral("TablePokusy"))->model()->rowCount(),
                 24);
    }

    // Esc closes the window, Enter on its focused "Zavřít" too; every control is reached by Tab
    // and the Alt letters differ.
    void theWindowIsUsedByKeyboardAlone() {
        ProgressWindow& window = Open(FewWeeks());
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(!window.isVisible());

        Open(FewWeeks());
        auto* close = window_->findChild<QPushButton*>(QStringLiteral("ButtonZavrit"));
        close->setFocus();
        QTest::keyClick(close, Qt::Key_Return);
        QVERIFY(!window_->isVisible());
        QCOMPARE(window_->result(), static_cast<int>(QDialog::Accepted));

        Open(FewWeeks());
        // What Tab reaches, from the filter on.
        std::set<QWidget*> reached;
        QWidget* start = window_->findChild<QComboBox*>(QStringLiteral("ComboFiltr"));
        start->setFocus();
        for (int i = 0; i < 20 && reached.insert(QApplication::focusWidget()).second; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        for (const char* name : {"ComboFiltr", "TablePokusy", "ButtonExport", "ButtonZavrit"}) {
            QVERIFY2(reached.count(window_->findChild<QWidget*>(QString::fromLatin1(name))) == 1,
                     name);
        }
        QStringList captions;
        for (const QLabel* label : window_->findChildren<QLabel*>()) {
            if (label->buddy() != nullptr) {
                captions << label->text();
            }
        }
        for (const QPushButton* button : window_->findChildren<QPushButton*>()) {
            captions << button->text();
        }
        const QTabBar* tabs = window_->findChild<QTabWidget*>()->tabBar();
        for (int i = 0; i < tabs->count(); ++i) {
            captions << tabs->tabText(i);
        }
        QString letters;
        for (const QString& caption : captions) {
            const qsizetype amp = caption.indexOf(QLatin1Char('&'));
            QVERIFY2(amp >= 0, qPrintable(caption));
            letters += caption.at(amp + 1).toUpper();
        }
        QCOMPARE(QSet<QChar>(letters.begin(), letters.end()).size(), letters.size());
        QCOMPARE(letters, QStringLiteral("BEZPL"));
        // The tab of the lessons' results by its Alt letter, and its table by Tab.
        QTest::keyClick(window_.get(), Qt::Key_L, Qt::AltModifier);
        auto* lessons = window_->findChild<QTableWidget*>(QStringLiteral("TableLekce"));
        QVERIFY(lessons->isVisible());
        for (int i = 0; i < 10 && QApplication::focusWidget() != lessons; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget(), lessons);
    }

    // It opens centred over the window it belongs to, within the screen.
    void opensOverTheMainWindow() {
        QWidget main;
        const QRect screen = main.screen()->availableGeometry();
        main.setGeometry(screen.left() + 150, screen.top() + 100, 500, 380);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        ProgressWindow& window = Open(FewWeeks(), QStringLiteral(KLAPTOS_BIN_DIR), &main);
        QVERIFY(screen.contains(window.geometry()));
        QRect centred(QPoint(), window.size());
        centred.moveCenter(main.geometry().center());
        centred.moveLeft(
            std::clamp(centred.left(), screen.left(), screen.right() + 1 - centred.width()));
        centred.moveTop(
            std::clamp(centred.top(), screen.top(), screen.bottom() + 1 - centred.height()));
        QVERIFY((window.pos() - centred.topLeft()).manhattanLength() <= 2);
        window_.reset();
    }

    void exportsTheHistoryAsCsvIntoTheDocumentsFolder() {
        const QString home = temp_.filePath(QStringLiteral("home"));
        QVERIFY(QDir().mkpath(home + QStringLiteral("/Documents")));
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("HOME", home.toLocal8Bit());
        const QString offered = ProgressWindow::DefaultCsvPath();
        qputenv("HOME", oldHome);
        QCOMPARE(offered, home + QStringLiteral("/Documents/historie-klaptos.csv"));

        ProgressWindow& window = Open(FewWeeks());
        QSignalSpy exported(&window, &ProgressWindow::Exported);
        window.ExportCsv(offered);
        QVERIFY(exported.wait(60000));
        QCOMPARE(exported.at(0).at(0).toBool(), true);
        QFile csv(offered);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QByteArray bytes = csv.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 24 + 2); // the header, and nothing after the last line end
        QVERIFY(lines[0].startsWith(QString::fromUtf8("Datum a čas konce;Lekce;")));
        QCOMPARE(lines[1], QString::fromUtf8("2025-03-10 16:10:00;1;QWERTZ;;900;871;29;3,2;"
                                             "00:31:02;58;29;3;4;ne"));
        QCOMPARE(lines[24], QString::fromUtf8("2025-04-04 15:50:00;;;/home/žák/Básně.txt;900;873;"
                                              "27;3,0;00:10:00;117;90;3;4;ne"));
    }
};

QTEST_MAIN(ProgressWindowQtTest)
#include "ProgressWindowQtTest.moc"
