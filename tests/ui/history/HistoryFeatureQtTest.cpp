// The history joined to the main window: a text typed to its end is recorded, "Můj pokrok"
// opens from the menu Program and by Ctrl+P without stopping anything, and the lesson dialog
// ticks the passed lessons of the layout chosen without changing their captions.

#include "HistoryFeature.h"
#include "ListHistoryStore.h"
#include "MainWindowRig.h"
#include "QtField.h"
#include "TFormHOknoPM.h"
#include "TFormKonec.h"
#include "TFormLekce.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <map>

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

// The lessons the dialog ticks, with their tooltips in UTF-8; fails on a changed caption.
std::map<int, QString> Ticked(const TFormLekce& dialog, const QStringList& captions) {
    std::map<int, QString> ticked;
    for (int item = 0; item < TFormLekce::kLessonCount; ++item) {
        const QAbstractButton* button = dialog.lessonItems->button(item);
        if (button->text() != captions[item]) {
            qFatal("caption %d changed", item + 1);
        }
        if (!button->icon().isNull()) {
            ticked[item + 1] = button->toolTip();
        } else if (!button->toolTip().isEmpty()) {
            qFatal("lesson %d has a tooltip without a tick", item + 1);
        }
    }
    return ticked;
}

} // namespace

class HistoryFeatureQtTest : public QObject {
    Q_OBJECT

private slots:
    void theHistoryJoinsTheWindowThroughMenuObserverAndLessonDialog() {
        TempLessonDir dir;
        dir.AddLesson(1, "Lekce 1: d f j k", {"fj"});
        MainWindowRig rig(dir);
        auto& history = rig.Make<ListHistoryStore>();
        // Lesson 3 is the same on both layouts; 12 and 14 differ between them.
        history.records = {Lesson(3, true, 150, true), Lesson(12, false, 140, true),
                           Lesson(14, true, 130, true), Lesson(4, true, 120, false)};
        auto& feature =
            rig.Make<HistoryFeature>(history, rig.meter, rig.store, rig.reporter, nullptr,
                                     QStringList{QStringLiteral(KLAPTOS_BIN_DIR)});
        rig.Build({&feature});
        TFormHOknoPM* window = rig.window.get();

        std::map<int, QString> qwertzTicks, qwertyTicks;
        QStringList captions;
        QStringList shown;
        rig.answer = [&](QDialog& dialog) {
            shown << QString::fromLatin1(dialog.metaObject()->className());
            if (auto* lessons = qobject_cast<TFormLekce*>(&dialog)) {
                for (QAbstractButton* button : lessons->lessonItems->buttons()) {
                    captions << button->text();
                }
                qwertzTicks = Ticked(*lessons, captions);
                lessons->layoutItems->button(0)->click(); // QWERTY
                qwertyTicks = Ticked(*lessons, captions);
                return static_cast<int>(QDialog::Rejected);
            }
            return static_cast<int>(TFormKonec::kResultRepeat);
        };
        rig.Show();

        // The menu item and its shortcut.
        auto* action = window->findChild<QAction*>(QStringLiteral("ActionMujPokrok"));
        QVERIFY(action != nullptr);
        QCOMPARE(action->text(), QString::fromUtf8("&Můj pokrok"));
        QCOMPARE(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
        QVERIFY(window->menuBar()
                    ->findChild<QMenu*>(QStringLiteral("MenuProgram"))
                    ->actions()
                    .contains(action));

        // Lesson 1 typed to its end is recorded before the evaluation repeats it.
        QWidget* field = window->findChild<QtField*>(QStringLiteral("EditCisloRadku"));
        QTest::keyClick(window, Qt::Key_F9);
        QTest::keyClicks(field, QStringLiteral("fj"));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(shown, QStringList{QStringLiteral("TFormKonec")});
        QCOMPARE(history.records.size(), std::size_t{5});
        QCOMPARE(history.records.back().lesson, 1);
        QCOMPARE(history.records.back().keystrokes, 3);

        // The lesson dialog ticks what was passed on each layout, with the best result.
        QTest::keyClick(window, Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(shown.size(), 2);
        const QString best = QString::fromUtf8("Nejlepší výsledek: ");
        QCOMPARE(qwertzTicks.size(), std::size_t{2});
        QVERIFY(qwertzTicks.at(3).startsWith(best + QString::fromUtf8("150 úhozů/min")));
        QVERIFY(qwertzTicks.at(14).startsWith(best + QString::fromUtf8("130 úhozů/min")));
        QCOMPARE(qwertyTicks.size(), std::size_t{2});
        QCOMPARE(qwertyTicks.at(3), qwertzTicks.at(3));
        QVERIFY(qwertyTicks.at(12).startsWith(best + QString::fromUtf8("140 úhozů/min")));

        // "Můj pokrok" is not modal and is made once.
        QTest::keyClick(window, Qt::Key_P, Qt::ControlModifier);
        auto* progress = window->findChild<QWidget*>(QStringLiteral("ProgressWindow"));
        QVERIFY(progress != nullptr);
        QVERIFY(progress->isVisible());
        QVERIFY(!progress->isModal());
        action->trigger();
        QCOMPARE(window->findChildren<QWidget*>(QStringLiteral("ProgressWindow")).size(), 1);
        QVERIFY(rig.reporter.reports.empty());
        QCOMPARE(shown.size(), 2);
    }
};

QTEST_MAIN(HistoryFeatureQtTest)
#include "HistoryFeatureQtTest.moc"
