// The main window's port: each call of the typing model sets the control that shows it, an
// unchanged count repaints nothing, the fields hold what a text can need, and the features
// give the caption and the intro line's tooltip their part.

#include "QtMainWindowPort.h"

#include "Cp1250.h"
#include "Evaluation.h"
#include "FeatureList.h"
#include "MainWindowControls.h"
#include "MainWindowMenus.h"
#include "PaintCounter.h"
#include "ProgramOptions.h"
#include "QtField.h"
#include "TypingLine.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QStyle>
#include <QTest>

#include <memory>

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

template <typename T> T* Child(const QObject* parent, const char* name) {
    T* child = parent->findChild<T*>(QLatin1String(name));
    if (child == nullptr) {
        qFatal("no control %s", name);
    }
    return child;
}

// A feature that shows the whole intro line itself and names its own texts, when told to.
struct IntroFeature final : MainWindowFeature {
    [[nodiscard]] bool ShowsIntroLine() const override { return showsIntro; }
    [[nodiscard]] std::optional<std::string> CaptionSuffix() const override { return suffix; }
    bool showsIntro = false;
    std::optional<std::string> suffix;
};

// The designed window's controls and menus with the port on them, and no typing model.
struct Window {
    explicit Window(std::vector<MainWindowFeature*> joined = {})
        : menus(window), controls(window, line, options, *menus.ActionPause, *menus.ActionContinue),
          features(std::move(joined)), port(window, controls, menus, features, [this] {
              ++evaluations;
              return EvaluationAnswer::Repeat;
          }) {
        window.resize(509, 370);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }

    [[nodiscard]] QtField* Field(const char* name) const { return Child<QtField>(&window, name); }

    QMainWindow window;
    TypingLine line;
    ProgramOptions options;
    MainWindowMenus menus;
    MainWindowControls controls;
    FeatureList features;
    QtMainWindowPort port;
    int evaluations = 0;
};

} // namespace

class QtMainWindowPortQtTest : public QObject {
    Q_OBJECT

private slots:
    void lineErrorsAreEmphasisedAndAnUnchangedCountDoesNotRepaint() {
        Window w;
        QtField* field = w.Field("EditChybyRadek");
        const QPalette system = QApplication::palette();
        w.port.ShowLineErrors(4, true);
        QCOMPARE(field->palette().color(QPalette::Base), system.color(QPalette::Highlight));
        QCOMPARE(field->palette().color(QPalette::Text), system.color(QPalette::HighlightedText));
        QCoreApplication::processEvents();

        // The meter reports the count on every keystroke.
        PaintCounter counter(field);
        w.port.ShowLineErrors(4, true);
        QCoreApplication::processEvents();
        QCOMPARE(counter.paints, 0);

        w.port.ShowLineErrors(0, false);
        QCOMPARE(field->text(), QStringLiteral("0"));
        QCOMPARE(field->palette().color(QPalette::Base), system.color(QPalette::Button));
        QCOMPARE(field->palette().color(QPalette::Text), system.color(QPalette::ButtonText));
    }

    void lineFieldsHoldSevenDigitsAndShowNothingWithoutAText() {
        Window w;
        QtField* count = w.Field("EditPocetRadku");
        w.port.ShowLineCount(1000000);
        QCOMPARE(count->text(), QStringLiteral("1000000"));
        const int frame = count->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        QVERIFY(count->fontMetrics().horizontalAdvance(count->text()) + 2 * frame + 4 <=
                count->width());
        // The caption after it still stands clear of it.
        for (const QLabel* label : count->parentWidget()->findChildren<QLabel*>()) {
            if (label->text() == U("Doba psaní ")) {
                QVERIFY(count->geometry().right() < label->x());
            }
        }
        if (const QString shots = qEnvironmentVariable("KLAPTOS_SCREENSHOT_DIR");
            !shots.isEmpty()) {
            w.window.grab().save(shots + QStringLiteral("/line-count-seven-digits.png"));
        }
        w.port.ShowLineNumber(0);
        w.port.ShowLineCount(0);
        QCOMPARE(w.Field("EditCisloRadku")->text(), QString());
        QCOMPARE(count->text(), QString());
    }

    void theStatusPauseItemsAndCommandsGoToTheirControls() {
        Window w;
        w.port.SetStatusText(Cp1250::FromUtf8("* PSANÍ"));
        QCOMPARE(Child<QLabel>(&w.window, "StatusPanel0")->text(), U("* PSANÍ"));
        QCOMPARE(w.port.StatusText(), Cp1250::FromUtf8("* PSANÍ"));
        w.port.ShowPauseAction(true);
        QVERIFY(w.menus.ActionPause->isVisible() && !w.menus.ActionContinue->isVisible());
        w.port.SetPauseContinueMenu(Cp1250::FromUtf8("&Přerušit psaní"),
                                    Cp1250::FromUtf8("Pozastavit dočasně psaní"));
        QCOMPARE(w.menus.ActionMenuPauseContinue->text(), U("&Přerušit psaní"));
        QCOMPARE(w.menus.ActionMenuPauseContinue->statusTip(), U("Pozastavit dočasně psaní"));

        int resets = 0;
        QObject::connect(w.menus.ActionResetLekci, &QAction::triggered, [&resets] { ++resets; });
        w.port.ActionResetLekci();
        QCOMPARE(resets, 1);
        QCOMPARE(w.port.ShowEvaluation(), EvaluationAnswer::Repeat);
        QCOMPARE(w.evaluations, 1);
    }

    void aFeatureGivesTheCaptionItsWordsAndTheIntroLineItsTooltip() {
        IntroFeature feature;
        Window w({&feature});
        const QString designed = w.Field("EditNapoveda")->toolTip();
        const std::string intro = Cp1250::FromUtf8("Lekce 1: d f j k. Ukazováčky leží na f a j.");
        w.port.ShowIntroLine(intro);
        QCOMPARE(w.Field("EditNapoveda")->text(), U("Lekce 1: d f j k. Ukazováčky leží na f a j."));
        QCOMPARE(w.Field("EditNapoveda")->toolTip(), designed);
        feature.showsIntro = true;
        w.port.ShowIntroTooltip();
        QCOMPARE(w.Field("EditNapoveda")->toolTip(),
                 U("Lekce 1: d f j k. Ukazováčky leží na f a j."));
        feature.showsIntro = false;
        w.port.ShowIntroTooltip();
        QCOMPARE(w.Field("EditNapoveda")->toolTip(), designed);

        w.port.SetCaption("Klaptos lekce 1 (QWERTZ)", "KTOS lekce 1 (QWERTZ)");
        QCOMPARE(w.window.windowTitle(), QStringLiteral("Klaptos lekce 1 (QWERTZ)"));
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("KTOS lekce 1 (QWERTZ)"));
        feature.suffix = Cp1250::FromUtf8(" procvičení: ř ě");
        w.port.SetCaption("Klaptos soubor: procviceni.txt", "KTOS soubor: procviceni.txt");
        QCOMPARE(w.window.windowTitle(), U("Klaptos procvičení: ř ě"));
        QCOMPARE(QCoreApplication::applicationName(), U("KTOS procvičení: ř ě"));
    }
};

QTEST_MAIN(QtMainWindowPortQtTest)
#include "QtMainWindowPortQtTest.moc"
