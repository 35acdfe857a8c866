// The class joined to the main window: without a class the feature loads nothing, writes
// nothing and offers only "Připojit ke třídě…"; a teacher gets "Třída", and typing stops while
// its window is in front; a pupil's finished text is kept in the history, queued for the class
// and followed in the evaluation window, and so is a finished timed copy.

#include "ClassSender.h"
#include "ClassWindow.h"
#include "ClassroomFeature.h"
#include "CopyTestFeature.h"
#include "CopyTestResult.h"
#include "FakeClock.h"
#include "HistoryDatabase.h"
#include "HistoryFeature.h"
#include "HistoryThread.h"
#include "KeyboardFeature.h"
#include "Lekce.h"
#include "ListHistoryStore.h"
#include "MnemonicKeys.h"
#include "ProgramOptions.h"
#include "QtField.h"
#include "RecordingReporter.h"
#include "RecordingSound.h"
#include "SpeedMeter.h"
#include "TFormHOknoPM.h"
#include "TFormKonec.h"
#include "TempLessonDir.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <memory>

namespace {

// The window and the model objects it needs, with the history recording through the class.
struct Rig {
    // `allFeatures`: the keyboard and the timed copy join the window too.
    explicit Rig(const std::string& ini, bool allFeatures = false) {
        dir.AddLesson(1, "Lekce 1: d f j k", {"fj"});
        std::ofstream(dir.Path() + "klaptos.ini", std::ios::binary) << ini;
        feature =
            std::make_unique<ClassroomFeature>(history, dir.Path(), dir.Path() + "procviceni.txt",
                                               QStringList{QStringLiteral(KLAPTOS_BIN_DIR)});
        historyFeature = std::make_unique<HistoryFeature>(
            historyThread, meter, store, HistoryRecorder::Sources{},
            QStringList{QStringLiteral(KLAPTOS_BIN_DIR)}, &feature->History());
        window = std::make_unique<TFormHOknoPM>(
            TFormHOknoPM::Model{store, meter, options, sound, clock},
            QString::fromStdString(dir.Path() + "klaptos.ini"), QString::fromStdString(dir.Path()),
            QString(),
            allFeatures ? std::vector<MainWindowFeature*>{&keyboard, historyFeature.get(),
                                                          &copyTest, feature.get()}
                        : std::vector<MainWindowFeature*>{historyFeature.get(), feature.get()});
    }

    [[nodiscard]] QAction* Action(const char* name) const {
        return window->findChild<QAction*>(QLatin1String(name));
    }
    [[nodiscard]] bool Typing() const { return Action("ActionPause")->isVisible(); }
    [[nodiscard]] std::string Ini() const {
        QFile file(QString::fromStdString(dir.Path() + "klaptos.ini"));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    }

    TempLessonDir dir;
    FakeClock clock;
    SpeedMeter meter{clock};
    ProgramOptions options;
    RecordingSound sound;
    RecordingReporter reporter;
    LEKCE store{dir.Path(), reporter};
    ListHistoryStore history;
    // Asked by "Můj pokrok" and the lesson dialog; the texts are recorded into `history`.
    HistoryThread historyThread{[folder = dir.Path()](Reporter& historyReporter) {
                                    return std::make_unique<HistoryDatabase>(folder,
                                                                             historyReporter);
                                },
                                reporter};
    KeyboardFeature keyboard{store, nullptr};
    CopyTestFeature copyTest{store, clock, reporter, dir.Path(), dir.Path()};
    std::unique_ptr<ClassroomFeature> feature;
    std::unique_ptr<HistoryFeature> historyFeature;
    std::unique_ptr<TFormHOknoPM> window;
};

// A class on a server that is not there: every send finds it unreachable.
std::string Joined(bool teacher, const std::string& dir) {
    return "[Trida]\r\nServer=" + dir +
           "zadny-server\r\nPort=5432\r\nDatabaze=klaptos\r\n"
           "Jmeno=eva\r\nTrida=7.A\r\nUcitel=" +
           (teacher ? "1" : "0") + "\r\nMistoHesla=1\r\n";
}

} // namespace

