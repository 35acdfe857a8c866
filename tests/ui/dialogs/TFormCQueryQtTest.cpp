#include "TFormCQuery.h"

#include "ProgramOptions.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

ProgramOptions optionsAsking(int closeQuery) {
    ProgramOptions options;
    options.CloseQuery = closeQuery;
    return options;
}

// Shows the question as the main window would, without blocking, once it has had its first paint.
bool showAndPaint(TFormCQuery& dialog) {
    dialog.show();
    return QTest::qWaitForWindowExposed(&dialog) &&
           QTest::qWaitFor([&] { return dialog.focusDone; });
}

} // namespace

class TFormCQueryQtTest : public QObject {
    Q_OBJECT

private slots:
    void theQuestionAndTheHintAreNotCutOff();
    void enterAnswersWithTheButtonThatTheOptionPreselects_data();
    void enterAnswersWithTheButtonThatTheOptionPreselects();
    void escapeAnswersNoWhicheverButtonHasTheFocus_data();
    void escapeAnswersNoWhicheverButtonHasTheFocus();
    void theTitleBarCloseButtonCancels();
    void execReturnsTheAnswer();
    void aRepaintDoesNotMoveTheFocusBackAfterTab();
    void noFocusIsGivenWhileTheQuestionIsHidden();
    void writesAScreenshotWhenAsked();
};

void TFormCQueryQtTest::theQuestionAndTheHintAreNotCutOff() {
    const ProgramOptions options = optionsAsking(2);
    TFormCQuery dialog(options);
    QVERIFY(dialog.Label1->sizeHint().width() <= dialog.Label1->width());
    QVERIFY(dialog.Label2->heightForWidth(dialog.Label2->width()) <= dialog.Label2->height());
    QVERIFY(dialog.rect().contains(dialog.Label2->geometry()));
    QVERIFY(dialog.Label2->y() >= dialog.BitBtnAno->geometry().bottom());
}

void TFormCQueryQtTest::enterAnswersWithTheButtonThatTheOptionPreselects_data() {
    QTest::addColumn<int>("closeQuery");
    QTest::addColumn<bool>("focusOnYes");
    QTest::addColumn<QDialogButtonBox::StandardButton>("answer");
    QTest::newRow("ask with Yes preselected") << 1 << true << QDialogButtonBox::Yes;
    QTest::newRow("ask with No preselected") << 2 << false << QDialogButtonBox::No;
}

void TFormCQueryQtTest::enterAnswersWithTheButtonThatTheOptionPreselects() {
    QFETCH(int, closeQuery);
    QFETCH(bool, focusOnYes);
    QFETCH(QDialogButtonBox::StandardButton, answer);
    const ProgramOptions options = optionsAsking(closeQuery);
    TFormCQuery dialog(options);
    QVERIFY(showAndPaint(dialog));
    QCOMPARE(dialog.focusWidget(),
             static_cast<QWidget*>(focusOnYes ? dialog.BitBtnAno : dialog.BitBtnNe));

    QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);

    QCOMPARE(dialog.Answer(), answer);
    QVERIFY(!dialog.isVisible());
}

void TFormCQueryQtTest::escapeAnswersNoWhicheverButtonHasTheFocus_data() {
    QTest::addColumn<int>("closeQuery");
    QTest::newRow("focus on Yes") << 1;
    QTest::newRow("focus on No") << 2;
}

void TFormCQueryQtTest::escapeAnswersNoWhicheverButtonHasTheFocus() {
    QFETCH(int, closeQuery);
    const ProgramOptions options = optionsAsking(closeQuery);
    TFormCQuery dialog(options);
    QVERIFY(showAndPaint(dialog));

    QTest::keyClick(dialog.focusWidget(), Qt::Key_Escape);

    QCOMPARE(dialog.Answer(), QDialogButtonBox::No);
    QVERIFY(!dialog.isVisible());
}

void TFormCQueryQtTest::theTitleBarCloseButtonCancels() {
    const ProgramOptions options = optionsAsking(1);
    TFormCQuery dialog(options);
    QVERIFY(showAndPaint(dialog));

    QCloseEvent close;
    QApplication::sendEvent(&dialog, &close);

    QCOMPARE(dialog.Answer(), QDialogButtonBox::Cancel);
    QVERIFY(!dialog.isVisible());
}

void TFormCQueryQtTest::execReturnsTheAnswer() {
    const ProgramOptions options = optionsAsking(1);
    TFormCQuery dialog(options);
    QTimer::singleShot(0, &dialog, [&] { dialog.BitBtnAno->click(); });
    QTimer::singleShot(10000, &dialog, [&] { dialog.done(-1); }); // never hang the test run
    QCOMPARE(dialog.exec(), int(QDialogButtonBox::Yes));

    TFormCQuery closed(options);
    QTimer::singleShot(0, &closed, [&] { closed.close(); });
    QTimer::singleShot(10000, &closed, [&] { closed.done(-1); });
    QCOMPARE(closed.exec(), int(QDialogButtonBox::Cancel));
}

void TFormCQueryQtTest::aRepaintDoesNotMoveTheFocusBackAfterTab() {
    const ProgramOptions options = optionsAsking(2);
    TFormCQuery dialog(options);
    QVERIFY(showAndPaint(dialog));
    QCOMPARE(dialog.focusWidget(), static_cast<QWidget*>(dialog.BitBtnNe));

    QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
    QCOMPARE(dialog.focusWidget(), static_cast<QWidget*>(dialog.BitBtnAno));
    dialog.repaint();
    QCoreApplication::processEvents();

    QCOMPARE(dialog.focusWidget(), static_cast<QWidget*>(dialog.BitBtnAno));
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
    QCOMPARE(dialog.Answer(), QDialogButtonBox::Yes);
}

void TFormCQueryQtTest::noFocusIsGivenWhileTheQuestionIsHidden() {
    const ProgramOptions options = optionsAsking(1);
    TFormCQuery dialog(options);
    dialog.FormPaint();
    QVERIFY(!dialog.focusDone);
    QVERIFY(showAndPaint(dialog));
    QCOMPARE(dialog.focusWidget(), static_cast<QWidget*>(dialog.BitBtnAno));
}

void TFormCQueryQtTest::writesAScreenshotWhenAsked() {
    const QByteArray directory = qgetenv("KLAPTOS_SCREENSHOT_DIR");
    if (directory.isEmpty()) {
        QSKIP("KLAPTOS_SCREENSHOT_DIR is not set");
    }
    const ProgramOptions options = optionsAsking(2);
    TFormCQuery dialog(options);
    QVERIFY(showAndPaint(dialog));
    QVERIFY(dialog.grab().save(QString::fromLocal8Bit(directory) + "/TFormCQuery.png"));
}

QTEST_MAIN(TFormCQueryQtTest)
#include "TFormCQueryQtTest.moc"
