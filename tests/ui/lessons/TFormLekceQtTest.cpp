#include "TFormLekce.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <map>
#include <optional>
#include <string>

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

const char* const kCaptions[TFormLekce::kLessonCount] = {
    " 1: d f j k",  " 2: s l",         " 3: a u",         " 4: g h",       " 5: r u",
    " 6: e i ,",    " 7: OPAKOVANÍ",   " 8: o .",         " 9: p",         "10: OPAKOVANÍ",
    "11: t",        "12: y / z",       "13: ú q",         "14: OPAKOVANÍ", "15: OPAKOVANÍ",
    "16: v",        "17: m",           "18: OPAKOVANÍ",   "19: c",         "20: x w",
    "21: z / y",    "22: OPAKOVANÍ",   "23: b",           "24: n",         "25: OPAKOVANÍ",
    "26: Pr.VELKÁ", "27: Lev.VELKÁ",   "28: ř",           "29: á",         "30: OPAKOVANÍ",
    "31: č",        "32: í",           "33: OPAKOVANÍ",   "34: š",         "35: é",
    "36: ě",        "37: OP. ěščřáéí", "38: OPAKOVANÍ",   "39: ž",         "40: ý",
    "41: ď ť ň ó",  "42: Š Ď Ž",       "43: ? : ! / ( )", "44: 0..9 % -",
};

// Where a pupil clicks a radio item: on its circle, at the left.
const QPoint onTheCircle(7, 10);

QRect itemRect(const TFormLekce& dialog, int item) {
    return dialog.lessonItems->button(item)->geometry();
}

} // namespace

class TFormLekceQtTest : public QObject {
    Q_OBJECT

private slots:
    void everyLessonHasItsExactCaption();
    void theLessonsFillFourColumnsOfElevenTopToBottom();
    void everyCaptionFitsAndNothingOverlaps();
    void theChoiceComesBackAsSelected_data();
    void theChoiceComesBackAsSelected();
    void aLessonOutsideTheRangeKeepsTheChoice();
    void theButtonsCloseWithOkAndCancel();
    void arrowKeysMoveTheChoiceFromThePreselectedLesson();
    void passedLessonsAreTickedOnTheirLayoutAndEveryCaptionStillFits();
    void tickedAndUntickedCaptionsStartAtOnePlace();
    void aNoteSaysWhileTheLayoutChosenIsNotTheDesktops();
    void writesAScreenshotWhenAsked();
};

void TFormLekceQtTest::everyLessonHasItsExactCaption() {
    TFormLekce dialog;
    QCOMPARE(dialog.lessonItems->buttons().size(), TFormLekce::kLessonCount);
    for (int item = 0; item < TFormLekce::kLessonCount; ++item) {
        QCOMPARE(dialog.lessonItems->button(item)->text(), QString::fromUtf8(kCaptions[item]));
    }
}

void TFormLekceQtTest::theLessonsFillFourColumnsOfElevenTopToBottom() {
    TFormLekce dialog;
    for (int item = 0; item < TFormLekce::kLessonCount; ++item) {
        const int column = item / 11;
        const int row = item % 11;
        QCOMPARE(itemRect(dialog, item).x(), itemRect(dialog, column * 11).x());
        QCOMPARE(itemRect(dialog, item).y(), itemRect(dialog, row).y());
        if (row > 0) {
            QVERIFY(itemRect(dialog, item).y() > itemRect(dialog, item - 1).y());
        }
    }
    // Lesson 12 opens the second column, at the top, beside lesson 1.
    QVERIFY(itemRect(dialog, 11).x() > itemRect(dialog, 10).x());
    QCOMPARE(itemRect(dialog, 11).y(), itemRect(dialog, 0).y());
    QVERIFY(itemRect(dialog, 22).x() > itemRect(dialog, 11).x());
    QVERIFY(itemRect(dialog, 33).x() > itemRect(dialog, 22).x());
}

