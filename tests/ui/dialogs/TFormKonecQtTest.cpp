#include "Cp1250.h"
#include "Evaluation.h"
#include "EvaluationInputs.h"
#include "TFormKonec.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextList>
#include <QtTest>

namespace {

// Lesson 5, good typing: three lines, nothing highlighted.
EvaluationInput GoodLesson() {
    return GoodLessonFive();
}

// An own text typed slowly with many errors, and only half of it.
EvaluationInput PoorOwnText() {
    EvaluationInput in;
    in.currentLesson = -1;
    in.lessonKeystrokes = 500;
    in.lessonErrors = 50;
    in.lessonCorrect = 450;
    in.lessonMs = 10 * 60000;
    in.totalChars = 1000;
    in.displayFileName = Cp1250::FromUtf8("/home/žák/texty/pohádka.txt");
    return in;
}

} // namespace

class TFormKonecQtTest : public QObject {
    Q_OBJECT

private:
    template <typename T> static T* Child(TFormKonec& w, const char* name) {
        T* child = w.findChild<T*>(QString::fromLatin1(name));
        if (child == nullptr) {
            qFatal("no %s", name);
        }
        return child;
    }
    static QString Field(TFormKonec& w, const char* name) {
        return Child<QLineEdit>(w, name)->text();
    }
    static bool IsHighlighted(TFormKonec& w, const char* name) {
        const QPalette palette = Child<QLineEdit>(w, name)->palette();
        const QPalette system = QApplication::palette();
        return palette.color(QPalette::Base) == system.color(QPalette::Highlight) &&
               palette.color(QPalette::Text) == system.color(QPalette::HighlightedText);
    }
    static QStringList Paragraphs(TFormKonec& w) {
        QStringList paragraphs;
        for (QTextBlock b = Child<QTextEdit>(w, "RichEditKonec")->document()->begin(); b.isValid();
             b = b.next()) {
            paragraphs << b.text();
        }
        return paragraphs;
    }

private slots:
    void lessonWindowShowsCaptionButtonsAndFields() {
        TFormKonec w(Evaluate(GoodLesson()));
        QCOMPARE(w.windowTitle(), QStringLiteral("Konec lekce 5"));
        QCOMPARE(w.size(), QSize(424, 373));
        QCOMPARE(Child<QGroupBox>(w, "GroupBox1")->title(),
                 QString::fromUtf8("Statistický přehled"));
        QCOMPARE(Child<QPushButton>(w, "BitBtnKDalsi")->text(),
                 QString::fromUtf8("&Přejít k další lekci"));
        QCOMPARE(Child<QPushButton>(w, "BitBtnKOpakovat")->text(),
                 QStringLiteral("&Opakovat lekci"));
        QCOMPARE(Child<QPushButton>(w, "BitBtn3")->text(), QString::fromUtf8("&Ukončit program"));
        QCOMPARE(Field(w, "EditKDoba"), QStringLiteral("00:06:00"));
        QCOMPARE(Field(w, "EditKChyby"), QStringLiteral("3"));
        QCOMPARE(Field(w, "EditKFrekvence"), QStringLiteral("0,5"));
        QCOMPARE(Field(w, "EditKPocetUhozu"), QStringLiteral("600"));
        QCOMPARE(Field(w, "EditKRychlost"), QStringLiteral("100"));
        QCOMPARE(Field(w, "EditKAbsRychlost"), QStringLiteral("98"));
        QVERIFY(!IsHighlighted(w, "EditKFrekvence"));
        QVERIFY(!IsHighlighted(w, "EditKAbsRychlost"));
        QVERIFY(Child<QPushButton>(w, "BitBtnKDalsi")->isEnabled());
    }

    void labelsAndUnitsAreShown() {
        TFormKonec w(Evaluate(GoodLesson()));
        QStringList texts;
        for (const QLabel* label : w.findChildren<QLabel*>()) {
            texts << label->text();
        }
        for (const char* expected :
             {"Doba psaní ", "h:m:s", "Celkem chyb", "Frekvence chyb", "% (chyby / úhozy)",
              "Celkem úhozů", "Zdánlivá rychlost", "úhozů za minutu", "Absolutní rychlost",
              "správných úhozů za minutu", "Hodnocení", "Přejete si"}) {
            QVERIFY2(texts.contains(QString::fromUtf8(expected)), expected);
        }
        QVERIFY(Child<QLabel>(w, "LabelHodnoceni")->font().bold());
        QVERIFY(Child<QLabel>(w, "LabelPrejeteSi")->font().bold());
    }

    void ownTextWindowNamesTheFileAndOffersToOpenAnother() {
        TFormKonec w(Evaluate(PoorOwnText()));
        QCOMPARE(w.windowTitle(), QString::fromUtf8("Konec souboru /home/žák/texty/pohádka.txt"));
        QCOMPARE(Child<QPushButton>(w, "BitBtnKDalsi")->text(),
                 QString::fromUtf8("&Otevřít soubor"));
        QCOMPARE(Child<QPushButton>(w, "BitBtnKOpakovat")->text(),
                 QStringLiteral("O&pakovat soubor"));
    }

