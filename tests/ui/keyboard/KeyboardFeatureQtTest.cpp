// The on-screen keyboard in the main window: switched off the window is the designed one,
// switched at run time the window grows and shrinks by the panel, the Options dialog and the
// settings file keep the choice, and the heat map colours the keys by the errors made.

#include "KeyboardFeature.h"

#include "ErrorCounter.h"
#include "HeatScale.h"
#include "KeyColours.h"
#include "KeyboardPanel.h"
#include "KeyboardView.h"
#include "MainWindowRig.h"
#include "PaintBoxType.h"
#include "QtField.h"
#include "TFormOptions.h"
#include "TypingEngine.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <fstream>
#include <memory>

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// One run of the program with the keyboard feature (or without any feature), the heat map's
// counter registered as main() registers it.
struct Session : MainWindowRig {
    Session(TempLessonDir& dir, bool withKeyboard)
        : MainWindowRig(dir), errors(Make<ErrorCounter>(meter)),
          keyboard(Make<KeyboardFeature>(store, &errors)) {
        Build(withKeyboard ? std::vector<MainWindowFeature*>{&keyboard}
                           : std::vector<MainWindowFeature*>{});
        window->Engine().AddObserver(errors);
        Show();
    }

    [[nodiscard]] KeyboardPanel& Panel() const {
        return *Child<KeyboardPanel>(window.get(), "KeyboardPanel");
    }
    [[nodiscard]] QAction& Action(const char* name) const {
        return *Child<QAction>(window.get(), name);
    }

    ErrorCounter& errors;
    KeyboardFeature& keyboard;
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
        QTRY_VERIFY(s.window->IsWindowMaximized());
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
        s.window->ActionContinue();
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

        s.store.LoadLesson(12, false);
        s.window->Engine().BeginText();
        QVERIFY(!s.Panel().View().Layout().IsQwertz());
        QCOMPARE(s.Panel().View().FingerText(), U("levý malíček – z"));
    }

    void theHeatMapColoursEachKeyByItsErrorsAndGoesAgain() {
        dir = std::make_unique<TempLessonDir>();
        dir->AddLesson(1, "Lekce 1", {"fff jjj", "dd kk"});
        Session s(*dir, true);
        s.window->ActionContinue();
        // Three wrong keys where the first f was expected, then the line right.
        for (const unsigned char c : {'x', 'x', 'x', 'f', 'f', 'f', ' ', 'j', 'j', 'j', '\r'}) {
            s.Type(c);
        }
        s.Action("ActionMapaChyb").trigger();
        KeyboardView& view = s.Panel().View();
        const auto colourOf = [&view](char32_t c) {
            const QImage shot = view.grab().toImage();
            const QRect key = view.KeyRect(view.Layout().KeyWriting(c));
            return shot
                .pixelColor(QPoint(key.right() - 5, key.center().y() + key.height() / 4) *
                            shot.devicePixelRatio())
                .rgb();
        };
        const auto heat = [&view](HeatStep step) {
            return KeyColours::Readable(QColor::fromRgb(HeatScale::Colour(step)),
                                        view.palette().color(QPalette::ButtonText))
                .rgb();
        };
        QCOMPARE(colourOf(U'f'), heat(HeatStep::Severe)); // 3 errors in 6
        QCOMPARE(colourOf(U'j'), heat(HeatStep::Clean));
        QCOMPARE(colourOf(U'k'), view.palette().color(QPalette::Button).rgb()); // not typed

        s.Action("ActionMapaChyb").trigger();
        QCOMPARE(colourOf(U'f'), KeyColours::FingerTint(Finger::LeftIndex, view.palette()).rgb());
    }
};

QTEST_MAIN(KeyboardFeatureQtTest)
#include "KeyboardFeatureQtTest.moc"
