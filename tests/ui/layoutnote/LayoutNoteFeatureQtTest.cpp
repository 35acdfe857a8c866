// The lesson dialog opened from the main window tells the desktop's layout when the one chosen
// differs, as the desktop has it at the moment the dialog opens.

#include "LayoutNoteFeature.h"

#include "FakeClock.h"
#include "FakeDesktopLayout.h"
#include "Lekce.h"
#include "ProgramOptions.h"
#include "RecordingReporter.h"
#include "RecordingSound.h"
#include "SpeedMeter.h"
#include "TFormHOknoPM.h"
#include "TFormLekce.h"
#include "TempLessonDir.h"

#include <QButtonGroup>
#include <QLabel>
#include <QTest>

#include <memory>

class LayoutNoteFeatureQtTest : public QObject {
    Q_OBJECT

private slots:
    void theLessonDialogTellsTheDesktopsLayoutWhenItIsNotTheOneChosen() {
        TempLessonDir dir;
        dir.AddLesson(1, "Lekce 1", {"ff jj"});
        FakeClock clock;
        SpeedMeter meter(clock);
        ProgramOptions options;
        RecordingSound sound;
        RecordingReporter reporter;
        LEKCE store(dir.Path(), reporter);
        FakeDesktopLayout desktop;
        LayoutNoteFeature note(desktop);
        TFormHOknoPM window({store, meter, options, sound, clock},
                            QString::fromStdString(dir.Path() + "klaptos.ini"),
                            QString::fromStdString(dir.Path()), QString(), {&note});
        QString shown;
        window.SetSeam({.runModal = [&shown](QDialog& dialog) {
            const auto* lessons = qobject_cast<TFormLekce*>(&dialog);
            if (lessons != nullptr) {
                shown = lessons->LabelRozlozeni->isHidden() ? QString()
                                                            : lessons->LabelRozlozeni->text();
            }
            return static_cast<int>(QDialog::Rejected);
        }});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(store.Qwertz); // lesson 1 on QWERTZ, as without a settings file

        const auto opened = [&](std::optional<bool> desktopQwertz) {
            desktop.qwertz = desktopQwertz;
            shown = QStringLiteral("not opened");
            window.ActionLekce();
            return shown;
        };
        QCOMPARE(opened(false),
                 QString::fromUtf8(
                     "Pozor: v systému máte nastavenou klávesnici QWERTY, zvolený typ je QWERTZ."));
        QCOMPARE(opened(true), QString());
        QCOMPARE(opened(std::nullopt), QString());
    }
};

QTEST_MAIN(LayoutNoteFeatureQtTest)
#include "LayoutNoteFeatureQtTest.moc"
