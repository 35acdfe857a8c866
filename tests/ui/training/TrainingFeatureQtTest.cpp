// "Trénink na míru" without the window: an exercise begun is the store's own text, timed
// keystrokes reach the measures, the keyboard's colours mark the focus key and dim the locked
// ones, a click pins a key, and the settings keep target and pin.

#include "Cp1250.h"
#include "FakeClock.h"
#include "IniFile.h"
#include "KeyboardLayout.h"
#include "Lekce.h"
#include "RecordingReporter.h"
#include "Settings.h"
#include "SpeedMeter.h"
#include "TrainingFeature.h"

#include <QApplication>
#include <QPalette>
#include <QTemporaryDir>
#include <QTest>

class TrainingFeatureQtTest : public QObject {
    Q_OBJECT

private slots:
    void ExerciseIsTypedTintedAndPinned() {
        QTemporaryDir dir;
        const std::string pupil = dir.path().toStdString() + "/";
        FakeClock clock;
        SpeedMeter meter(clock);
        RecordingReporter reporter;
        LEKCE store("", reporter);
        store.Qwertz = true;
        TrainingFeature training(store, meter, clock, reporter,
                                 std::string(KLAPTOS_BIN_DIR) + "/slova.txt", pupil);
        IniFile ini(pupil + "read.ini");
        Settings::TrainingTarget.WriteInteger(ini, 120);
        training.ReadSettings(ini);

        QVERIFY(training.Start());
        QVERIFY(training.Active());
        QCOMPARE(store.UserFileName, pupil + TrainingFeature::kExerciseFileName);
        QCOMPARE(QString::fromStdString(Cp1250::ToUtf8(store.IntroLine)),
                 QString::fromUtf8("Trénink na míru: hlavní klávesa h, cíl 120 úhozů/min"));
        QCOMPARE(training.CaptionSuffix().value(), Cp1250::FromUtf8(" trénink na míru: h"));

        TypingObserver& observer = *training.Observer();
        observer.TextBegun();
        for (int i = 0; i < 4; ++i) {
            clock.Advance(250);
            observer.KeyJudged('f', 'f', true);
        }
        QCOMPARE(training.Session().Statistics().Measure('f').speed, 240.0);

        const KeyboardLayout& layout = KeyboardLayout::Qwertz();
        const QPalette palette = QApplication::palette();
        const KeyTints tints = training.Tints(layout, palette).value();
        const int h = layout.KeyWriting(U'h');
        const int f = layout.KeyWriting(U'f');
        const int q = layout.KeyWriting(U'q');
        QCOMPARE(tints.legend.front().second, QString::fromUtf8("hlavní"));
        QCOMPARE(tints.tints.at(h), tints.legend[0].first);
        QCOMPARE(tints.tints.at(f), tints.legend[1].first);     // 240 of 120: reached
        QCOMPARE(tints.tints.at(q), tints.legend.back().first); // locked

        training.KeyClicked(layout, layout.KeyWriting(U'a'));
        QCOMPARE(training.Session().Plan().Pinned(), 'a');
        IniFile written(pupil + "written.ini");
        training.WriteSettings(written);
        QCOMPARE(Settings::TrainingTarget.ReadInteger(written), 120);
        QCOMPARE(Settings::TrainingPinned.ReadInteger(written), int{'a'});
        QVERIFY(QFile::exists(dir.path() + "/trenink-qwertz.txt"));

        QVERIFY(reporter.reports.empty());

        store.CurrentLesson = 3; // a lesson ends the training
        QVERIFY(!training.Active());
        QVERIFY(!training.Tints(layout, palette).has_value());
    }
};

QTEST_MAIN(TrainingFeatureQtTest)
#include "TrainingFeatureQtTest.moc"