    void everyLineIsABulletedParagraphAndOnlyTheRecommendationIsBold() {
        const Evaluation e = Evaluate(PoorOwnText());
        TFormKonec w(e);
        const QStringList paragraphs = Paragraphs(w);
        QCOMPARE(paragraphs.size(), static_cast<int>(e.lines.size()));
        QCOMPARE(paragraphs.size(), 4);
        QVERIFY(paragraphs.front().startsWith(QStringLiteral("Napsali jste asi jen")));
        QCOMPARE(paragraphs.back(), QString::fromUtf8("Určitě si zopakujte poslední cvičení."));

        int index = 0;
        for (QTextBlock b = Child<QTextEdit>(w, "RichEditKonec")->document()->begin(); b.isValid();
             b = b.next(), ++index) {
            QVERIFY(b.textList() != nullptr);
            QCOMPARE(b.textList()->format().style(), QTextListFormat::ListDisc);
            const bool bold = b.begin().fragment().charFormat().fontWeight() == QFont::Bold;
            QCOMPARE(bold, index == paragraphs.size() - 1);
        }
    }

    void evaluationTextIsReadOnlyScrollsAndIsNotTabbedTo() {
        TFormKonec w(Evaluate(GoodLesson()));
        auto* rich = Child<QTextEdit>(w, "RichEditKonec");
        QVERIFY(rich->isReadOnly());
        QCOMPARE(rich->size(), QSize(407, 163));
        QCOMPARE(rich->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QVERIFY(!(rich->focusPolicy() & Qt::TabFocus));
        for (const QLineEdit* field : w.findChildren<QLineEdit*>()) {
            QVERIFY(field->isReadOnly());
            QVERIFY(!(field->focusPolicy() & Qt::TabFocus));
            QVERIFY(field->width() >= 48);
            QVERIFY2(field->fontMetrics().horizontalAdvance(field->text()) + 4 <= field->width(),
                     qPrintable(field->text()));
        }
    }

    void poorResultsHighlightBothFieldsAndDisableGoingOn() {
        TFormKonec w(Evaluate(PoorOwnText()));
        QVERIFY(IsHighlighted(w, "EditKFrekvence"));
        QVERIFY(IsHighlighted(w, "EditKAbsRychlost"));
        QVERIFY(!Child<QPushButton>(w, "BitBtnKDalsi")->isEnabled());
    }

    void repeatButtonHasTheFocusAndTabGoesOnToNextAndQuit() {
        TFormKonec w(Evaluate(GoodLesson()));
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(QApplication::focusWidget(), Child<QPushButton>(w, "BitBtnKOpakovat"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Child<QPushButton>(w, "BitBtnKDalsi"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Child<QPushButton>(w, "BitBtn3"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Child<QPushButton>(w, "BitBtnKOpakovat"));
    }

    void eachButtonGivesItsAnswer_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("result");
        QTest::newRow("next") << "BitBtnKDalsi" << int(EvaluationAnswer::Next) << 6;
        QTest::newRow("repeat") << "BitBtnKOpakovat" << int(EvaluationAnswer::Repeat) << 4;
        QTest::newRow("quit") << "BitBtn3" << int(EvaluationAnswer::Quit) << 3;
    }
    void eachButtonGivesItsAnswer() {
        QFETCH(QString, button);
        QFETCH(int, answer);
        QFETCH(int, result);
        TFormKonec w(Evaluate(GoodLesson()));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::mouseClick(w.findChild<QPushButton*>(button), Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QCOMPARE(int(w.Answer()), answer);
        QCOMPARE(w.result(), result);
        QCOMPARE(int(TFormKonec::AnswerFromResult(w.result())), answer);
    }

    void closingTheWindowRepeatsTheText() {
        TFormKonec w(Evaluate(GoodLesson()));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.close());
        QCOMPARE(w.Answer(), EvaluationAnswer::Repeat);
        QCOMPARE(TFormKonec::AnswerFromResult(w.result()), EvaluationAnswer::Repeat);
    }

    // A feature's part (the evaluation's "Nejčastější chyby") goes below the designed window,
    // which stays pixel for pixel as it was, and may close it with the practice answer.
    void aPartAddedBelowLeavesTheDesignedWindowAsItWas() {
        TFormKonec plain(Evaluate(GoodLesson()));
        plain.show();
        QVERIFY(QTest::qWaitForWindowExposed(&plain));
        const QImage designed = plain.grab().toImage();

        TFormKonec w(Evaluate(GoodLesson()));
        auto* part = new QLabel(QStringLiteral("část"), &w);
        part->setMinimumHeight(170);
        w.AddPart(part);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.size(), QSize(424, 373 + part->height()));
        QVERIFY(part->height() >= 170);
        QCOMPARE(part->geometry().topLeft(), QPoint(0, 373));
        QCOMPARE(w.grab().toImage().copy(0, 0, 424, 373), designed);

        w.FinishWithPractice();
        QVERIFY(!w.isVisible());
        QCOMPARE(w.Answer(), EvaluationAnswer::Practice);
        QCOMPARE(TFormKonec::AnswerFromResult(w.result()), EvaluationAnswer::Practice);
    }
};

QTEST_MAIN(TFormKonecQtTest)
#include "TFormKonecQtTest.moc"