void TFormLekceQtTest::everyCaptionFitsAndNothingOverlaps() {
    TFormLekce dialog;
    const QRect inside = dialog.RadioGroupCisloLekce->rect().adjusted(2, 2, -2, -2);
    const int belowTitle = dialog.RadioGroupCisloLekce->fontMetrics().height();
    for (int item = 0; item < TFormLekce::kLessonCount; ++item) {
        QAbstractButton* button = dialog.lessonItems->button(item);
        QVERIFY2(button->sizeHint().width() <= button->width(), kCaptions[item]);
        QVERIFY2(inside.contains(button->geometry()), kCaptions[item]);
        QVERIFY2(button->y() >= belowTitle, kCaptions[item]);
        if (item + 11 < TFormLekce::kLessonCount) {
            QVERIFY(button->geometry().right() < itemRect(dialog, item + 11).left());
        }
    }
    const QList<QAbstractButton*> layouts = dialog.layoutItems->buttons();
    for (QAbstractButton* layout : layouts) {
        QVERIFY2(layout->sizeHint().width() <= layout->width(), qPrintable(layout->text()));
        QVERIFY2(layout->sizeHint().height() <= layout->height(), qPrintable(layout->text()));
        QVERIFY(dialog.RadioGroupQWERTYZ->rect().contains(layout->geometry()));
    }
    QVERIFY(!layouts[0]->geometry().intersects(layouts[1]->geometry()));
}

void TFormLekceQtTest::theChoiceComesBackAsSelected_data() {
    QTest::addColumn<int>("lesson");
    QTest::addColumn<bool>("qwertz");
    QTest::newRow("first lesson, QWERTY") << 1 << false;
    QTest::newRow("last of the first column, QWERTZ") << 11 << true;
    QTest::newRow("first of the second column, QWERTY") << 12 << false;
    QTest::newRow("last lesson, QWERTZ") << 44 << true;
}

void TFormLekceQtTest::theChoiceComesBackAsSelected() {
    QFETCH(int, lesson);
    QFETCH(bool, qwertz);
    TFormLekce dialog;
    dialog.Select(lesson, qwertz);
    QCOMPARE(dialog.SelectedLesson(), lesson);
    QCOMPARE(dialog.SelectedQwertz(), qwertz);
    QVERIFY(dialog.lessonItems->button(lesson - 1)->isChecked());
    QVERIFY(dialog.layoutItems->button(qwertz ? 1 : 0)->isChecked());

    // and what the pupil clicks is what the command reads
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const int other = lesson == 44 ? 1 : lesson + 1;
    QTest::mouseClick(dialog.lessonItems->button(other - 1), Qt::LeftButton, {}, onTheCircle);
    QTest::mouseClick(dialog.layoutItems->button(qwertz ? 0 : 1), Qt::LeftButton, {}, onTheCircle);
    QCOMPARE(dialog.SelectedLesson(), other);
    QCOMPARE(dialog.SelectedQwertz(), !qwertz);
}

void TFormLekceQtTest::aLessonOutsideTheRangeKeepsTheChoice() {
    TFormLekce dialog;
    dialog.Select(5, false);
    dialog.Select(0, true);
    QCOMPARE(dialog.SelectedLesson(), 5);
    dialog.Select(45, true);
    QCOMPARE(dialog.SelectedLesson(), 5);
    QCOMPARE(dialog.SelectedQwertz(), true);
}

void TFormLekceQtTest::theButtonsCloseWithOkAndCancel() {
    TFormLekce dialog;
    dialog.show();
    QTest::mouseClick(dialog.BitBtn1, Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());

    dialog.show();
    QTest::mouseClick(dialog.BitBtn2, Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
}

// Ctrl+L, Down three times and Enter with lesson 5 preselected must load lesson 8, the one
// that looks chosen; in the layout group an arrow changes the layout.
void TFormLekceQtTest::arrowKeysMoveTheChoiceFromThePreselectedLesson() {
    TFormLekce dialog;
    dialog.Select(5, true);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), dialog.lessonItems->button(4));
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    }
    QCOMPARE(dialog.SelectedLesson(), 8);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right); // to the next column
    QCOMPARE(dialog.SelectedLesson(), 19);
    QCOMPARE(QApplication::focusWidget(), dialog.lessonItems->button(18));

    dialog.layoutItems->button(1)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QCOMPARE(dialog.SelectedQwertz(), false);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QCOMPARE(dialog.SelectedQwertz(), true);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.SelectedLesson(), 19);
}

