#include "TFormHelp.h"

#include <QAbstractTextDocumentLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>

#include <optional>

namespace {

const QString kHelpFile = QStringLiteral(KLAPTOS_SOURCE_DIR "/data/napoveda.html");

// The document position of the named anchor, if the document has it.
std::optional<qreal> anchorTop(const QTextBrowser& browser, const QString& anchor) {
    QTextDocument* document = browser.document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            if (fragment.fragment().charFormat().anchorNames().contains(anchor)) {
                return document->documentLayout()->blockBoundingRect(block).top();
            }
        }
    }
    return std::nullopt;
}

bool anchorIsInView(const QTextBrowser& browser, const QString& anchor) {
    const std::optional<qreal> top = anchorTop(browser, anchor);
    const int scrolled = browser.verticalScrollBar()->value();
    return top && *top >= scrolled && *top < scrolled + browser.viewport()->height();
}

} // namespace

class TFormHelpQtTest : public QObject {
    Q_OBJECT

private slots:
    void theWindowHasItsCaption();
    void theHelpOpensAtEachTopic_data();
    void theHelpOpensAtEachTopic();
    void theHelpIsReadAsUtf8();
    void anotherTopicScrollsTheOpenWindow();
    void aMissingHelpFileIsReportedInTheWindow();
    void theCloseButtonAndEscapeCloseTheWindow();
    void writesAScreenshotWhenAsked();
};

void TFormHelpQtTest::theWindowHasItsCaption() {
    TFormHelp help(kHelpFile);
    QCOMPARE(help.windowTitle(), QString::fromUtf8("Klaptos - nápověda"));
}

void TFormHelpQtTest::theCloseButtonAndEscapeCloseTheWindow() {
    TFormHelp help(kHelpFile);
    auto* button = help.findChild<QPushButton*>(QStringLiteral("ButtonZavrit"));
    QVERIFY(button);
    QCOMPARE(button->text(), QString::fromUtf8("&Zavřít"));
    for (const bool byEscape : {false, true}) {
        help.ShowTopic(QStringLiteral("KEYS"));
        QVERIFY(QTest::qWaitForWindowActive(&help));
        if (byEscape) {
            // Escape reaches the window from the browser, where the focus rests.
            help.TextBrowser->setFocus();
            QTest::keyClick(help.TextBrowser, Qt::Key_Escape);
        } else {
            QTest::mouseClick(button, Qt::LeftButton);
        }
        QVERIFY2(!help.isVisible(), byEscape ? "Escape" : "button");
    }
}

void TFormHelpQtTest::theHelpOpensAtEachTopic_data() {
    QTest::addColumn<QString>("topic");
    for (const char* topic : {"CONTENTS", "START", "KEYS", "TYPING", "LESSONS", "STATISTICS",
                              "EVALUATION", "OPTIONS", "FONT", "FORMAT", "IDH_LICENCE"}) {
        QTest::newRow(topic) << QString::fromLatin1(topic);
    }
}

void TFormHelpQtTest::theHelpOpensAtEachTopic() {
    QFETCH(QString, topic);
    TFormHelp help(kHelpFile);

    help.ShowTopic(topic);

    QVERIFY(QTest::qWaitForWindowExposed(&help));
    QVERIFY2(anchorTop(*help.TextBrowser, topic), "the help has no such anchor");
    QTRY_VERIFY(anchorIsInView(*help.TextBrowser, topic));
}

void TFormHelpQtTest::theHelpIsReadAsUtf8() {
    TFormHelp help(kHelpFile);
    help.ShowTopic(QStringLiteral("CONTENTS"));
    const QString text = help.TextBrowser->toPlainText();
    QVERIFY(text.contains(QString::fromUtf8("Nápověda")));
    QVERIFY(text.contains(QString::fromUtf8("Přerušit psaní")));
    QVERIFY(!text.contains(QChar::ReplacementCharacter));
}

void TFormHelpQtTest::anotherTopicScrollsTheOpenWindow() {
    TFormHelp help(kHelpFile);
    help.ShowTopic(QStringLiteral("IDH_LICENCE"));
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    QTRY_VERIFY(anchorIsInView(*help.TextBrowser, QStringLiteral("IDH_LICENCE")));
    QVERIFY(help.TextBrowser->verticalScrollBar()->value() > 0);

    help.ShowTopic(QStringLiteral("CONTENTS"));

    QTRY_VERIFY(anchorIsInView(*help.TextBrowser, QStringLiteral("CONTENTS")));
    QVERIFY(!anchorIsInView(*help.TextBrowser, QStringLiteral("IDH_LICENCE")));
    QVERIFY(help.isVisible());
}

void TFormHelpQtTest::aMissingHelpFileIsReportedInTheWindow() {
    const QString missing = QStringLiteral("/nonexistent/klaptos/napoveda.html");
    TFormHelp help(missing);
    help.ShowTopic(QStringLiteral("CONTENTS"));
    QVERIFY(help.isVisible());
    QVERIFY(help.TextBrowser->toPlainText().contains(
        QString::fromUtf8("Soubor nápovědy %1 nebyl nalezen.").arg(missing)));
}

void TFormHelpQtTest::writesAScreenshotWhenAsked() {
    const QByteArray directory = qgetenv("KLAPTOS_SCREENSHOT_DIR");
    if (directory.isEmpty()) {
        QSKIP("KLAPTOS_SCREENSHOT_DIR is not set");
    }
    for (const char* topic : {"CONTENTS", "FORMAT", "IDH_LICENCE"}) {
        TFormHelp help(kHelpFile);
        help.ShowTopic(QString::fromLatin1(topic));
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QVERIFY(
            help.grab().save(QString::fromLocal8Bit(directory) + "/TFormHelp-" + topic + ".png"));
    }
    TFormHelp missing(QStringLiteral("/nonexistent/napoveda.html"));
    missing.ShowTopic(QStringLiteral("CONTENTS"));
    QVERIFY(QTest::qWaitForWindowExposed(&missing));
    QVERIFY(missing.grab().save(QString::fromLocal8Bit(directory) + "/TFormHelp-missing.png"));
}

QTEST_MAIN(TFormHelpQtTest)
#include "TFormHelpQtTest.moc"
