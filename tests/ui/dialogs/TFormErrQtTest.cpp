#include "Cp1250.h"
#include "QtReporter.h"
#include "TFormErr.h"
#include "TFormHelp.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

#include <vector>

namespace {

// Distances from the bottom edge of the client area, as designed (client height 206).
constexpr int kLineFromBottom = 206 - 124 - 16;
constexpr int kLinkFromBottom = 206 - 145 - 16;
constexpr int kButtonFromBottom = 206 - 174 - 25;

const ProgramAddresses kKnown{QStringLiteral("https://klaptos.example.org/klaptos/index.htm"),
                              QStringLiteral("klaptos@example.org")};

} // namespace

class TFormErrQtTest : public QObject {
    Q_OBJECT

private:
    static QLabel* Label(TFormErr& w, const char* name) {
        return w.findChild<QLabel*>(QString::fromLatin1(name));
    }
    static QPlainTextEdit* Memo(TFormErr& w) {
        return w.findChild<QPlainTextEdit*>(QStringLiteral("MemoChyba"));
    }
    static QPushButton* CloseButton(TFormErr& w) {
        return w.findChild<QPushButton*>(QStringLiteral("BitBtnZavritOkno"));
    }
    static int FromBottom(TFormErr& w, const QWidget* control) {
        return w.height() - control->geometry().bottom() - 1;
    }

private slots:
    void errorReportShowsTheDownloadLineTheLinkAndTheSpanner() {
        TFormErr w(nullptr, true, {}, kKnown);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QString::fromUtf8("Nalezena chyba"));
        QVERIFY(Label(w, "LabelStahnoutVerzi")->isVisible());
        QVERIFY(Label(w, "LabelTovikHTTPLink")->isVisible());
        QVERIFY(Label(w, "ImageChyba")->isVisible());
        QVERIFY(!Label(w, "ImageReport")->isVisible());
        QCOMPARE(Label(w, "LabelStahnoutVerzi")->text(),
                 QString::fromUtf8("Úplnou verzi programu si můžete zdarma stáhnout z: "));
        QCOMPARE(Label(w, "LabelTovikHTTPLink")->text(),
                 QStringLiteral("https://klaptos.example.org/klaptos/index.htm"));
        QCOMPARE(CloseButton(w)->text(), QString::fromUtf8("&Zavřít okno"));
        QVERIFY(!Label(w, "ImageChyba")->pixmap().isNull());
    }

    void informationReportShowsOnlyTheSheetPicture() {
        TFormErr w(nullptr, false);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Informace"));
        QVERIFY(!Label(w, "LabelStahnoutVerzi")->isVisible());
        QVERIFY(!Label(w, "LabelTovikHTTPLink")->isVisible());
        QVERIFY(!Label(w, "ImageChyba")->isVisible());
        QVERIFY(Label(w, "ImageReport")->isVisible());
        QVERIFY(!Label(w, "ImageReport")->pixmap().isNull());
    }

    void textBoxEndsOneLabelHeightAboveTheLineOrTheButton_data() {
        QTest::addColumn<bool>("isError");
        QTest::addColumn<int>("height");
        QTest::newRow("error") << true << 95;
        QTest::newRow("information") << false << 145;
    }
    void textBoxEndsOneLabelHeightAboveTheLineOrTheButton() {
        QFETCH(bool, isError);
        QFETCH(int, height);
        TFormErr w(nullptr, isError);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.height(), 206);
        QCOMPARE(Memo(w)->geometry().top(), 13);
        QCOMPARE(Memo(w)->height(), height);
    }

    void windowHasNoCloseBoxAndNoSystemMenu() {
        TFormErr w(nullptr, true);
        const Qt::WindowFlags flags = w.windowFlags();
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(flags.testFlag(Qt::WindowTitleHint));
        QVERIFY(!flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowSystemMenuHint));
    }

    void windowCannotShrinkBelowItsMinimum() {
        TFormErr w(nullptr, false);
        QVERIFY(w.minimumWidth() >= 357);
        QVERIFY(w.minimumHeight() > 0);
        w.show();
        w.resize(100, 50);
        QVERIFY(w.width() >= 357);
        QCOMPARE(w.height(), w.minimumHeight());
        QVERIFY(Memo(w)->height() > 0);
    }

    void clickingTheLinkOpensTheDownloadPageAndKeepsTheWindowOpen() {
        std::vector<QUrl> opened;
        QStringList topics;
        TFormErr w(nullptr, true, {.openUrl = [&](const QUrl& url) { opened.push_back(url); }},
                   kKnown);
        w.SetHelpOpener([&](const QString& topic) { topics << topic; });
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::mouseClick(Label(w, "LabelTovikHTTPLink"), Qt::LeftButton);
        QCOMPARE(opened.size(), std::size_t{1});
        QCOMPARE(opened.front(),
                 QUrl(QStringLiteral("https://klaptos.example.org/klaptos/index.htm")));
        QVERIFY(topics.isEmpty());
        QVERIFY(w.isVisible());
    }

    void withoutAWebPageTheLinkTellsOfAndOpensTheHelpOnRestoringFiles() {
        std::vector<QUrl> opened;
        QStringList topics;
        TFormErr w(nullptr, true, {.openUrl = [&](const QUrl& url) { opened.push_back(url); }},
                   ProgramAddresses{});
        w.SetHelpOpener([&](const QString& topic) { topics << topic; });
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(QStringList({Label(w, "LabelStahnoutVerzi")->text(),
                              Label(w, "LabelTovikHTTPLink")->text()}),
                 QStringList(
                     {QString::fromUtf8("Jak chybějící soubory programu obnovit, poradí nápověda:"),
                      QString::fromUtf8("Obnovení souborů programu")}));
        // The longer line still fits: the window widens rather than cut it off.
        QVERIFY(Label(w, "LabelStahnoutVerzi")->geometry().right() < w.width());
        QTest::mouseClick(Label(w, "LabelTovikHTTPLink"), Qt::LeftButton);
        QVERIFY(opened.empty());
        QCOMPARE(topics, QStringList{QStringLiteral("RESTORE")});
        QVERIFY(w.isVisible());
    }

    void reporterLinkShowsTheHelpFileAtTheRestoreSection() {
        QtReporter reporter;
        reporter.SetHelpFile(QStringLiteral(KLAPTOS_BIN_DIR "/napoveda.html"));
        QString shownTopicText;
        reporter.SetSeam({.runModal = [&](QDialog& dialog) {
            auto& w = static_cast<TFormErr&>(dialog);
            w.show();
            [&] {
                if (Label(w, "LabelTovikHTTPLink")->text() !=
                    QString::fromUtf8("Obnovení souborů programu")) {
                    return; // a build that was given a web page
                }
                QTest::mouseClick(Label(w, "LabelTovikHTTPLink"), Qt::LeftButton);
                auto* help = w.findChild<TFormHelp*>();
                QVERIFY(help != nullptr && help->isVisible());
                const QTextCursor found = help->TextBrowser->document()->find(
                    QString::fromUtf8("Jak program a jeho soubory obnovit"));
                QVERIFY(!found.isNull());
                shownTopicText = found.block().text();
            }();
            return 0;
        }});
        reporter.ReportError(Cp1250::FromUtf8("Chybí soubor s lekcemi."));
        if (!ProgramAddresses::OfBuild().homepage.isEmpty()) {
            QSKIP("this build has a web page");
        }
        QCOMPARE(shownTopicText, QString::fromUtf8("Jak program a jeho soubory obnovit"));
    }

    // A report of the history leads to the help's section on the history, web page or not.
    void anErrorWithAHelpSectionOfItsOwnLinksThere() {
        QtReporter reporter;
        reporter.SetHelpFile(QStringLiteral(KLAPTOS_BIN_DIR "/napoveda.html"));
        QStringList lines;
        QString shownTopicText;
        reporter.SetSeam({.runModal = [&](QDialog& dialog) {
            auto& w = static_cast<TFormErr&>(dialog);
            w.show();
            lines << Label(w, "LabelStahnoutVerzi")->text()
                  << Label(w, "LabelTovikHTTPLink")->text();
            QTest::mouseClick(Label(w, "LabelTovikHTTPLink"), Qt::LeftButton);
            if (auto* help = w.findChild<TFormHelp*>()) {
                const QTextCursor found = help->TextBrowser->document()->find(
                    QString::fromUtf8("Historie psaní a co dělat, když ji nelze zapsat"));
                shownTopicText = found.isNull() ? QString() : found.block().text();
            }
            return 0;
        }});
        reporter.ReportErrorWithHelp(Cp1250::FromUtf8("Výsledek se do historie psaní nezapsal."),
                                     "HISTORY", Cp1250::FromUtf8("Historie psaní"));
        QCOMPARE(lines, QStringList({QString::fromUtf8("Co s tím dělat, poradí nápověda:"),
                                     QString::fromUtf8("Historie psaní")}));
        QCOMPARE(shownTopicText,
                 QString::fromUtf8("Historie psaní a co dělat, když ji nelze zapsat"));
    }

    void resizingStretchesTheTextBoxAndKeepsTheBottomDistances_data() {
        QTest::addColumn<bool>("isError");
        QTest::newRow("error") << true;
        QTest::newRow("information") << false;
    }
    void resizingStretchesTheTextBoxAndKeepsTheBottomDistances() {
        QFETCH(bool, isError);
        TFormErr w(nullptr, isError);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QSize memo = Memo(w)->size();
        const int lineLeft = Label(w, "LabelStahnoutVerzi")->x();
        const int buttonLeft = CloseButton(w)->x();

        w.resize(w.width() + 80, w.height() + 120);
        QCOMPARE(Memo(w)->size(), memo + QSize(80, 120));
        QCOMPARE(FromBottom(w, Label(w, "LabelStahnoutVerzi")), kLineFromBottom);
        QCOMPARE(FromBottom(w, Label(w, "LabelTovikHTTPLink")), kLinkFromBottom);
        QCOMPARE(FromBottom(w, CloseButton(w)), kButtonFromBottom);
        QCOMPARE(Label(w, "LabelStahnoutVerzi")->x(), lineLeft);
        QCOMPARE(CloseButton(w)->x(), buttonLeft);
    }

    void messageIsReadOnlyWithANewLineAtEachLineEnd() {
        TFormErr w(nullptr, false);
        w.SetMessage(Cp1250::FromUtf8("Soubor nelze otevřít:\r\n/home/žák/text.txt"));
        QCOMPARE(Memo(w)->toPlainText(),
                 QString::fromUtf8("Soubor nelze otevřít:\n/home/žák/text.txt"));
        QVERIFY(Memo(w)->isReadOnly());
        QCOMPARE(Memo(w)->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    }

    void longMessageCanBeScrolledVertically() {
        TFormErr w(nullptr, true);
        std::string message;
        for (int i = 0; i < 40; ++i) {
            message += "Řádek zprávy, který se musí zalomit, protože je delší než okno.\r\n";
        }
        w.SetMessage(Cp1250::FromUtf8(message));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(Memo(w)->verticalScrollBar()->maximum() > 0);
        QCOMPARE(Memo(w)->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    }

    void reporterShowsErrorsAndInformationInTheirModes() {
        struct Seen {
            bool isError;
            QString title;
            QString text;
            bool linkVisible;
        };
        std::vector<Seen> seen;
        QWidget owner;
        QtReporter reporter;
        reporter.SetOwner(&owner);
        reporter.SetSeam({.runModal = [&](QDialog& dialog) {
            auto& w = static_cast<TFormErr&>(dialog);
            w.show();
            [&] { QCOMPARE(w.parentWidget(), &owner); }();
            seen.push_back({w.IsError, w.windowTitle(), Memo(w)->toPlainText(),
                            Label(w, "LabelTovikHTTPLink")->isVisible()});
            return 0;
        }});
        reporter.ReportError(Cp1250::FromUtf8("Chybí soubor s lekcemi."));
        reporter.ReportInfo(Cp1250::FromUtf8("Řádek 3 je delší než 69 znaků."));

        QCOMPARE(seen.size(), std::size_t{2});
        QVERIFY(seen[0].isError);
        QCOMPARE(seen[0].title, QString::fromUtf8("Nalezena chyba"));
        QCOMPARE(seen[0].text, QString::fromUtf8("Chybí soubor s lekcemi."));
        QVERIFY(seen[0].linkVisible);
        QVERIFY(!seen[1].isError);
        QCOMPARE(seen[1].title, QStringLiteral("Informace"));
        QCOMPARE(seen[1].text, QString::fromUtf8("Řádek 3 je delší než 69 znaků."));
        QVERIFY(!seen[1].linkVisible);
    }

    void reporterForgetsAnOwnerThatHasGone() {
        auto* owner = new QWidget;
        QtReporter reporter;
        reporter.SetOwner(owner);
        delete owner;
        bool noOwner = false;
        reporter.SetSeam({.runModal = [&](QDialog& w) {
            noOwner = w.parentWidget() == nullptr;
            return 0;
        }});
        reporter.ReportInfo("x");
        QVERIFY(noOwner);
    }
};

QTEST_MAIN(TFormErrQtTest)
#include "TFormErrQtTest.moc"