void TFormLekceQtTest::passedLessonsAreTickedOnTheirLayoutAndEveryCaptionStillFits() {
    TFormLekce dialog;
    dialog.Select(5, false);
    std::map<int, std::string> everyLesson;
    for (int lesson = 1; lesson <= TFormLekce::kLessonCount; ++lesson) {
        everyLesson[lesson] = "Nejlep\x9a\xed v\xfdsledek"; // code page 1250
    }
    dialog.MarkPassed({{2, "dva"},
                       {12, "dvan\xe1"
                            "ct"}},
                      everyLesson);

    const auto ticked = [&dialog] {
        std::map<int, QString> marks;
        for (int item = 0; item < TFormLekce::kLessonCount; ++item) {
            const QAbstractButton* button = dialog.lessonItems->button(item);
            if (button->text() != QString::fromUtf8(kCaptions[item])) {
                QTest::qFail(kCaptions[item], __FILE__, __LINE__);
            }
            if (dialog.IsTicked(item + 1)) {
                marks[item + 1] = button->toolTip();
            } else if (!button->toolTip().isEmpty()) {
                QTest::qFail(kCaptions[item], __FILE__, __LINE__);
            }
        }
        return marks;
    };
    QCOMPARE(ticked(), (std::map<int, QString>{{2, U("dva")}, {12, U("dvanáct")}}));

    dialog.layoutItems->button(1)->click(); // QWERTZ: every lesson passed
    const std::map<int, QString> all = ticked();
    QCOMPARE(all.size(), std::size_t{TFormLekce::kLessonCount});
    QCOMPARE(all.at(44), U("Nejlepší výsledek"));
    for (int item = 0; item < TFormLekce::kLessonCount; ++item) {
        QAbstractButton* button = dialog.lessonItems->button(item);
        QVERIFY2(button->sizeHint().width() <= button->width(), kCaptions[item]);
    }
    QCOMPARE(dialog.SelectedLesson(), 5); // marking changes no choice

    dialog.layoutItems->button(0)->click();
    QCOMPARE(ticked().size(), std::size_t{2});
}

// Lessons 14 and 15 have the same caption but for a digit of the same width: ticked or not,
// their words end at the same place.
void TFormLekceQtTest::tickedAndUntickedCaptionsStartAtOnePlace() {
    TFormLekce dialog;
    dialog.MarkPassed({}, {{14, "x"}});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const auto inkEnds = [&dialog](int item) {
        const QImage shot = dialog.lessonItems->button(item)->grab().toImage();
        for (int x = shot.width() - 1; x >= 0; --x) {
            for (int y = 0; y < shot.height(); ++y) {
                if (shot.pixelColor(x, y).lightness() < 128) {
                    return x;
                }
            }
        }
        return -1;
    };
    QVERIFY(dialog.IsTicked(14));
    QVERIFY(!dialog.IsTicked(15));
    QVERIFY(inkEnds(14) > 0);
    QCOMPARE(inkEnds(13), inkEnds(14));
}

void TFormLekceQtTest::aNoteSaysWhileTheLayoutChosenIsNotTheDesktops() {
    TFormLekce dialog;
    dialog.Select(5, true);
    const QSize designed = dialog.size();
    QCOMPARE(designed, QSize(592, 353));
    for (const std::optional<bool> same : {std::optional<bool>(), std::optional<bool>(true)}) {
        dialog.SetDesktopLayout(same);
        QVERIFY(dialog.LabelRozlozeni->isHidden());
        QCOMPARE(dialog.size(), designed);
    }

    dialog.SetDesktopLayout(false);
    QVERIFY(!dialog.LabelRozlozeni->isHidden());
    QCOMPARE(dialog.LabelRozlozeni->text(),
             U("Pozor: v systému máte nastavenou klávesnici QWERTY, zvolený typ je QWERTZ."));
    // A line of its own below the designed dialog, which grows by it.
    QVERIFY(dialog.LabelRozlozeni->y() >= dialog.BitBtn1->geometry().bottom());
    QVERIFY(dialog.rect().contains(dialog.LabelRozlozeni->geometry()));
    QVERIFY(dialog.LabelRozlozeni->sizeHint().width() <= dialog.LabelRozlozeni->width());
    QCOMPARE(dialog.width(), designed.width());

    dialog.layoutItems->button(0)->click(); // QWERTY, as the desktop
    QVERIFY(dialog.LabelRozlozeni->isHidden());
    QCOMPARE(dialog.size(), designed);
    dialog.layoutItems->button(1)->click();
    QVERIFY(!dialog.LabelRozlozeni->isHidden());
}

void TFormLekceQtTest::writesAScreenshotWhenAsked() {
    const QByteArray directory = qgetenv("KLAPTOS_SCREENSHOT_DIR");
    if (directory.isEmpty()) {
        QSKIP("KLAPTOS_SCREENSHOT_DIR is not set");
    }
    TFormLekce dialog;
    dialog.Select(37, true);
    dialog.MarkPassed(
        {}, {{1, "Nejlep\x9a\xed v\xfdsledek: 180 \xfahoz\xf9/min"}, {2, "x"}, {37, "y"}});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(dialog.grab().save(QString::fromLocal8Bit(directory) + "/TFormLekce.png"));
}

QTEST_MAIN(TFormLekceQtTest)
#include "TFormLekceQtTest.moc"
