// The on-screen keyboard in the main window: switched off the window is the designed one,
// switched at run time the window grows and shrinks by the panel, the Options dialog and the
// settings file keep the choice, and the heat map colours the keys by the errors made.

#include "KeyboardFeature.h"

#include "ErrorCounter.h"
#include "HeatScale.h"
#include "HistoryDatabase.h"
#include "HistoryFeature.h"
#include "HistoryThread.h"
#include "KeyColours.h"
#include "KeyboardPanel.h"
#include "KeyboardView.h"
#include "MainWindowRig.h"
#include "PaintBoxType.h"
#include "QtField.h"
#include "TFormKonec.h"
#include "TFormLekce.h"
#include "TFormOptions.h"
#include "TypingEngine.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <memory>
#include <optional>
#include <sstream>

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The colour of the key that writes `c`, beside its caption.
QRgb ColourOfKey(KeyboardView& view, char32_t c) {
    const QImage shot = view.grab().toImage();
    const QRect key = view.KeyRect(view.Layout().KeyWriting(c));
    return shot
        .pixelColor(QPoint(key.right() - 5, key.center().y() + key.height() / 4) *
                    shot.devicePixelRatio())
        .rgb();
}

// The colour of a key by its index, e.g. a Shift.
QRgb ColourAt(KeyboardView& view, int keyIndex) {
    const QImage shot = view.grab().toImage();
    const QRect key = view.KeyRect(keyIndex);
    return shot
        .pixelColor(QPoint(key.right() - 5, key.center().y() + key.height() / 4) *
                    shot.devicePixelRatio())
        .rgb();
}

QRgb HeatColour(const KeyboardView& view, HeatStep step) {
    return KeyColours::Readable(QColor::fromRgb(HeatScale::Colour(step)),
                                view.palette().color(QPalette::ButtonText))
        .rgb();
}

// The heat map's counter as a feature of its own, as the practice feature brings it.
struct ErrorsFeature final : MainWindowFeature {
    TypingObserver* Observer() override { return &errors; }
    ErrorCounter errors;
};

// Which feature joins the window first; the heat map must not depend on it.
enum class Joined { KeyboardFirst, CounterFirst };

// One run of the program with the keyboard feature and the heat map's counter (or without any
// feature).
struct Session : MainWindowRig {
    Session(TempLessonDir& dir, bool withKeyboard, Joined order = Joined::KeyboardFirst,
            HistoryThread* history = nullptr)
        : MainWindowRig(dir), counter(Make<ErrorsFeature>()),
          keyboard(Make<KeyboardFeature>(store, &counter.errors, history)) {
        std::vector<MainWindowFeature*> features;
        if (withKeyboard) {
            features = order == Joined::KeyboardFirst
                           ? std::vector<MainWindowFeature*>{&keyboard, &counter}
                           : std::vector<MainWindowFeature*>{&counter, &keyboard};
        }
        if (history != nullptr) {
            recorder = &Make<HistoryFeature>(
                *history, meter, store,
                HistoryRecorder::Sources{
                    .keyErrors = &counter.errors.Counts(), .practiceOf = {}, .now = {}});
            features.push_back(recorder);
        }
        Build(features);
        Show();
    }

    void StartTyping() { QTest::keyClick(window.get(), Qt::Key_F9); }

    // Chooses a lesson in the lesson dialog, as the pupil does with Ctrl+L.
    void ChooseLesson(int lesson, bool qwertz) {
        answer = [lesson, qwertz](QDialog& dialog) {
            static_cast<TFormLekce&>(dialog).Select(lesson, qwertz);
            return static_cast<int>(QDialog::Accepted);
        };
        QTest::keyClick(window.get(), Qt::Key_L, Qt::ControlModifier);
        answer = nullptr;
    }

    [[nodiscard]] KeyboardPanel& Panel() const {
        return *Child<KeyboardPanel>(window.get(), "KeyboardPanel");
    }
    [[nodiscard]] QAction& Action(const char* name) const {
        return *Child<QAction>(window.get(), name);
    }

    ErrorsFeature& counter;
    KeyboardFeature& keyboard;
    HistoryFeature* recorder = nullptr;
};

} // namespace

class KeyboardFeatureQtTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempLessonDir> dir;

    void WriteIni(const std::string& text) {
        std::ofstream(dir->Path() + "klaptos.ini", std::ios::binary) << text;
    }