class ClassroomFeatureQtTest : public QObject {
    Q_OBJECT

private slots:
    void withoutAClassNothingIsLoadedQueuedOrWritten() {
        Rig rig("[Options]\r\nCloseQuery=0\r\n");
        rig.window->SetSeam(
            {.runModal = [](QDialog&) { return static_cast<int>(TFormKonec::kResultRepeat); }});
        rig.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));

        QAction* join = rig.Action("ActionPripojitKeTride");
        QVERIFY(join != nullptr);
        QCOMPARE(join->text(), QString::fromUtf8("&Připojit ke třídě…"));
        QVERIFY(rig.window->menuBar()
                    ->findChild<QMenu*>(QStringLiteral("MenuProgram"))
                    ->actions()
                    .contains(join));
        QVERIFY(!rig.Action("ActionTrida")->isVisible());
        QVERIFY(!rig.Action("ActionTrida")->isEnabled());

        QWidget* field = rig.window->findChild<QtField*>(QStringLiteral("EditCisloRadku"));
        QTest::keyClick(rig.window.get(), Qt::Key_F9);
        QTest::keyClicks(field, QStringLiteral("fj"));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(rig.history.records.size(), std::size_t{1});
        QVERIFY(rig.feature->Sender() == nullptr);
        QVERIFY(rig.window->findChild<QLabel*>(QStringLiteral("ClassNotice")) == nullptr);

        rig.window.reset();
        QVERIFY(rig.Ini().find("[Trida]") == std::string::npos);
        QVERIFY(!QFile::exists(QString::fromStdString(rig.dir.Path() + "historie.sqlite")));
    }

    void aTeacherGetsTheClassWindowAndTypingStopsWhileItIsInFront() {
        TempLessonDir place;
        Rig rig("[Options]\r\nCloseQuery=0\r\n" + Joined(true, place.Path()));
        rig.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
        QAction* classAction = rig.Action("ActionTrida");
        QVERIFY(classAction->isVisible() && classAction->isEnabled());
        QCOMPARE(classAction->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_U));
        QVERIFY(rig.feature->Sender() == nullptr); // a teacher's results stay at home

        QTest::keyClick(rig.window.get(), Qt::Key_F9);
        QVERIFY(rig.Typing());
        bool typingWhileOpen = true;
        bool opened = false;
        QTimer::singleShot(0, [&] {
            auto* window = rig.window->findChild<ClassWindow*>(QStringLiteral("ClassWindow"));
            opened = window != nullptr && window->isVisible();
            typingWhileOpen = rig.Typing();
            if (window != nullptr) {
                window->accept();
            }
        });
        classAction->trigger();
        QVERIFY(opened);
        QVERIFY(!typingWhileOpen);
        QVERIFY(rig.Typing());
        rig.window.reset();
        QVERIFY(rig.Ini().find("Ucitel=1\r\n") != std::string::npos);
    }

    void aPupilsFinishedTextIsKeptQueuedAndFollowedInTheEvaluation() {
        TempLessonDir place;
        Rig rig("[Options]\r\nCloseQuery=0\r\n" + Joined(false, place.Path()));
        QString notice;
        rig.window->SetSeam({.runModal = [&notice](QDialog& dialog) {
            if (auto* part = dialog.findChild<QLabel*>(QStringLiteral("ClassNotice"))) {
                notice = part->text();
            }
            return static_cast<int>(TFormKonec::kResultRepeat);
        }});
        rig.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
        QTRY_VERIFY(rig.feature->Sender() != nullptr);
        QSignalSpy finished(rig.feature->Sender(), &ClassSender::Finished);

        QWidget* field = rig.window->findChild<QtField*>(QStringLiteral("EditCisloRadku"));
        QTest::keyClick(rig.window.get(), Qt::Key_F9);
        QTest::keyClicks(field, QStringLiteral("fj"));
        QTest::keyClick(field, Qt::Key_Return);

        QCOMPARE(rig.history.records.size(), std::size_t{1});
        QCOMPARE(notice, QString::fromUtf8("Výsledek se posílá do třídy „7.A“…"));
        // The send at start (nothing to send) may answer first; the text's send follows.
        const int unreachable = static_cast<int>(ClassProblem::Unreachable);
        while (finished.isEmpty() || finished.last().at(0).toInt() != unreachable) {
            QVERIFY(finished.wait(30000));
        }
        QCOMPARE(finished.last().at(2).toInt(), 1);
        QCOMPARE(rig.feature->Sender()->Notice().Current(), ClassProblem::Unreachable);

        // A finished timed copy waits beside the text.
        CopyTestResult copy;
        copy.title = "Opis";
        copy.gross = 900;
        copy.net = 850;
        copy.netPerMinute = 85;
        rig.feature->CopyTestFinished(copy);
        // An answer to a send from before may still come; the copy's send counts it.
        while (finished.isEmpty() || finished.last().at(2).toInt() != 2) {
            QVERIFY(finished.wait(30000));
        }
    }

    // With every feature joined and a teacher's class, no two actions of the window share a
    // key, and no two items of the menu Program an Alt key.
    void theClassTakesAKeyAndAnAltKeyNobodyElseHas() {
        TempLessonDir place;
        Rig rig("[Options]\r\nCloseQuery=0\r\n" + Joined(true, place.Path()), true);
        std::map<QString, QStringList> byKey;
        for (const QAction* action : rig.window->findChildren<QAction*>()) {
            if (!action->shortcut().isEmpty() && !action->objectName().isEmpty()) {
                byKey[action->shortcut().toString(QKeySequence::PortableText)]
                    << action->objectName();
            }
        }
        for (const auto& [key, actions] : byKey) {
            QVERIFY2(actions.size() == 1,
                     qPrintable(key + QStringLiteral(": ") + actions.join(QStringLiteral(", "))));
        }
        QCOMPARE(byKey[QStringLiteral("Ctrl+U")], QStringList{QStringLiteral("ActionTrida")});
        const auto* program =
            rig.window->menuBar()->findChild<QMenu*>(QStringLiteral("MenuProgram"));
        QVERIFY(rig.feature->Connection().teacher);
        QCOMPARE(MnemonicKeys::OfMenu(*program).Shared(), QStringList());
        QVERIFY(MnemonicKeys::OfMenu(*program).CaptionOf(QStringLiteral("Alt+T")) ==
                QStringLiteral("&Třída"));
    }

    // Without a pupil's class a timed copy goes nowhere: no sender, no queue.
    void aCopyTestWithoutAPupilsClassIsNotQueued() {
        TempLessonDir place;
        Rig rig("[Options]\r\nCloseQuery=0\r\n" + Joined(true, place.Path()));
        rig.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
        rig.feature->CopyTestFinished(CopyTestResult{});
        QVERIFY(rig.feature->Sender() == nullptr);
        QVERIFY(!QFile::exists(QString::fromStdString(rig.dir.Path() + "historie.sqlite")));
    }
};

QTEST_MAIN(ClassroomFeatureQtTest)
#include "ClassroomFeatureQtTest.moc"
