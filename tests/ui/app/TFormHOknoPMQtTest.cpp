#include "TFormHOknoPM.h"

#include "Cp1250.h"
#include "IniFile.h"
#include "KeyRouter.h"
#include "MainWindowFeature.h"
#include "MainWindowRig.h"
#include "PaintBoxType.h"
#include "PaintCounter.h"
#include "QtField.h"
#include "QtSpeedBar.h"
#include "TFormCQuery.h"
#include "TFormHelp.h"
#include "TFormKonec.h"
#include "TFormLekce.h"
#include "TSOkno.h"
#include "TypingEngine.h"
#include "TypingObserver.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <deque>
#include <fstream>
#include <functional>
#include <memory>

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The section names of an INI text, in file order.
QStringList Sections(const std::string& text) {
    QStringList sections;
    for (const QString& line : QString::fromStdString(text).split(QStringLiteral("\r\n"))) {
        if (line.startsWith(u'[')) {
            sections << line;
        }
    }
    return sections;
}

// The value of a key as written, or a null string.
QString Value(const std::string& text, const QString& key) {
    for (const QString& line : QString::fromStdString(text).split(QStringLiteral("\r\n"))) {
        if (line.startsWith(key + u'=')) {
            return line.mid(key.size() + 1);
        }
    }
    return {};
}

// A feature as the coming ones join the window: a panel, a menu action, a key at the end of
// [Options] and an observer of the typing.
struct SampleFeature final : MainWindowFeature, TypingObserver {
    QWidget* CreatePanel(QWidget* parent) override {
        panel = new QWidget(parent);
        panel->setFixedSize(300, 40);
        return panel;
    }
    std::vector<std::pair<QString, QAction*>> CreateActions(QWidget* window) override {
        action = new QAction(QStringLiteral("Sample"), window);
        action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
        return {{QStringLiteral("MenuPsani"), action}};
    }
    TypingObserver* Observer() override { return this; }
    void ReadSettings(const IniFile& ini) override {
        value = ini.ReadInteger("Options", "Sample", 0);
    }
    void WriteSettings(IniFile& ini) const override {
        ini.WriteInteger("Options", "Sample", value + 1);
    }
    void TextBegun() override { ++textsBegun; }

    QWidget* panel = nullptr;
    QAction* action = nullptr;
    int value = 0;
    int textsBegun = 0;
};

// One run of the program whose modal dialogs are answered from a queue.
struct Session : MainWindowRig {
    using Reply = std::function<int(QDialog&)>;

    explicit Session(TempLessonDir& dir, bool show = true,
                     std::vector<MainWindowFeature*> features = {}, TSOkno* splash = nullptr)
        : MainWindowRig(dir) {
        Build(std::move(features), splash);
        answer = [this](QDialog& dialog) {
            shown << QString::fromLatin1(dialog.metaObject()->className());
            if (answers.empty()) {
                qWarning("a dialog nobody answers: %s", dialog.metaObject()->className());
                return static_cast<int>(QDialog::Rejected);
            }
            const Reply reply = answers.front();
            answers.pop_front();
            return reply(dialog);
        };
        if (show) {
            Show();
        }
    }
    ~Session() { window.reset(); }

    void Answer(int result) {
        answers.push_back([result](QDialog&) { return result; });
    }

    // As the rig closes, with the close question among the dialogs shown.
    void CloseAndDestroy() {
        answers.push_front([](QDialog&) { return static_cast<int>(QDialogButtonBox::Yes); });
        window->close();
        window.reset();
    }

    // The status bar's two panels: the mode, and the hint of what the mouse is over.
    [[nodiscard]] QString Status() const {
        return Child<QLabel>(window.get(), "StatusPanel0")->text();
    }
    [[nodiscard]] QString StatusHint() const {
        return Child<QLabel>(window.get(), "StatusPanel1")->text();
    }
    // STOP mode, as the status bar shows it ("# STOP", blinking); typing shows "* PSANÍ".
    [[nodiscard]] bool Stopped() const { return !Status().startsWith(u'*'); }
    [[nodiscard]] PaintBoxType& TypingView() const {
        return *Child<PaintBoxType>(window.get(), "paintBoxType");
    }
    [[nodiscard]] const QFont& TypingFont() const { return TypingView().TypingFont(); }
    [[nodiscard]] const TypingLine& Line() const { return TypingView().View().Line(); }
    // Chooses `font` in the font dialog (Ctrl+F), as the pupil does.
    void ChooseFont(const QFont& font) {
        answers.push_back([font](QDialog& dialog) {
            static_cast<QFontDialog&>(dialog).setCurrentFont(font);
            return static_cast<int>(QDialog::Accepted);
        });
        QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
    }
    [[nodiscard]] unsigned char Expected() const { return Line().patternLine[Line().typedPos]; }

    // Types the character that is to be typed next, into `target`.
    void TypeRight(QWidget* target) { Type(Expected(), target); }
    void TypeByte(QWidget* target, unsigned char byte) { Type(byte, target); }