private slots:
    void init() {
        dir = std::make_unique<TempLessonDir>();
        dir->AddLesson(1, "Lekce 1: d f j k. Ukazováčky leží na f a j, prostředníčky na d a k.",
                       {"ff jj", "dd kk", "fd jk"});
        dir->AddLesson(12, "Lekce 12: z", {"zz aa"}, false);
    }
    void cleanup() { dir.reset(); }

    void switchedOffTheWindowIsTheDesignedOneAndTheChoiceIsWrittenAtTheEndOfOptions() {
        QSize designed;
        {
            Session bare(*dir, false);
            designed = bare.window->size();
        }
        {
            Session first(*dir, true);
            first.Action("ActionKlavesnice").trigger();
            first.CloseAndDestroy();
            QVERIFY(first.Ini().find("\r\nSound=0\r\nKlavesnice=0\r\n[Statistika]\r\n") !=
                    std::string::npos);
        }
        Session s(*dir, true);
        QCOMPARE(s.window->size(), designed);
        QVERIFY(s.Panel().isHidden());
        QVERIFY(!s.Action("ActionKlavesnice").isChecked());
        QVERIFY(!s.Action("ActionMapaChyb").isEnabled());
    }

    void switchingAtRunTimeGrowsAndShrinksTheWindowByThePanelBelowTheTypingLine() {
        Session s(*dir, true);
        QCOMPARE(s.window->findChildren<KeyboardPanel*>(), QList<KeyboardPanel*>{&s.Panel()});
        QCOMPARE(s.window->findChildren<KeyboardView*>(), QList<KeyboardView*>{&s.Panel().View()});
        const QWidget& typingLine = *Child<PaintBoxType>(s.window.get(), "paintBoxType");
        const QWidget& counters = *Child<QWidget>(s.window.get(), "Panel1");
        QVERIFY(s.Action("ActionKlavesnice").isChecked());
        const QSize withKeyboard = s.window->size();
        const int panelHeight = s.Panel().height();
        QVERIFY(panelHeight > 150);
        QCOMPARE(s.Panel().y(), typingLine.geometry().bottom() + 1);
        QCOMPARE(counters.y(), s.Panel().geometry().bottom() + 1);
        QCOMPARE(s.Panel().width(),
                 std::max(typingLine.width() - 3, counters.width())); // the view's frame: 3

        s.Action("ActionKlavesnice").trigger();
        QVERIFY(s.Panel().isHidden());
        QCOMPARE(s.window->size(), withKeyboard - QSize(0, panelHeight));
        QCOMPARE(counters.y(), typingLine.geometry().bottom() + 1);

        s.Action("ActionKlavesnice").trigger();
        QVERIFY(!s.Panel().isHidden());
        QCOMPARE(s.window->size(), withKeyboard);
        QCOMPARE(counters.y(), s.Panel().geometry().bottom() + 1);

        // Maximized the window keeps its size; the panel and the counters stay inside it.
        s.window->showMaximized();
        QTRY_VERIFY(s.window->isMaximized());
        const QSize maximized = s.window->size();
        s.Action("ActionKlavesnice").trigger();
        s.Action("ActionKlavesnice").trigger();
        QCOMPARE(s.window->size(), maximized);
        QVERIFY(s.window->centralWidget()->rect().contains(counters.geometry()));
        QCOMPARE(counters.y(), s.Panel().geometry().bottom() + 1);
    }

    void theOptionsDialogShowsAndSwitchesTheKeyboardInARowOfItsOwn() {
        Session s(*dir, true);
        bool wasChecked = false;
        bool ownRow = false;
        s.answer = [&](QDialog& dialog) {
            QCheckBox* box = nullptr;
            for (QCheckBox* b : dialog.findChildren<QCheckBox*>()) {
                if (b->text() == U("Zobrazovat klávesnici")) {
                    box = b;
                }
            }
            if (box == nullptr) {
                return static_cast<int>(QDialog::Rejected);
            }
            const auto& options = static_cast<TFormOptions&>(dialog);
            wasChecked = box->isChecked();
            ownRow =
                box->geometry().top() >= options.findChild<QGroupBox*>()->geometry().bottom() &&
                box->geometry().bottom() < options.BitBtnOptionOK->geometry().top() &&
                options.BitBtnOptionOK->geometry().bottom() < dialog.height();
            box->setChecked(false);
            static_cast<TFormOptions&>(dialog).BitBtnOptionOKClick();
            return dialog.result();
        };
        s.Action("ActionOptions").trigger();
        QVERIFY(wasChecked);
        QVERIFY(ownRow);
        QVERIFY(s.Panel().isHidden());
        QVERIFY(!s.Action("ActionKlavesnice").isChecked());
    }

    void theKeyboardFollowsTheLessonItsLayoutAndItsIntroLine() {
        Session s(*dir, true);
        const QString intro =
            U("Lekce 1: d f j k. Ukazováčky leží na f a j, prostředníčky na d a k.");
        QCOMPARE(s.Panel().IntroLabel().text(), intro);
        QCOMPARE(Child<QtField>(s.window.get(), "EditNapoveda")->toolTip(), intro);
        QVERIFY(s.Panel().View().Layout().IsQwertz());
        QCOMPARE(s.Panel().View().FingerText(), U("levý ukazováček – f"));
        s.StartTyping();
        s.Type('f');
        s.Type('f');
        QCOMPARE(s.Panel().View().FingerText(), U("palec – mezerník"));

        // Hidden, it hears the typing without showing it; shown again, it has caught up.
        s.Action("ActionKlavesnice").trigger();
        QCOMPARE(Child<QtField>(s.window.get(), "EditNapoveda")->toolTip(),
                 U("Úvodní řádek soubor/lekce "));
        s.Type(' ');
        s.Action("ActionKlavesnice").trigger();
        QCOMPARE(s.Panel().View().FingerText(), U("pravý ukazováček – j"));

        s.ChooseLesson(12, false);
        QVERIFY(!s.Panel().View().Layout().IsQwertz());
        QCOMPARE(s.Panel().View().FingerText(), U("levý malíček – z"));
    }

    void theHeatMapColoursEachKeyByItsErrorsAndGoesAgain() {
        dir = std::make_unique<TempLessonDir>();
        dir->AddLesson(1, "Lekce 1", {"fff jjj", "dd kk"});
        Session s(*dir, true);
        s.StartTyping();
        // Three wrong keys where the first f was expected, then the line right.
        for (const unsigned char c : {'x', 'x', 'x', 'f', 'f', 'f', ' ', 'j', 'j', 'j', '\r'}) {
            s.Type(c);
        }
        s.Action("ActionMapaChyb").trigger();
        KeyboardView& view = s.Panel().View();
        const auto colourOf = [&view](char32_t c) { return ColourOfKey(view, c); };
        const auto heat = [&view](HeatStep step) { return HeatColour(view, step); };
        QCOMPARE(colourOf(U'f'), heat(HeatStep::Severe)); // 3 errors in 6
        QCOMPARE(colourOf(U'j'), heat(HeatStep::Clean));
        QCOMPARE(colourOf(U'k'), view.palette().color(QPalette::Button).rgb()); // not typed

        s.Action("ActionMapaChyb").trigger();
        QCOMPARE(colourOf(U'f'), KeyColours::FingerTint(Finger::LeftIndex, view.palette()).rgb());
    }

    // The map follows the counts of the text being typed: a new text, the same text started
    // again and the next lesson show no colour of the text before, whichever feature joined
    // the window first.
    void theHeatMapStartsAfreshWithEachTextWhicheverFeatureJoinedFirst() {
        dir = std::make_unique<TempLessonDir>();
        // The keys looked at are never the next key, which is lit.
        dir->AddLesson(1, "Lekce 1", {"dfff", "jjj"});
        dir->AddLesson(2, "Lekce 2", {"kjjj", "kkk"});
        for (const Joined order : {Joined::KeyboardFirst, Joined::CounterFirst}) {
            Session s(*dir, true, order);
            KeyboardView& view = s.Panel().View();
            const QRgb untyped = view.palette().color(QPalette::Button).rgb();
            const QRgb severe = HeatColour(view, HeatStep::Severe);
            const auto colourOf = [&view](char32_t c) { return ColourOfKey(view, c); };
            QWidget* field = Child<QWidget>(s.window.get(), "EditCisloRadku");
            const auto typeLine = [&s, field](std::initializer_list<unsigned char> keys) {
                for (const unsigned char c : keys) {
                    s.Type(c);
                }
                QTest::keyClick(field, Qt::Key_Return);
            };
            s.Action("ActionMapaChyb").trigger();

            // Started again with Ctrl+F2 after a finished line with errors.
            s.StartTyping();
            typeLine({'d', 'x', 'f', 'f', 'f'});
            QCOMPARE(colourOf(U'f'), severe);
            QTest::keyClick(s.window.get(), Qt::Key_F2, Qt::ControlModifier);
            QCOMPARE(colourOf(U'f'), untyped);

            // Finished, then the next lesson from the evaluation.
            s.StartTyping();
            typeLine({'d', 'x', 'f', 'f', 'f'});
            s.answer = [](QDialog&) { return TFormKonec::kResultNext; };
            typeLine({'j', 'j', 'j'});
            QCOMPARE(s.store.CurrentLesson, 2);
            QCOMPARE(colourOf(U'f'), untyped);
            QCOMPARE(colourOf(U'j'), untyped);

            // A lesson chosen anew.
            s.answer = nullptr;
            s.StartTyping();
            typeLine({'k', 'x', 'j', 'j', 'j'});
            QVERIFY(colourOf(U'j') != untyped);
            s.ChooseLesson(1, true);
            QCOMPARE(colourOf(U'j'), untyped);
            s.answer = nullptr;
        }
    }

    // The map shows the text being typed with the last texts of the history: after a finished
    // text and the next one begun, its keys keep the finished text's colours, added to the new
    // text's; a capital typed without Shift colours the Shift, not the letter's key.
    void theHeatMapAddsTheLastTextsFromTheHistoryAndColoursTheShiftThatWasMissed() {
        dir = std::make_unique<TempLessonDir>();
        dir->AddLesson(1, "Lekce 1", {"FFf jjjjjjjjjjjjjjjjjj"});
        dir->AddLesson(2, "Lekce 2", {"jjj", "kkk"});
        QTemporaryDir historyDir;
        RecordingReporter historyReporter;
        HistoryThread history(
            [folder = historyDir.path().toStdString()](Reporter& r) {
                return std::make_unique<HistoryDatabase>(folder, r);
            },
            historyReporter);
        Session s(*dir, true, Joined::KeyboardFirst, &history);
        KeyboardView& view = s.Panel().View();
        const KeyboardLayout& layout = view.Layout();
        const int rightShift = layout.KeyOfRole(KeyRole::Shift, Hand::Right);
        const auto colourOf = [&view](char32_t c) { return ColourOfKey(view, c); };
        const auto heat = [&view](HeatStep step) { return HeatColour(view, step); };
        QWidget* field = Child<QWidget>(s.window.get(), "EditCisloRadku");
        s.Action("ActionMapaChyb").trigger();

        // f for the first F: the Shift went wrong, 1 in 3.
        std::map<QString, QRgb> atTheEnd;
        s.answer = [&](QDialog&) {
            atTheEnd = {{QStringLiteral("Shift"), ColourAt(view, rightShift)},
                        {QStringLiteral("f"), colourOf(U'f')},
                        {QStringLiteral("j"), colourOf(U'j')}};
            if (qEnvironmentVariableIsSet("KLAPTOS_HEATMAP_SHOT")) {
                view.grab().save(qEnvironmentVariable("KLAPTOS_HEATMAP_SHOT"));
            }
            return TFormKonec::kResultNext;
        };
        s.StartTyping();
        for (const unsigned char c : {'f', 'F', 'F', 'f', ' '}) {
            s.Type(c);
        }
        for (int i = 0; i < 18; ++i) {
            s.Type('j');
        }
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(atTheEnd,
                 (std::map<QString, QRgb>{{QStringLiteral("Shift"), heat(HeatStep::Severe)},
                                          {QStringLiteral("f"), heat(HeatStep::Clean)},
                                          {QStringLiteral("j"), heat(HeatStep::Clean)}}));

        // Lesson 2 begun: the finished text comes back from the history, its error on the F's
        // own key (the history keeps no key struck).
        QCOMPARE(s.store.CurrentLesson, 2);
        s.answer = nullptr;
        // The history answers on its own thread, later on a busy machine.
        QTRY_COMPARE_WITH_TIMEOUT(colourOf(U'f'), heat(HeatStep::Severe), 60000);
        QCOMPARE(colourOf(U'k'), view.palette().color(QPalette::Button).rgb());

        // One j wrong in 4 here, none in 19 there: 1 in 23 together.
        s.StartTyping();
        for (const unsigned char c : {'x', 'j', 'j', 'j'}) {
            s.Type(c);
        }
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(colourOf(U'j'), heat(HeatStep::Medium));
        QCOMPARE(colourOf(U'f'), heat(HeatStep::Severe));
    }
};

QTEST_MAIN(KeyboardFeatureQtTest)
#include "KeyboardFeatureQtTest.moc"
