#include "TFormOptions.h"

#include "ProgramOptions.h"
#include "RecordingSound.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

namespace {

// Every option away from its initial value, IsMaximized included (the dialog must not touch it).
ProgramOptions changedOptions() {
    ProgramOptions options;
    options.CharSpace = 7;
    options.ErrorBeep = false;
    options.Caret = false;
    options.Speed = false;
    options.SpeedMax = 600;
    options.CloseQuery = 1;
    options.IsMaximized = true;
    options.Sound = 4;
    options.ErrRep = 12;
    options.ErrIsRep = false;
    options.MoveOnError = false;
    options.AutoStop = false;
    return options;
}

void compareOptions(const ProgramOptions& actual, const ProgramOptions& expected) {
    QCOMPARE(actual.CharSpace, expected.CharSpace);
    QCOMPARE(actual.ErrorBeep, expected.ErrorBeep);
    QCOMPARE(actual.Caret, expected.Caret);
    QCOMPARE(actual.Speed, expected.Speed);
    QCOMPARE(actual.SpeedMax, expected.SpeedMax);
    QCOMPARE(actual.CloseQuery, expected.CloseQuery);
    QCOMPARE(actual.IsMaximized, expected.IsMaximized);
    QCOMPARE(actual.Sound, expected.Sound);
    QCOMPARE(actual.ErrRep, expected.ErrRep);
    QCOMPARE(actual.ErrIsRep, expected.ErrIsRep);
    QCOMPARE(actual.MoveOnError, expected.MoveOnError);
    QCOMPARE(actual.AutoStop, expected.AutoStop);
}

QString describe(const QWidget* control) {
    for (const char* property : {"text", "title"}) {
        const QString text = control->property(property).toString();
        if (!text.isEmpty()) {
            return text;
        }
    }
    return QString::fromLatin1(control->metaObject()->className());
}

// Sets every control to the values of `options`, as the pupil would.
void setControls(TFormOptions& dialog, const ProgramOptions& options) {
    dialog.UpDownCharSpace->setValue(options.CharSpace);
    dialog.UpDownOpakuj->setValue(options.ErrRep);
    dialog.CheckBoxCaret->setChecked(options.Caret);
    dialog.CheckBoxErrorBeep->setChecked(options.ErrorBeep);
    dialog.CheckBoxOpakuj->setChecked(options.ErrIsRep);
    dialog.CheckBoxPosunPriChybe->setChecked(options.MoveOnError);
    dialog.CheckBoxAutoStop->setChecked(options.AutoStop);
    dialog.CheckBoxSpeed->setChecked(options.Speed);
    dialog.ComboBoxZvuk->setCurrentIndex(options.Sound);
    dialog.closeQueryItems->button(options.CloseQuery)->click();
    dialog.speedItems->button(options.SpeedMax / 200 - 1)->click();
}

} // namespace

class TFormOptionsQtTest : public QObject {
    Q_OBJECT

private slots:
    void theSoundListOffersTheSixSoundsInOrder();
    void noCaptionIsCutOffAndNoControlsOverlap();
    void everyControlShowsItsOption_data();
    void everyControlShowsItsOption();
    void theSpeedScaleItemFollowsTheNearestScale_data();
    void theSpeedScaleItemFollowsTheNearestScale();
    void okWritesEveryControlBackAndAccepts();
    void okStoresTheSpeedScaleOfTheChosenItem_data();
    void okStoresTheSpeedScaleOfTheChosenItem();
    void cancelAfterChangingEveryControlLeavesTheOptionsAsTheyWere();
    void theNumberFieldsChangeOnlyThroughTheirArrows();
    void theUpDownsStopAtTheirEndsWithoutWrapping_data();
    void theUpDownsStopAtTheirEndsWithoutWrapping();
    void testPlaysTheSelectedSoundEvenWithTheErrorBeepOff();
    void writesAScreenshotWhenAsked();
};

void TFormOptionsQtTest::theSoundListOffersTheSixSoundsInOrder() {
    ProgramOptions options;
    RecordingSound sound;
    TFormOptions dialog(options, sound);
    const QStringList sounds = {
        QString::fromUtf8("Reproduktor"),
        QString::fromUtf8("Zvuk Windows - hvězdička "),
        QString::fromUtf8("Zvuk Windows - zvolání"),
        QString::fromUtf8("Zvuk Windows - pozor "),
        QString::fromUtf8("Zvuk Windows - dotaz"),
        QString::fromUtf8("Zvuk Windows - OK"),
    };
    QCOMPARE(dialog.ComboBoxZvuk->count(), sounds.size());
    for (int item = 0; item < sounds.size(); ++item) {
        QCOMPARE(dialog.ComboBoxZvuk->itemText(item), sounds[item]);
    }
}

