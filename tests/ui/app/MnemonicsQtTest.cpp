// Every window and menu of the program reached from the main window with its features: no two
// controls of one window, no two items of one menu and no two menus share an Alt key, so that
// the keyboard alone reaches each of them.

#include "TFormHOknoPM.h"

#include "ErrorCounter.h"
#include "FakeClock.h"
#include "FakeDesktopLayout.h"
#include "KeyboardFeature.h"
#include "LayoutNoteFeature.h"
#include "Lekce.h"
#include "MnemonicKeys.h"
#include "PracticeFeature.h"
#include "ProgramOptions.h"
#include "RecordingReporter.h"
#include "RecordingSound.h"
#include "SpeedMeter.h"
#include "TFormErr.h"
#include "TFormHelp.h"
#include "TFormKonec.h"
#include "TempLessonDir.h"
#include "TypingEngine.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <memory>

class MnemonicsQtTest : public QObject {
    Q_OBJECT

private slots:
    void noWindowOrMenuHasAnAltKeyTwice() {
        TempLessonDir dir;
        dir.AddLesson(1, "Lekce 1", {"fff"});
        dir.AddLesson(2, "Lekce 2", {"sss"});
        FakeClock clock;
        SpeedMeter meter(clock);
        ProgramOptions options;
        RecordingSound sound;
        RecordingReporter reporter;
        LEKCE store(dir.Path(), reporter);
        PracticeFeature practice(store, meter, reporter,
                                 std::string(KLAPTOS_BIN_DIR) + "/slova.txt",
                                 dir.Path() + "procviceni.txt");
        KeyboardFeature keyboard(store, &practice.Errors());
        FakeDesktopLayout desktop;
        desktop.qwertz = false; // the lesson dialog with its note
        LayoutNoteFeature layoutNote(desktop);
        TFormHOknoPM window({store, meter, options, sound, clock},
                            QString::fromStdString(dir.Path() + "klaptos.ini"),
                            QString::fromStdString(dir.Path()), QString(),
                            {&keyboard, &practice, &layoutNote});
        QStringList seen;
        QStringList shared;
        QString practiceKey;
        const auto check = [&](const QString& name, const MnemonicKeys& keys) {
            seen << name;
            for (const QString& twice : keys.Shared()) {
                shared << name + QStringLiteral(" – ") + twice;
            }
        };
        window.SetSeam({.runModal = [&](QDialog& dialog) {
            // Qt's own file and font dialogs are Qt's business.
            if (qobject_cast<QFileDialog*>(&dialog) == nullptr &&
                qobject_cast<QFontDialog*>(&dialog) == nullptr) {
                dialog.show();
                check(dialog.windowTitle(), MnemonicKeys::OfWindow(dialog));
                if (auto* evaluation = qobject_cast<TFormKonec*>(&dialog)) {
                    practiceKey =
                        MnemonicKeys::OfWindow(*evaluation).CaptionOf(QStringLiteral("Alt+C"));
                }
                dialog.hide();
            }
            return static_cast<int>(QDialog::Rejected);
        }});
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        // A text finished with errors: the evaluation with the weak keys and "Procvičit chyby".
        window.ActionContinue();
        QWidget* field = window.findChild<QWidget*>(QStringLiteral("EditCisloRadku"));
        for (const char c : std::string("jfff")) { // one error: the line is not typed again
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(QChar(c)),
                                Qt::NoModifier);
        }
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY2(seen.join(u'|').contains(QStringLiteral("Konec")), qPrintable(seen.join(u'|')));
        // The practice part has a key of its own, so that it is no Tabs away.
        QCOMPARE(practiceKey, QString::fromUtf8("Procvičit &chyby"));

        // The menu bar, each menu, and every window its items open.
        const QMenuBar& bar = *window.menuBar();
        check(QStringLiteral("menu bar"), MnemonicKeys::OfMenu(bar));
        for (QAction* menuAction : bar.actions()) {
            QMenu* menu = menuAction->menu();
            check(menuAction->text(), MnemonicKeys::OfMenu(*menu));
            for (QAction* item : menu->actions()) {
                // Closing and starting again are no windows; the keyboard's items switch it.
                const QString name = item->objectName();
                if (item->isSeparator() || name == QLatin1String("ActionClose") ||
                    name == QLatin1String("ActionKlavesnice") ||
                    name == QLatin1String("ActionMapaChyb")) {
                    continue;
                }
                item->trigger();
            }
        }
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* help = qobject_cast<TFormHelp*>(top)) {
                check(help->windowTitle(), MnemonicKeys::OfWindow(*help));
            }
        }
        for (const bool isError : {true, false}) {
            TFormErr report(&window, isError);
            report.SetMessageUtf8("Zpráva");
            report.show();
            check(report.windowTitle(), MnemonicKeys::OfWindow(report));
        }
        for (const char* name : {"Volba lekce", "Nastavení parametrů programu", "O programu",
                                 "Klaptos - nápověda", "Nalezena chyba", "Informace"}) {
            QVERIFY2(seen.contains(QString::fromUtf8(name)), qPrintable(seen.join(u'|')));
        }
        QVERIFY2(shared.isEmpty(), qPrintable(shared.join(QStringLiteral("\n"))));

        window.SetSeam({.runModal = [](QDialog&) { return int(QDialogButtonBox::Yes); }});
        window.close();
    }
};

QTEST_MAIN(MnemonicsQtTest)
#include "MnemonicsQtTest.moc"
