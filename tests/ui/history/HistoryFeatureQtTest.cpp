// The history joined to the main window: a text typed to its end is recorded, the lesson dialog
// ticks the passed lessons of the layout chosen, "Můj pokrok" opens from the menu Program and by
// Ctrl+P over the main window with typing stopped while it is open. Nothing of it waits for the
// database: with another program holding its lock the evaluation and the lesson dialog open at
// once and the ticks follow; a history of a version the program does not know stops nothing.

#include "HistoryFeature.h"
#include "HistoryThread.h"
#include "MainWindowRig.h"
#include "ProgressWindow.h"
#include "QtField.h"
#include "RecordingReporter.h"
#include "TFormHOknoPM.h"
#include "TFormKonec.h"
#include "TFormLekce.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>

namespace {

HistoryRecord Lesson(int lesson, bool qwertz, int speed, bool passed) {
    HistoryRecord r;
    r.endedAt = 1741780800 + lesson;
    r.lesson = lesson;
    r.qwertz = qwertz;
    r.keystrokes = 1000;
    r.correct = 990;
    r.errors = 10;
    r.typingMs = 600000;
    r.averageSpeed = speed;
    r.absoluteSpeed = speed;
    r.passed = passed;
    return r;
}

// The lessons the dialog ticks, with their tooltips.
std::map<int, QString> Ticked(const TFormLekce& dialog) {
    std::map<int, QString> ticked;
    for (int item = 0; item < TFormLekce::kLessonCount; ++item) {
        const QAbstractButton* button = dialog.lessonItems->button(item);
        if (dialog.IsTicked(item + 1)) {
            ticked[item + 1] = button->toolTip();
        } else if (!button->toolTip().isEmpty()) {
            qFatal("lesson %d has a tooltip without a tick", item + 1);
        }
    }
    return ticked;
}

// The program's objects around one main window with the history joined, its history in a
// folder of its own.
struct Program {
    explicit Program(const std::vector<HistoryRecord>& earlier = {}) {
        dir.AddLesson(1, "Lekce 1: d f j k", {"fj"});
        if (!earlier.empty()) {
            HistoryDatabase database(dir.Path() + "data", reporter);
            for (const HistoryRecord& r : earlier) {
                database.Record(r);
            }
        }
        history = std::make_unique<HistoryThread>(
            [folder = dir.Path() + "data"](Reporter& r) {
                return std::make_unique<HistoryDatabase>(folder, r, HistoryDatabase::FreeSpace{},
                                                         50);
            },
            reporter);
        feature =
            std::make_unique<HistoryFeature>(*history, rig.meter, rig.store, RecorderSources{},
                                             QStringList{QStringLiteral(KLAPTOS_BIN_DIR)});
        rig.Build({feature.get()});
        rig.answer = [this](QDialog& dialog) {
            shown << QString::fromLatin1(dialog.metaObject()->className());
            return answer ? answer(dialog) : static_cast<int>(TFormKonec::kResultRepeat);
        };
        window->show();
    }
    // The thread goes last: a test may end it early, to wait for its last answers.
    ~Program() {
        window.reset();
        feature.reset();
        history.reset();
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    void TypeLessonOne() {
        QWidget* field = window->findChild<QtField*>(QStringLiteral("EditCisloRadku"));
        QTest::keyClick(window.get(), Qt::Key_F9);
        QTest::keyClicks(field, QStringLiteral("fj"));
        QTest::keyClick(field, Qt::Key_Return);
    }
    [[nodiscard]] QString HistoryFile() const {
        return QString::fromStdString(dir.Path() + "data/historie.sqlite");
    }

    TempLessonDir dir;
    MainWindowRig rig{dir};
    RecordingReporter& reporter = rig.reporter;
    std::unique_ptr<TFormHOknoPM>& window = rig.window;
    std::unique_ptr<HistoryThread> history;
    std::unique_ptr<HistoryFeature> feature;
    // STOP mode, as the status bar shows it; typing shows "* PSANÍ".
    [[nodiscard]] bool Stopped() const {
        return !window->findChild<QLabel*>(QStringLiteral("StatusPanel0"))->text().startsWith(u'*');
    }

    QStringList shown;
    std::function<int(QDialog&)> answer;
};

// Another program that opened the history first and holds its lock, even against readers.
class OtherProgram {
public:
    explicit OtherProgram(const QString& path) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kName);
        db.setDatabaseName(path);
        db.open();
        QSqlQuery query(db);
        locked_ = query.exec(QStringLiteral("PRAGMA locking_mode=EXCLUSIVE")) &&
                  query.exec(QStringLiteral("BEGIN EXCLUSIVE")) &&
                  query.exec(QStringLiteral("DELETE FROM texts WHERE 0"));
    }
    ~OtherProgram() { LetGo(); }
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;