void TFormOptionsQtTest::noCaptionIsCutOffAndNoControlsOverlap() {
    ProgramOptions options;
    RecordingSound sound;
    TFormOptions dialog(options, sound);
    const QList<QWidget*> controls = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* control : controls) {
        QVERIFY2(dialog.rect().contains(control->geometry()), qPrintable(describe(control)));
        for (QWidget* other : controls) {
            QVERIFY2(control == other || !control->geometry().intersects(other->geometry()),
                     qPrintable(describe(control) + " / " + describe(other)));
        }
    }
    for (QAbstractButton* box : dialog.findChildren<QAbstractButton*>()) {
        if (qobject_cast<QPushButton*>(box) == nullptr) {
            QVERIFY2(box->sizeHint().width() <= box->width(), qPrintable(box->text()));
            QVERIFY2(box->sizeHint().height() <= box->height(), qPrintable(box->text()));
            QVERIFY2(box->parentWidget()->rect().contains(box->geometry()),
                     box->metaObject()->className());
        }
    }
    QVERIFY(dialog.Label2->heightForWidth(dialog.Label2->width()) <= dialog.Label2->height());
    // A caption too long for one line is broken at a blank and keeps every word.
    QCOMPARE(dialog.CheckBoxPosunPriChybe->text().replace(u'\n', u' '),
             QString::fromUtf8("Přejdi na další znak při chybě v psaní - oprava pomocí klávesy "
                               "Posun zpět [Backspace]"));
}

void TFormOptionsQtTest::everyControlShowsItsOption_data() {
    QTest::addColumn<int>("which");
    QTest::newRow("initial options") << 0;
    QTest::newRow("every option changed") << 1;
}

void TFormOptionsQtTest::everyControlShowsItsOption() {
    QFETCH(int, which);
    ProgramOptions options = which == 0 ? ProgramOptions{} : changedOptions();
    RecordingSound sound;
    TFormOptions dialog(options, sound);
    dialog.show();

    QCOMPARE(dialog.UpDownCharSpace->value(), options.CharSpace);
    QCOMPARE(dialog.EditCharSpace->text(), QString::number(options.CharSpace));
    QCOMPARE(dialog.UpDownOpakuj->value(), options.ErrRep);
    QCOMPARE(dialog.EditOpakuj->text(), QString::number(options.ErrRep));
    QCOMPARE(dialog.CheckBoxCaret->isChecked(), options.Caret);
    QCOMPARE(dialog.CheckBoxErrorBeep->isChecked(), options.ErrorBeep);
    QCOMPARE(dialog.CheckBoxOpakuj->isChecked(), options.ErrIsRep);
    QCOMPARE(dialog.CheckBoxPosunPriChybe->isChecked(), options.MoveOnError);
    QCOMPARE(dialog.CheckBoxAutoStop->isChecked(), options.AutoStop);
    QCOMPARE(dialog.CheckBoxSpeed->isChecked(), options.Speed);
    QCOMPARE(dialog.ComboBoxZvuk->currentIndex(), options.Sound);
    QCOMPARE(dialog.closeQueryItems->checkedId(), options.CloseQuery);
    QCOMPARE(dialog.speedItems->checkedId(), options.SpeedMax / 200 - 1);
}

void TFormOptionsQtTest::theSpeedScaleItemFollowsTheNearestScale_data() {
    QTest::addColumn<int>("speedMax");
    QTest::addColumn<int>("item");
    QTest::newRow("below 200") << 100 << 0;
    QTest::newRow("200") << 200 << 0;
    QTest::newRow("between 200 and 600") << 300 << 1;
    QTest::newRow("400") << 400 << 1;
    QTest::newRow("600") << 600 << 2;
    QTest::newRow("above 600") << 1000 << 2;
}

void TFormOptionsQtTest::theSpeedScaleItemFollowsTheNearestScale() {
    QFETCH(int, speedMax);
    QFETCH(int, item);
    ProgramOptions options;
    options.SpeedMax = speedMax;
    RecordingSound sound;
    TFormOptions dialog(options, sound);
    dialog.show();
    QCOMPARE(dialog.speedItems->checkedId(), item);
}

void TFormOptionsQtTest::okWritesEveryControlBackAndAccepts() {
    ProgramOptions options;
    RecordingSound sound;
    TFormOptions dialog(options, sound);
    dialog.show();
    ProgramOptions expected = changedOptions();
    setControls(dialog, expected);
    expected.IsMaximized = options.IsMaximized; // not the dialog's to change

    QTest::mouseClick(dialog.BitBtnOptionOK, Qt::LeftButton);

    compareOptions(options, expected);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QVERIFY(sound.played.empty());
}

void TFormOptionsQtTest::okStoresTheSpeedScaleOfTheChosenItem_data() {
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("speedMax");
    QTest::newRow("0-200") << 0 << 200;
    QTest::newRow("0-400") << 1 << 400;
    QTest::newRow("0-600") << 2 << 600;
}