    std::deque<Reply> answers;
    QStringList shown;
};

} // namespace

class TFormHOknoPMQtTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempLessonDir> dir;

    void WriteIni(const std::string& text) {
        std::ofstream(dir->Path() + "klaptos.ini", std::ios::binary) << text;
    }

private slots:
    void init() {
        dir = std::make_unique<TempLessonDir>();
        dir->AddLesson(1, "Lekce 1: d f j k", {"ff jj", "dd kk", "fd jk"});
        dir->AddLesson(5, "Lekce 5: r u", {"rr uu"});
    }
    void cleanup() { dir.reset(); }

    void firstStartWithoutSettingsWaitsOnLessonOneQwertzLineOneInStopMode() {
        Session s(*dir);
        QCOMPARE(s.store.CurrentLesson, 1);
        QVERIFY(s.store.Qwertz);
        QCOMPARE(Child<QtField>(s.window.get(), "EditCisloRadku")->text(), QStringLiteral("1"));
        QCOMPARE(Child<QtField>(s.window.get(), "EditPocetRadku")->text(), QStringLiteral("3"));
        QCOMPARE(Child<QtField>(s.window.get(), "EditNapoveda")->text(),
                 QStringLiteral("Lekce 1: d f j k"));
        QVERIFY(s.Stopped());
        QCOMPARE(s.Status(), U("# STOP - stiskněte F9"));
        QCOMPARE(s.window->windowTitle(), QStringLiteral("Klaptos lekce 1 (QWERTZ)"));
        QCOMPARE(Child<QtField>(s.window.get(), "EditDobaPsani")->text(), QStringLiteral("0:00"));
        QCOMPARE(Child<QtField>(s.window.get(), "EditDobaDoKonce")->text(), QStringLiteral("-?-"));
        QVERIFY(Child<QPushButton>(s.window.get(), "BitBtnContinue")->isVisible());
        QVERIFY(!Child<QPushButton>(s.window.get(), "BitBtnPause")->isVisible());
        QCOMPARE(Child<QPushButton>(s.window.get(), "BitBtnContinue")->text(), U("Pokračovat"));
        QVERIFY(s.shown.isEmpty());
    }

    // Each of the program's own widget classes is found by its class alone, never another
    // widget in its place.
    void ownWidgetsAreFoundByTheirClass() {
        Session s(*dir);
        QCOMPARE(s.window->findChildren<QtField*>().size(), 12);
        QCOMPARE(s.window->findChildren<QtSpeedBar*>().size(), 1);
        QCOMPARE(s.window->findChildren<PaintBoxType*>().size(), 1);
        QCOMPARE(s.window->findChildren<KeyRouter*>().size(), 1);
    }

    void windowIsLaidOutAroundTheTypingLineAndThePanel() {
        Session s(*dir);
        // A font whose typing line fits the offscreen screen's 800 pixels.
        QFont font = s.TypingFont();
        font.setPointSize(9);
        s.ChooseFont(font);
        auto* view = Child<PaintBoxType>(s.window.get(), "paintBoxType");
        const auto* panel = Child<QFrame>(s.window.get(), "Panel1");
        const int viewWidth = view->View().ViewWidth();
        QCOMPARE(view->width(), viewWidth);
        QCOMPARE(view->height(), view->View().ViewHeight());
        QCOMPARE(s.window->width(), std::max(viewWidth + 1, panel->width()));
        QCOMPARE(panel->y(), view->y() + view->height());
        QCOMPARE(panel->x(), (s.window->width() - panel->width()) / 2);
    }

    void aFeatureJoinsWithItsPanelMenuActionSettingsAndObserver() {
        int designedHeight = 0;
        {
            Session plain(*dir);
            designedHeight = plain.window->height();
        }
        SampleFeature feature;
        Session s(*dir, true, {&feature});
        QCOMPARE(feature.value, 0);
        QCOMPARE(feature.textsBegun, 1);
        const auto* view = Child<PaintBoxType>(s.window.get(), "paintBoxType");
        QCOMPARE(feature.panel->y(), view->y() + view->height());
        QCOMPARE(Child<QFrame>(s.window.get(), "Panel1")->y(), feature.panel->y() + 40);
        QCOMPARE(s.window->height(), designedHeight + 40);
        QVERIFY(Child<QMenu>(s.window.get(), "MenuPsani")->actions().contains(feature.action));
        QSignalSpy triggered(feature.action, &QAction::triggered);
        QTest::keyClick(s.window.get(), Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(triggered.count(), 1);
        s.CloseAndDestroy();
        // A new key lands at the end of its section, and is read at the next start.
        QCOMPARE(Sections(s.Ini()).size(), 5);
        QVERIFY(s.Ini().find("Sound=0\r\nSample=1\r\n[Statistika]") != std::string::npos);
        SampleFeature again;
        Session next(*dir, false, {&again});
        QCOMPARE(again.value, 1);
    }

    // The largest accepted font makes a typing line wider than any screen; the window stays
    // within the screen's available area all the same.
    void windowNeverOutgrowsTheScreen() {
        Session s(*dir);
        QFont font = s.TypingFont();
        font.setPointSize(72);
        s.ChooseFont(font);
        const QRect area = s.window->screen()->availableGeometry();
        QVERIFY(Child<PaintBoxType>(s.window.get(), "paintBoxType")->width() > area.width());
        QVERIFY(s.window->frameGeometry().width() <= area.width());
        QVERIFY(s.window->frameGeometry().height() <= area.height());
    }

    void functionKeysSwitchBetweenStopModeAndTyping() {
        Session s(*dir);
        QAction* startStop = Child<QAction>(s.window.get(), "ActionMenuPauseContinue");

        QTest::keyClick(s.window.get(), Qt::Key_F9);
        QVERIFY(!s.Stopped());
        QCOMPARE(s.Status(), U("* PSANÍ"));
        QCOMPARE(startStop->text(), U("&Přerušit psaní"));
        QVERIFY(Child<QPushButton>(s.window.get(), "BitBtnPause")->isVisible());
        QVERIFY(!Child<QPushButton>(s.window.get(), "BitBtnContinue")->isVisible());
        QCOMPARE(Child<QPushButton>(s.window.get(), "BitBtnPause")->text(), U("Přerušit psaní"));

        QTest::keyClick(s.window.get(), Qt::Key_F10);
        QVERIFY(s.Stopped());
        QCOMPARE(startStop->text(), U("&Pokračovat v psaní"));
        QCOMPARE(startStop->statusTip(), U("Pokračovat v psaní lekce či souboru"));

        QTest::keyClick(s.window.get(), Qt::Key_F10);
        QVERIFY(!s.Stopped());
        QCOMPARE(startStop->text(), U("&Přerušit psaní"));

        QTest::keyClick(s.window.get(), Qt::Key_F8);
        QVERIFY(s.Stopped());
        QCOMPARE(s.Status(), U("# STOP - stiskněte F9"));
        QVERIFY(Child<QPushButton>(s.window.get(), "BitBtnContinue")->isVisible());

        // A command runs by its key while its menu item is hidden: F8 in STOP mode, F9 while
        // typing, each exactly once.
        QSignalSpy pauses(Child<QAction>(s.window.get(), "ActionPause"), &QAction::triggered);
        QSignalSpy continues(Child<QAction>(s.window.get(), "ActionContinue"), &QAction::triggered);
        QTest::keyClick(s.window.get(), Qt::Key_F8);
        QCOMPARE(pauses.count(), 1);
        QTest::keyClick(s.window.get(), Qt::Key_F9);
        QTest::keyClick(s.window.get(), Qt::Key_F9);
        QCOMPARE(continues.count(), 2);
        QVERIFY(!s.Stopped());
        QCOMPARE(s.Status(), U("* PSANÍ"));
    }

    void typedKeysReachTheEngineWhicheverControlHasTheFocus() {
        Session s(*dir);
        QTest::keyClick(s.window.get(), Qt::Key_F9);
        const QList<QWidget*> controls{Child<QtField>(s.window.get(), "EditNapoveda"),
                                       Child<QPushButton>(s.window.get(), "BitBtnPause"),
                                       Child<QPushButton>(s.window.get(), "ButtonNoSpeed"),
                                       Child<QtField>(s.window.get(), "EditRychlostAbsPrumer"),
                                       Child<QtField>(s.window.get(), "EditChybyLekce")};
        int expectedPos = 0;
        for (QWidget* control : controls) {
            control->setFocus();
            s.TypeRight(control);
            ++expectedPos;
            QCOMPARE(s.Line().typedPos, expectedPos);
            // The field that no button press can come from takes the focus.
            QCOMPARE(QApplication::focusWidget(), Child<QtField>(s.window.get(), "EditCisloRadku"));
        }
        QCOMPARE(s.meter.lessonCorrect, expectedPos);
        QCOMPARE(s.meter.lessonErrors, 0);
        // Space on the pause button is a typed character, not a press of the button.
        Child<QPushButton>(s.window.get(), "BitBtnPause")->setFocus();
        QTest::keyClick(Child<QPushButton>(s.window.get(), "BitBtnPause"), Qt::Key_Space);
        QVERIFY(!s.Stopped());
        QCOMPARE(s.meter.lessonKeystrokes, expectedPos + 1);
    }

    void wrongKeyCountsAnErrorAndBackspaceGoesBack() {
        Session s(*dir);
        QTest::keyClick(s.window.get(), Qt::Key_F9);
        s.TypeRight(Child<QtField>(s.window.get(), "EditCisloRadku"));
        s.TypeByte(Child<QtField>(s.window.get(), "EditCisloRadku"), 'x');
        QCOMPARE(s.Line().typedPos, 1);
        QCOMPARE(Child<QtField>(s.window.get(), "EditChybyRadek")->text(), QStringLiteral("1"));
        QCOMPARE(Child<QtField>(s.window.get(), "EditChybyLekce")->text(), QStringLiteral("1"));
        QCOMPARE(s.sound.played.size(), size_t{1});
        QTest::keyClick(Child<QtField>(s.window.get(), "EditCisloRadku"), Qt::Key_Backspace);
        QCOMPARE(s.Line().typedPos, 0);
        QCOMPARE(s.meter.lessonKeystrokes, 3);
    }

    void commandShortcutsAndModifierKeysNeverReachTheEngine() {
        Session s(*dir);
        QTest::keyClick(s.window.get(), Qt::Key_F9);
        QTest::keyClick(Child<QtField>(s.window.get(), "EditCisloRadku"), Qt::Key_Shift);
        QTest::keyClick(Child<QtField>(s.window.get(), "EditCisloRadku"), Qt::Key_A,
                        Qt::ControlModifier);
        QTest::keyClick(Child<QtField>(s.window.get(), "EditCisloRadku"), Qt::Key_F,
                        Qt::AltModifier);
        QTest::keyClick(Child<QtField>(s.window.get(), "EditCisloRadku"), Qt::Key_F9);
        QCOMPARE(s.meter.lessonKeystrokes, 0);
        QCOMPARE(s.Line().typedPos, 0);
        QVERIFY(!s.Stopped());
    }

    void committedTextOfAnInputMethodIsTypedLikeKeys() {
        Session s(*dir);
        QTest::keyClick(s.window.get(), Qt::Key_F9);
        QInputMethodQueryEvent query(Qt::ImEnabled);
        QApplication::sendEvent(Child<QtField>(s.window.get(), "EditCisloRadku"), &query);
        QVERIFY(query.value(Qt::ImEnabled).toBool());

        QInputMethodEvent dead;
        dead.setCommitString(U("ď"));
        QApplication::sendEvent(Child<QtField>(s.window.get(), "EditCisloRadku"), &dead);
        QCOMPARE(s.meter.lessonKeystrokes, 1);
        QCOMPARE(s.Line().typedLine[0], static_cast<unsigned char>(Cp1250::FromUtf8("ď")[0]));
        QCOMPARE(s.meter.lessonErrors, 1);
    }

    void enterFinishesTheLineAndDownAndUpMoveBetweenLines() {
        Session s(*dir);
        QTest::keyClick(s.window.get(), Qt::Key_F9);
        while (s.Expected() != TypingLine::kEndOfLine) {
            s.TypeRight(Child<QtField>(s.window.get(), "EditCisloRadku"));
        }
        QTest::keyClick(Child<QtField>(s.window.get(), "EditCisloRadku"), Qt::Key_Return);
        QCOMPARE(Child<QtField>(s.window.get(), "EditCisloRadku")->text(), QStringLiteral("2"));
        QTest::keyClick(Child<QtField>(s.window.get(), "EditCisloRadku"), Qt::Key_Down);
        QCOMPARE(Child<QtField>(s.window.get(), "EditCisloRadku")->text(), QStringLiteral("3"));
        QTest::keyClick(Child<QtField>(s.window.get(), "EditCisloRadku"), Qt::Key_Up);
        QCOMPARE(Child<QtField>(s.window.get(), "EditCisloRadku")->text(), QStringLiteral("2"));
    }

    void ctrlF2StartsTheTextAgainInStopModeWithClearedStatistics() {
        Session s(*dir);
        QTest::keyClick(s.window.get(), Qt::Key_F9);
        QTest::keyClick(Child<QtField>(s.window.get(), "EditCisloRadku"), Qt::Key_Down);
        s.TypeByte(Child<QtField>(s.window.get(), "EditCisloRadku"), 'x');
        s.clock.Advance(2000);
        s.TypeRight(Child<QtField>(s.window.get(), "EditCisloRadku"));

        QTest::keyClick(Child<QtField>(s.window.get(), "EditCisloRadku"), Qt::Key_F2,
                        Qt::ControlModifier);
        QVERIFY(s.Stopped());
        QCOMPARE(Child<QtField>(s.window.get(), "EditCisloRadku")->text(), QStringLiteral("1"));
        QCOMPARE(s.Line().typedPos, 0);
        QCOMPARE(s.meter.lessonKeystrokes, 0);
        QCOMPARE(Child<QtField>(s.window.get(), "EditChybyLekce")->text(), QStringLiteral("0"));
        QCOMPARE(Child<QtField>(s.window.get(), "EditDobaPsani")->text(), QStringLiteral("0:00"));
        QCOMPARE(Child<QtField>(s.window.get(), "EditDobaDoKonce")->text(), QStringLiteral("-?-"));
        QVERIFY(Child<QtField>(s.window.get(), "EditRychlostPrumer")->text().isEmpty());
    }

    void theStopMarkBlinksEachSecondButTypingShowsNoBlink() {
        Session s(*dir);
        QMetaObject::invokeMethod(Child<QTimer>(s.window.get(), "TimerSec"), "timeout");
        QCOMPARE(s.Status(), U("  STOP - stiskněte F9"));
        QMetaObject::invokeMethod(Child<QTimer>(s.window.get(), "TimerSec"), "timeout");
        QCOMPARE(s.Status(), U("# STOP - stiskněte F9"));
        QTest::keyClick(s.window.get(), Qt::Key_F9);
        QMetaObject::invokeMethod(Child<QTimer>(s.window.get(), "TimerSec"), "timeout");
        QCOMPARE(s.Status(), U("* PSANÍ"));
    }

    void switchingToAnotherApplicationStopsTypingOnlyWithAutoStop() {
        Session s(*dir);
        QTest::keyClick(s.window.get(), Qt::Key_F9);
        emit qApp->applicationStateChanged(Qt::ApplicationInactive);
        QVERIFY(s.Stopped());

        s.options.AutoStop = false;
        QTest::keyClick(s.window.get(), Qt::Key_F9);
        emit qApp->applicationStateChanged(Qt::ApplicationInactive);
        QVERIFY(!s.Stopped());
        emit qApp->applicationStateChanged(Qt::ApplicationActive);
        QVERIFY(!s.Stopped());
    }

    void refusingToCloseWhileTypingGoesOnTypingAndInStopModeStaysStopped() {
        Session s(*dir);
        QTest::keyClick(s.window.get(), Qt::Key_F9);
        s.Answer(QDialogButtonBox::No);
        QTest::keyClick(s.window.get(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(s.shown, QStringList{QStringLiteral("TFormCQuery")});
        QVERIFY(s.window->isVisible());
        QVERIFY(!s.Stopped());

        QTest::keyClick(s.window.get(), Qt::Key_F8);
        s.Answer(QDialogButtonBox::No);
        s.window->close();
        QVERIFY(s.window->isVisible());
        QVERIFY(s.Stopped());
    }

    void closeQueryZeroClosesWithoutAQuestion() {
        Session s(*dir);
        s.options.CloseQuery = 0;
        QTest::keyClick(s.window.get(), Qt::Key_F9);
        QSignalSpy closed(s.window.get(), &TFormHOknoPM::Closed);
        QVERIFY(s.window->close());
        QVERIFY(s.shown.isEmpty());
        QCOMPARE(closed.count(), 1);
        QVERIFY(s.Stopped());
    }

    void closingWritesAllFiveSectionsInOrderWithTheTypedFigures() {
        {
            Session s(*dir);
            QTest::keyClick(s.window.get(), Qt::Key_F9);
            while (s.Expected() != TypingLine::kEndOfLine) {
                s.TypeRight(Child<QtField>(s.window.get(), "EditCisloRadku"));
            }
            s.TypeByte(Child<QtField>(s.window.get(), "EditCisloRadku"), 'x');
            QTest::keyClick(Child<QtField>(s.window.get(), "EditCisloRadku"), Qt::Key_Return);
            QCOMPARE(Child<QtField>(s.window.get(), "EditCisloRadku")->text(), QStringLiteral("2"));
            // A wrong Enter on line 2: what is saved is the state at the start of the line.
            QTest::keyClick(Child<QtField>(s.window.get(), "EditCisloRadku"), Qt::Key_Return);
            s.CloseAndDestroy();
            const std::string ini = s.Ini();
            QCOMPARE(Sections(ini),
                     (QStringList{"[Window]", "[Font]", "[Options]", "[Statistika]", "[Lekce]"}));
            QCOMPARE(Value(ini, "CisloRadku"), QStringLiteral("2"));
            QCOMPARE(Value(ini, "CisloAkt"), QStringLiteral("1"));
            QCOMPARE(Value(ini, "QWERTZ"), QStringLiteral("1"));
            // "ff jj": 5 characters, a wrong key at the marker and the Enter that finished it.
            QCOMPARE(Value(ini, "UhozyCelkem"), QStringLiteral("7"));
            QCOMPARE(Value(ini, "UhozyOK"), QStringLiteral("6"));
            QCOMPARE(Value(ini, "ChCelkem"), QStringLiteral("1"));
            QCOMPARE(Value(ini, "Name"), QStringLiteral("Courier New"));
            QCOMPARE(Value(ini, "Size"), QStringLiteral("12"));
            QCOMPARE(Value(ini, "IsMaximized"), QStringLiteral("0"));
            const QStringList keys{
                "Left",       "Top",       "Width",    "Height",      "Name",        "Size",
                "Bold",       "Italic",    "SpeedIx",  "IsMaximized", "ErrRep",      "ErrIsRep",
                "CharSpace",  "ErrorBeep", "Caret",    "Speed",       "MoveOnError", "AutoStop",
                "CloseQuery", "Sound",     "ChCelkem", "MsCelkem",    "UhozyCelkem", "UhozyOK",
                "MsMem",      "Cislo",     "CisloAkt", "UzivSoubor",  "CisloRadku",  "QWERTZ"};
            QString written;
            for (const QString& line : QString::fromStdString(ini).split("\r\n")) {
                if (line.contains(u'=')) {
                    written += line.section(u'=', 0, 0) + u' ';
                }
            }
            QCOMPARE(written.trimmed(), keys.join(u' '));
        }
        // The next start comes back on line 2 with the statistics of the text.
        Session again(*dir);
        QCOMPARE(Child<QtField>(again.window.get(), "EditCisloRadku")->text(), QStringLiteral("2"));
        QCOMPARE(again.meter.lessonKeystrokes, 7);
        QCOMPARE(Child<QtField>(again.window.get(), "EditChybyLekce")->text(), QStringLiteral("1"));
    }

    void closingWhileMaximizedStoresIsMaximizedAndTheRestoredBounds() {
        QRect restored;
        {
            Session s(*dir);
            // The window's inside is saved: the frame is the window manager's.
            restored = s.window->geometry();
            s.window->showMaximized();
            QTRY_VERIFY(s.window->isMaximized());
            s.CloseAndDestroy();
            const std::string ini = s.Ini();
            QCOMPARE(Value(ini, "IsMaximized"), QStringLiteral("1"));
            QCOMPARE(QRect(Value(ini, "Left").toInt(), Value(ini, "Top").toInt(),
                           Value(ini, "Width").toInt(), Value(ini, "Height").toInt()),
                     restored);
        }
        Session again(*dir);
        QTRY_VERIFY(again.window->isMaximized());
        // Leaving the maximized state gives back the saved bounds.
        again.window->showNormal();
        QTRY_COMPARE(again.window->geometry(), restored);
    }

    void savedSettingsAreReadAtStartUp() {
        WriteIni("[Lekce]\r\nCislo=5\r\nCisloAkt=5\r\nCisloRadku=1\r\nQWERTZ=0\r\n"
                 "[Options]\r\nSpeedIx=2\r\nSpeed=0\r\n"
                 "[Statistika]\r\nChCelkem=4\r\nUhozyCelkem=50\r\n"
                 "[Font]\r\nName=No Such Font At All\r\nSize=14\r\nBold=1\r\n");
        Session s(*dir);
        QCOMPARE(s.window->windowTitle(), QStringLiteral("Klaptos lekce 5 (QWERTY)"));
        QCOMPARE(Child<QtField>(s.window.get(), "EditChybyLekce")->text(), QStringLiteral("4"));
        QCOMPARE(Child<QLabel>(s.window.get(), "LabelSpeed8")->text(), QStringLiteral("600"));
        QCOMPARE(Child<QLabel>(s.window.get(), "LabelSpeed1")->text(), QStringLiteral("75"));
        QVERIFY(Child<QGroupBox>(s.window.get(), "GroupBoxSpeed")->isHidden());
        QVERIFY(Child<QPushButton>(s.window.get(), "ButtonShowSpeed")->isVisible());
        QCOMPARE(s.TypingFont().family(), QStringLiteral("Courier New"));
        QCOMPARE(s.TypingFont().pointSize(), 14);
        QVERIFY(s.TypingFont().bold());
    }

    // A size outside 6..72 points is corrected to the default, from the file and from the
    // font dialog alike (2000 points once took gigabytes before the window appeared).
    void fontSizesOutsideTheAcceptedRangeAreCorrected() {
        for (const auto& [written, used] : std::vector<std::pair<int, int>>{
                 {2000, 12}, {73, 12}, {5, 12}, {-1, 12}, {6, 6}, {72, 72}}) {
            WriteIni("[Font]\r\nSize=" + std::to_string(written) + "\r\n");
            // The typing line takes the font when the window is first shown.
            Session s(*dir);
            QCOMPARE(s.TypingFont().pointSize(), used);
        }
        Session s(*dir);
        QFont huge = s.TypingFont();
        huge.setPointSize(100);
        s.answers.push_back([&](QDialog& dialog) {
            static_cast<QFontDialog&>(dialog).setCurrentFont(huge);
            return static_cast<int>(QDialog::Accepted);
        });
        QTest::keyClick(s.window.get(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(s.TypingFont().pointSize(), 12);
        s.CloseAndDestroy();
        QCOMPARE(Value(s.Ini(), QStringLiteral("Size")), QStringLiteral("12"));
    }

    void hidingAndShowingTheSpeedPanelSetsTheOption() {
        Session s(*dir);
        QTest::mouseClick(Child<QPushButton>(s.window.get(), "ButtonNoSpeed"), Qt::LeftButton);
        QVERIFY(Child<QGroupBox>(s.window.get(), "GroupBoxSpeed")->isHidden());
        QVERIFY(!s.options.Speed);
        QTest::mouseClick(Child<QPushButton>(s.window.get(), "ButtonShowSpeed"), Qt::LeftButton);
        QVERIFY(!Child<QGroupBox>(s.window.get(), "GroupBoxSpeed")->isHidden());
        QVERIFY(s.options.Speed);
    }

    void hintsShowTheirLongPartInTheStatusBar() {
        Session s(*dir);
        QCOMPARE(Child<QtField>(s.window.get(), "EditNapoveda")->toolTip(),
                 U("Úvodní řádek soubor/lekce "));
        QStatusTipEvent tip(Child<QtField>(s.window.get(), "EditNapoveda")->statusTip());
        QApplication::sendEvent(Child<QtField>(s.window.get(), "EditNapoveda"), &tip);
        QCOMPARE(s.StatusHint(), U(" Úvodní řádek soubor/lekce s popisem či návodem k cvičení"));
        QStatusTipEvent none{QString()};
        QApplication::sendEvent(Child<QtField>(s.window.get(), "EditNapoveda"), &none);
        QVERIFY(s.StatusHint().isEmpty());
    }

    void lessonDialogLoadsTheChosenLessonInStopMode() {
        Session s(*dir);
        QTest::keyClick(s.window.get(), Qt::Key_F9);
        s.answers.push_back([](QDialog& dialog) {
            auto& lessons = static_cast<TFormLekce&>(dialog);
            if (lessons.SelectedLesson() != 1 || !lessons.SelectedQwertz()) {
                return static_cast<int>(QDialog::Rejected);
            }
            lessons.Select(5, false);
            return static_cast<int>(QDialog::Accepted);
        });
        QTest::keyClick(s.window.get(), Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(s.shown, QStringList{QStringLiteral("TFormLekce")});
        QCOMPARE(s.window->windowTitle(), QStringLiteral("Klaptos lekce 5 (QWERTY)"));
        QVERIFY(s.Stopped());
    }

    void ownTextFileIsOpenedAndItsEndShowsTheEvaluation() {
        const std::string path = dir->WriteTextFile("vlastni.txt", "Můj text", {"ťó"});
        Session s(*dir);
        s.answers.push_back([&path](QDialog& dialog) {
            auto& files = static_cast<QFileDialog&>(dialog);
            if (files.windowTitle() != QStringLiteral("Otevrit textovy soubor") ||
                files.defaultSuffix() != QStringLiteral("txt") ||
                files.fileMode() != QFileDialog::ExistingFile) {
                return static_cast<int>(QDialog::Rejected);
            }
            files.selectFile(QString::fromStdString(path));
            return static_cast<int>(QDialog::Accepted);
        });
        QTest::keyClick(s.window.get(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(s.window->windowTitle(),
                 QStringLiteral("Klaptos soubor: ") + QString::fromStdString(path));
        QCOMPARE(Child<QtField>(s.window.get(), "EditNapoveda")->text(), U("Můj text"));

        QTest::keyClick(s.window.get(), Qt::Key_F9);
        while (s.Expected() != TypingLine::kEndOfLine) {
            s.TypeRight(Child<QtField>(s.window.get(), "EditCisloRadku"));
        }
        s.Answer(TFormKonec::kResultRepeat);
        QTest::keyClick(Child<QtField>(s.window.get(), "EditCisloRadku"), Qt::Key_Return);
        QCOMPARE(s.shown, (QStringList{"QFileDialog", "TFormKonec"}));
        // Repeat: the same text from its first line, in STOP mode, statistics cleared.
        QVERIFY(s.Stopped());
        QCOMPARE(Child<QtField>(s.window.get(), "EditCisloRadku")->text(), QStringLiteral("1"));
        QCOMPARE(s.meter.lessonKeystrokes, 0);
    }

    void fontDialogAppliedThenCancelledKeepsTheFontAndTheLineBeingTyped() {
        Session s(*dir);
        QTest::keyClick(s.window.get(), Qt::Key_F9);
        s.TypeRight(Child<QtField>(s.window.get(), "EditCisloRadku"));
        const TypingLine before = s.Line();
        QFont chosen = s.TypingFont();
        chosen.setPointSize(20);
        bool sawPreview = false;
        s.answers.push_back([&](QDialog& dialog) {
            sawPreview = s.Line().typedPos == 68 && s.Line().patternLen == 68;
            auto& fonts = static_cast<QFontDialog&>(dialog);
            fonts.setCurrentFont(chosen);
            const auto* buttons = fonts.findChild<QDialogButtonBox*>();
            if (buttons == nullptr || buttons->button(QDialogButtonBox::Apply) == nullptr) {
                return static_cast<int>(QDialog::Accepted);
            }
            buttons->button(QDialogButtonBox::Apply)->click();
            return static_cast<int>(QDialog::Rejected);
        });
        const int viewWidthBefore = Child<PaintBoxType>(s.window.get(), "paintBoxType")->width();
        QTest::keyClick(s.window.get(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(sawPreview);
        QCOMPARE(s.TypingFont().pointSize(), 20);
        QVERIFY(Child<PaintBoxType>(s.window.get(), "paintBoxType")->width() > viewWidthBefore);
        QCOMPARE(s.Line().typedPos, before.typedPos);
        QCOMPARE(s.Line().patternLine, before.patternLine);
        QCOMPARE(s.Line().typedLine, before.typedLine);
        QVERIFY(!s.Stopped());
    }

    void optionsAcceptedApplyTheCharacterSpaceAndTheScaleAndResumeTyping() {
        Session s(*dir);
        QTest::keyClick(s.window.get(), Qt::Key_F9);
        const int cellWidth = Child<PaintBoxType>(s.window.get(), "paintBoxType")->View().cellWidth;
        s.answers.push_back([&s](QDialog&) {
            // What the dialog's OK does to the options.
            s.options.CharSpace = 5;
            s.options.SpeedMax = 400;
            return static_cast<int>(QDialog::Accepted);
        });
        QTest::keyClick(s.window.get(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(s.shown, QStringList{QStringLiteral("TFormOptions")});
        QCOMPARE(Child<PaintBoxType>(s.window.get(), "paintBoxType")->View().cellWidth,
                 cellWidth + 4);
        QCOMPARE(Child<QLabel>(s.window.get(), "LabelSpeed8")->text(), QStringLiteral("400"));
        QVERIFY(!s.Stopped());
    }

    void splashShowsTheStartUpStepsAndClosesAtTheFirstTickAfterTheWindowIsReady() {
        const QPointer<TSOkno> splash = new TSOkno();
        splash->show();
        Session s(*dir, false, {}, splash);
        QCOMPARE(splash->Processing(), U("Obnovuji nastavení..."));
        s.Show();
        QCOMPARE(splash->Processing(), U("Načítám data..."));
        splash->Timer2Timer();
        QTRY_VERIFY(splash.isNull());
    }

    void helpOpensOnItsContentsAndTypingGoesOn() {
        Session s(*dir);
        QTest::keyClick(s.window.get(), Qt::Key_F9);
        QTest::keyClick(s.window.get(), Qt::Key_F1);
        const auto helps = s.window->findChildren<TFormHelp*>();
        QCOMPARE(helps.size(), 1);
        QVERIFY(helps.first()->isVisible());
        QVERIFY(!s.Stopped());
        QVERIFY(s.shown.isEmpty());
    }

    void aboutWindowSuspendsTypingWhileItIsOpen() {
        Session s(*dir);
        QTest::keyClick(s.window.get(), Qt::Key_F9);
        bool stoppedMeanwhile = false;
        s.answers.push_back([&](QDialog&) {
            stoppedMeanwhile = s.Stopped();
            return static_cast<int>(QDialog::Accepted);
        });
        Child<QAction>(s.window.get(), "MenuOaplikaci")->trigger();
        QCOMPARE(s.shown, QStringList{QStringLiteral("TFormAbout")});
        QVERIFY(stoppedMeanwhile);
        QVERIFY(!s.Stopped());
    }

    void fontDialogThatWouldReachBelowTheScreenMovesTheWindowUpUntilItCloses() {
        Session s(*dir);
        const QRect screen = s.window->screen()->availableGeometry();
        const int top = screen.height() - s.window->frameGeometry().height() - 10;
        s.window->move(s.window->x(), top);
        QTRY_COMPARE(s.window->frameGeometry().y(), top);
        QRect dialogPlace;
        int windowTopMeanwhile = -1;
        s.answers.push_back([&](QDialog& dialog) {
            dialog.show();
            dialogPlace = dialog.frameGeometry();
            windowTopMeanwhile = s.window->frameGeometry().y();
            dialog.hide();
            return static_cast<int>(QDialog::Rejected);
        });
        QTest::keyClick(s.window.get(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(windowTopMeanwhile < top);
        QVERIFY(windowTopMeanwhile >= 0);
        QVERIFY(dialogPlace.bottom() < screen.height());
        // Centred under the typing line.
        const QWidget* view = Child<PaintBoxType>(s.window.get(), "paintBoxType");
        const int left = s.window->frameGeometry().x() + view->x();
        QCOMPARE(dialogPlace.x(), (left * 2 + view->width() - dialogPlace.width()) / 2);
        QTRY_COMPARE(s.window->frameGeometry().y(), top);
    }

    void settingsThatCannotBeWrittenAreReportedAndTheProgramEndsNormally() {
        // A directory in the settings file's place makes every write fail.
        std::filesystem::create_directory(dir->Path() + "klaptos.ini");
        Session s(*dir);
        QString message;
        s.answers.push_back([&message](QDialog& dialog) {
            message = static_cast<QMessageBox&>(dialog).text();
            return static_cast<int>(QMessageBox::Ok);
        });
        // Reported by the close, while the window still stands, never from its destruction.
        s.answers.push_front([](QDialog&) { return static_cast<int>(QDialogButtonBox::Yes); });
        QVERIFY(s.window->close());
        QCOMPARE(s.shown, (QStringList{"TFormCQuery", "QMessageBox"}));
        s.window.reset();
        QCOMPARE(s.shown.size(), 2);
        QCOMPARE(message,
                 QString::fromStdString("Unable to write to " + dir->Path() + "klaptos.ini"));
    }
};

QTEST_MAIN(TFormHOknoPMQtTest)
#include "TFormHOknoPMQtTest.moc"