    [[nodiscard]] bool Locked() const { return locked_; }
    void LetGo() {
        if (QSqlDatabase::contains(kName)) {
            QSqlDatabase::database(kName, false).close();
            QSqlDatabase::removeDatabase(kName);
        }
    }

private:
    static constexpr const char* kName = "other";
    bool locked_ = false;
};

int TextsIn(const QString& path) {
    int count = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "count");
        db.setDatabaseName(path);
        QSqlQuery query(db);
        if (db.open() && query.exec(QStringLiteral("SELECT COUNT(*) FROM texts")) && query.next()) {
            count = query.value(0).toInt();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("count"));
    return count;
}

} // namespace

class HistoryFeatureQtTest : public QObject {
    Q_OBJECT

private slots:
    void theHistoryJoinsTheWindowThroughMenuObserverAndLessonDialog() {
        // Lesson 3 is the same on both layouts; 12 and 14 differ between them.
        Program program({Lesson(3, true, 150, true), Lesson(12, false, 140, true),
                         Lesson(14, true, 130, true), Lesson(4, true, 120, false)});
        QVERIFY(QTest::qWaitForWindowExposed(program.window.get()));

        auto* action = program.window->findChild<QAction*>(QStringLiteral("ActionMujPokrok"));
        QVERIFY(action != nullptr);
        QCOMPARE(action->text(), QString::fromUtf8("&Můj pokrok"));
        QCOMPARE(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
        QVERIFY(program.window->menuBar()
                    ->findChild<QMenu*>(QStringLiteral("MenuProgram"))
                    ->actions()
                    .contains(action));

        // Lesson 1 typed to its end is recorded, behind the evaluation.
        program.TypeLessonOne();
        QCOMPARE(program.shown, QStringList{QStringLiteral("TFormKonec")});

        // The lesson dialog opens; its ticks of what was passed on each layout follow.
        std::map<int, QString> qwertzTicks, qwertyTicks;
        program.answer = [&](QDialog& dialog) {
            auto* lessons = qobject_cast<TFormLekce*>(&dialog);
            if (lessons == nullptr) {
                return static_cast<int>(QDialog::Rejected);
            }
            if (!QTest::qWaitFor([&] { return !Ticked(*lessons).empty(); }, 60000)) {
                return static_cast<int>(QDialog::Rejected);
            }
            qwertzTicks = Ticked(*lessons);
            lessons->layoutItems->button(0)->click(); // QWERTY
            qwertyTicks = Ticked(*lessons);
            return static_cast<int>(QDialog::Rejected);
        };
        QTest::keyClick(program.window.get(), Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(program.shown.size(), 2);
        const QString best = QString::fromUtf8("Nejlepší výsledek: ");
        // Lesson 1 was typed too fast for the clock to see: recorded, but not passed.
        QCOMPARE(qwertzTicks.size(), std::size_t{2});
        QVERIFY(qwertzTicks.at(3).startsWith(best + QString::fromUtf8("150 úhozů/min")));
        QVERIFY(qwertzTicks.at(14).startsWith(best + QString::fromUtf8("130 úhozů/min")));
        QCOMPARE(qwertyTicks.size(), std::size_t{2});
        QCOMPARE(qwertyTicks.at(3), qwertzTicks.at(3));
        QVERIFY(qwertyTicks.at(12).startsWith(best + QString::fromUtf8("140 úhozů/min")));
        QVERIFY(program.reporter.reports.empty());
        QCOMPARE(TextsIn(program.HistoryFile()), 5);
    }

    // Typing stops while "Můj pokrok" is in front, as with the window's own windows, and goes on
    // when it closes; it opens over the main window, which owns it.
    void myProgressStopsTypingWhileItIsOpen() {
        Program program({Lesson(3, true, 150, true)});
        QVERIFY(QTest::qWaitForWindowExposed(program.window.get()));
        program.window->move(120, 90);
        std::optional<bool> stoppedMeanwhile;
        QPoint offset;
        bool onScreen = false;
        program.answer = [&](QDialog& dialog) {
            stoppedMeanwhile = program.Stopped();
            dialog.show();
            // Centred on the main window as far as the screen allows.
            const QRect screen = program.window->screen()->availableGeometry();
            const QRect main = program.window->geometry();
            QRect centred(QPoint(), dialog.size());
            centred.moveCenter(main.center());
            centred.moveLeft(
                std::clamp(centred.left(), screen.left(), screen.right() + 1 - centred.width()));
            centred.moveTop(
                std::clamp(centred.top(), screen.top(), screen.bottom() + 1 - centred.height()));
            onScreen = screen.contains(dialog.geometry());
            offset = dialog.geometry().topLeft() - centred.topLeft();
            const bool loaded = QTest::qWaitFor(
                [&] { return static_cast<ProgressWindow&>(dialog).IsLoaded(); }, 60000);
            return loaded ? static_cast<int>(QDialog::Accepted) : -1;
        };
        QTest::keyClick(program.window.get(), Qt::Key_F9);
        QVERIFY(!program.Stopped());
        QTest::keyClick(program.window.get(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(program.shown, QStringList{QStringLiteral("ProgressWindow")});
        QCOMPARE(stoppedMeanwhile, std::optional<bool>(true));
        QVERIFY(onScreen);
        QVERIFY2(std::abs(offset.x()) <= 2 && std::abs(offset.y()) <= 2,
                 qPrintable(QStringLiteral("%1, %2").arg(offset.x()).arg(offset.y())));
        QVERIFY(!program.Stopped());
        QVERIFY(program.window->findChild<ProgressWindow*>() == nullptr); // gone with its data

        // Opened in STOP mode, it leaves the program stopped.
        program.window->findChild<QAction*>(QStringLiteral("ActionPause"))->trigger();
        program.window->findChild<QAction*>(QStringLiteral("ActionMujPokrok"))->trigger();
        QCOMPARE(program.shown.size(), 2);
        QVERIFY(program.Stopped());
        QVERIFY(program.reporter.reports.empty());
    }

    // Another program holds the history's lock: the evaluation and the lesson dialog open at
    // once; the text and the ticks follow when the lock is free.
    void nothingWaitsWhileAnotherProgramHoldsTheLock() {
        Program program({Lesson(3, true, 150, true)});
        QVERIFY(QTest::qWaitForWindowExposed(program.window.get()));
        OtherProgram other(program.HistoryFile());
        QVERIFY(other.Locked());

        program.TypeLessonOne();
        QCOMPARE(program.shown, QStringList{QStringLiteral("TFormKonec")});
        std::map<int, QString> ticksWhenOpened;
        std::map<int, QString> ticksLater;
        program.answer = [&](QDialog& dialog) {
            auto& lessons = static_cast<TFormLekce&>(dialog);
            ticksWhenOpened = Ticked(lessons);
            // The pupil is told once that results wait for the lock.
            (void)QTest::qWaitFor([&] { return !program.reporter.reports.empty(); }, 60000);
            other.LetGo();
            (void)QTest::qWaitFor([&] { return !Ticked(lessons).empty(); }, 60000);
            ticksLater = Ticked(lessons);
            return static_cast<int>(QDialog::Rejected);
        };
        QTest::keyClick(program.window.get(), Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(program.shown.size(), 2);
        QVERIFY(ticksWhenOpened.empty());
        QCOMPARE(ticksLater.size(), std::size_t{1});
        QVERIFY(ticksLater.count(3) == 1);
        QCOMPARE(program.reporter.reports.size(), std::size_t{1});
        QVERIFY(QString::fromStdString(program.reporter.reports[0].Utf8())
                    .contains(QString::fromUtf8("zamčenou jiný program")));
        QCOMPARE(TextsIn(program.HistoryFile()), 2);
    }

    // A history of version -1: the text ends with its evaluation, the lesson dialog and "Můj
    // pokrok" open, the pupil is told once, and no exception reaches the window.
    void aHistoryOfAVersionTheProgramDoesNotKnowStopsNothing() {
        Program program({Lesson(3, true, 150, true)});
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "version");
            db.setDatabaseName(program.HistoryFile());
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version=-1")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("version"));
        QVERIFY(QTest::qWaitForWindowExposed(program.window.get()));
        program.answer = [&](QDialog& dialog) {
            if (auto* progress = qobject_cast<ProgressWindow*>(&dialog)) {
                (void)QTest::qWaitFor([&] { return progress->IsLoaded(); }, 60000);
            }
            return qobject_cast<TFormKonec*>(&dialog) != nullptr
                       ? static_cast<int>(TFormKonec::kResultRepeat)
                       : static_cast<int>(QDialog::Rejected);
        };
        program.TypeLessonOne();
        QTest::keyClick(program.window.get(), Qt::Key_L, Qt::ControlModifier);
        QTest::keyClick(program.window.get(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(program.shown,
                 (QStringList{QStringLiteral("TFormKonec"), QStringLiteral("TFormLekce"),
                              QStringLiteral("ProgressWindow")}));
        QTRY_COMPARE_WITH_TIMEOUT(program.reporter.reports.size(), std::size_t{1}, 60000);
        QVERIFY(QString::fromStdString(program.reporter.reports[0].Utf8())
                    .contains(QString::fromUtf8("má verzi -1, kterou tento program nezná")));
        program.history.reset(); // every question answered, every text tried
        QCOMPARE(program.reporter.reports.size(), std::size_t{1});
    }
};

QTEST_MAIN(HistoryFeatureQtTest)
#include "HistoryFeatureQtTest.moc"