void TFormOptionsQtTest::okStoresTheSpeedScaleOfTheChosenItem() {
    QFETCH(int, item);
    QFETCH(int, speedMax);
    ProgramOptions options;
    options.SpeedMax = 300; // a value between the items, which the dialog shows as 0-400
    RecordingSound sound;
    TFormOptions dialog(options, sound);
    dialog.show();
    dialog.speedItems->button(item)->click();
    dialog.BitBtnOptionOK->click();
    QCOMPARE(options.SpeedMax, speedMax);
}

void TFormOptionsQtTest::cancelAfterChangingEveryControlLeavesTheOptionsAsTheyWere() {
    ProgramOptions options;
    const ProgramOptions before = options;
    RecordingSound sound;
    TFormOptions dialog(options, sound);
    dialog.show();
    setControls(dialog, changedOptions());

    QTest::mouseClick(dialog.BitBtn2, Qt::LeftButton);

    compareOptions(options, before);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
}

void TFormOptionsQtTest::theNumberFieldsChangeOnlyThroughTheirArrows() {
    ProgramOptions options;
    options.CharSpace = 3;
    options.ErrRep = 4;
    RecordingSound sound;
    TFormOptions dialog(options, sound);
    dialog.show();
    QVERIFY(dialog.EditCharSpace->isReadOnly());
    QVERIFY(dialog.EditOpakuj->isReadOnly());

    QTest::keyClicks(dialog.EditCharSpace, QStringLiteral("9"));
    QTest::keyClick(dialog.EditOpakuj, Qt::Key_Backspace);
    QTest::keyClicks(dialog.EditOpakuj, QStringLiteral("55"));
    QCOMPARE(dialog.UpDownCharSpace->value(), 3);
    QCOMPARE(dialog.UpDownOpakuj->value(), 4);

    QTest::keyClick(dialog.UpDownCharSpace, Qt::Key_Up);
    QTest::keyClick(dialog.UpDownOpakuj, Qt::Key_Down);
    QCOMPARE(dialog.UpDownCharSpace->value(), 4);
    QCOMPARE(dialog.EditCharSpace->text(), QStringLiteral("4"));
    QCOMPARE(dialog.UpDownOpakuj->value(), 3);
    QCOMPARE(dialog.EditOpakuj->text(), QStringLiteral("3"));
}

void TFormOptionsQtTest::theUpDownsStopAtTheirEndsWithoutWrapping_data() {
    QTest::addColumn<bool>("charSpace");
    QTest::addColumn<int>("maximum");
    QTest::newRow("character space 0..15") << true << 15;
    QTest::newRow("error limit 0..99") << false << 99;
}

void TFormOptionsQtTest::theUpDownsStopAtTheirEndsWithoutWrapping() {
    QFETCH(bool, charSpace);
    QFETCH(int, maximum);
    ProgramOptions options;
    RecordingSound sound;
    TFormOptions dialog(options, sound);
    dialog.show();
    QSpinBox* upDown = charSpace ? dialog.UpDownCharSpace : dialog.UpDownOpakuj;
    QCOMPARE(upDown->minimum(), 0);
    QCOMPARE(upDown->maximum(), maximum);
    QVERIFY(!upDown->wrapping());

    upDown->setValue(maximum);
    QTest::keyClick(upDown, Qt::Key_Up);
    QTest::keyClick(upDown, Qt::Key_PageUp);
    QCOMPARE(upDown->value(), maximum);

    upDown->setValue(0);
    QTest::keyClick(upDown, Qt::Key_Down);
    QTest::keyClick(upDown, Qt::Key_PageDown);
    QCOMPARE(upDown->value(), 0);
}

void TFormOptionsQtTest::testPlaysTheSelectedSoundEvenWithTheErrorBeepOff() {
    ProgramOptions options;
    options.ErrorBeep = false;
    RecordingSound sound;
    TFormOptions dialog(options, sound);
    dialog.show();
    dialog.ComboBoxZvuk->setCurrentIndex(
        dialog.ComboBoxZvuk->findText(QString::fromUtf8("Zvuk Windows - dotaz")));

    QTest::mouseClick(dialog.BitBtnText, Qt::LeftButton);

    QCOMPARE(sound.played, std::vector<SystemSound>{SystemSound::Question});
    QCOMPARE(options.Sound, 0); // testing does not choose
    QVERIFY(dialog.isVisible());
}

void TFormOptionsQtTest::writesAScreenshotWhenAsked() {
    const QByteArray directory = qgetenv("KLAPTOS_SCREENSHOT_DIR");
    if (directory.isEmpty()) {
        QSKIP("KLAPTOS_SCREENSHOT_DIR is not set");
    }
    ProgramOptions options;
    RecordingSound sound;
    TFormOptions dialog(options, sound);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(dialog.grab().save(QString::fromLocal8Bit(directory) + "/TFormOptions.png"));
}

QTEST_MAIN(TFormOptionsQtTest)
#include "TFormOptionsQtTest.moc"
