#include "TFormAbout.h"

#include "QtLinkLabel.h"

#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QtTest>

namespace {

// Stands in for the browser, the mail program and the help window.
struct Outside {
    QList<QUrl> opened;
    QStringList topics;

    QtWindowSeam Seam() {
        return {.openUrl = [this](const QUrl& url) { opened.append(url); }};
    }
    void connect(TFormAbout& about) {
        about.showHelp = [this](const QString& topic) { topics.append(topic); };
    }
};

// Addresses as a build given them would have them; a build without them is the default.
const ProgramAddresses kKnown{QStringLiteral("https://klaptos.example.org/"),
                              QStringLiteral("klaptos@example.org")};
const ProgramAddresses kUnknown{};

} // namespace

class TFormAboutQtTest : public QObject {
    Q_OBJECT

private slots:
    void noTextIsCutOffAndOnlyTheShadowOverlaps();
    void theIconIsDrawn();
    void eachAddressLinkOpensItsTargetAndTheWindowStaysOpen_data();
    void eachAddressLinkOpensItsTargetAndTheWindowStaysOpen();
    void withoutAddressesNoPlaceholderIsShownButTheSettingsFileIs();
    void theLicenceLinkOpensTheHelpAtTheLicenceAndTheWindowStaysOpen();
    void clicksBesideTheLinksOpenNothing();
    void theCloseButtonClosesTheWindow();
    void writesAScreenshotWhenAsked();
};

void TFormAboutQtTest::noTextIsCutOffAndOnlyTheShadowOverlaps() {
    for (const ProgramAddresses& addresses : {kKnown, kUnknown}) {
        TFormAbout about(nullptr, {}, addresses);
        about.SetSettingsFile(QStringLiteral("/home/anezka.novakova/.config/klaptos/"
                                             "podslozka-s-velmi-dlouhym-nazvem/klaptos.ini"));
        QCOMPARE(about.Label2->geometry().topLeft() - about.Label1->geometry().topLeft(),
                 QPoint(3, 3));
        const QList<QLabel*> labels = about.findChildren<QLabel*>();
        for (QLabel* label : labels) {
            if (label->isHidden()) {
                continue; // the e-mail line without an address
            }
            QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->text()));
            QVERIFY2(about.rect().contains(label->geometry()), qPrintable(label->text()));
            for (QLabel* other : labels) {
                const bool shadow = (label == about.Label1 && other == about.Label2) ||
                                    (label == about.Label2 && other == about.Label1);
                QVERIFY2(label == other || shadow ||
                             !label->geometry().intersects(other->geometry()),
                         qPrintable(label->text() + " / " + other->text()));
            }
        }
    }
}

void TFormAboutQtTest::theIconIsDrawn() {
    TFormAbout about;
    const QImage icon = about.Image1->pixmap().toImage();
    QCOMPARE(icon.size() / icon.devicePixelRatio(), QSize(32, 32));
    // The hat's crown covers the middle of the picture; its corners stay transparent.
    QVERIFY(qAlpha(icon.pixel(icon.width() / 2, icon.height() / 3)) > 0);
    QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
}

void TFormAboutQtTest::eachAddressLinkOpensItsTargetAndTheWindowStaysOpen_data() {
    QTest::addColumn<bool>("known");
    QTest::addColumn<bool>("web");
    QTest::addColumn<QList<QUrl>>("opened");
    QTest::addColumn<QStringList>("topics");
    QTest::newRow("web page") << true << true
                              << QList<QUrl>{QUrl(QStringLiteral("https://klaptos.example.org/"))}
                              << QStringList();
    QTest::newRow("e-mail") << true << false
                            << QList<QUrl>{QUrl(QStringLiteral("mailto:klaptos@example.org"))}
                            << QStringList();
    QTest::newRow("no web page: the help on getting the program")
        << false << true << QList<QUrl>() << QStringList{QStringLiteral("RESTORE")};
}

void TFormAboutQtTest::eachAddressLinkOpensItsTargetAndTheWindowStaysOpen() {
    QFETCH(bool, known);
    QFETCH(bool, web);
    QFETCH(QList<QUrl>, opened);
    QFETCH(QStringList, topics);
    Outside outside;
    TFormAbout about(nullptr, outside.Seam(), known ? kKnown : kUnknown);
    outside.connect(about);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));

    QTest::mouseClick(web ? about.LabelTovikHTTPLink : about.Label8, Qt::LeftButton);

    QCOMPARE(outside.opened, opened);
    QCOMPARE(outside.topics, topics);
    QVERIFY(about.isVisible());
}

void TFormAboutQtTest::withoutAddressesNoPlaceholderIsShownButTheSettingsFileIs() {
    TFormAbout about(nullptr, {}, kUnknown);
    about.SetSettingsFile(QStringLiteral("/home/eva/.config/klaptos/klaptos.ini"));
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QStringList shown;
    for (const QLabel* label : about.findChildren<QLabel*>()) {
        if (label->isVisible() && !label->text().isEmpty()) {
            shown << label->text();
        }
    }
    QCOMPARE(shown,
             QStringList({QStringLiteral("Klaptos 1.0"), QStringLiteral("Klaptos 1.0"),
                          QString::fromUtf8("Výuka psaní všemi deseti na české klávesnici"),
                          QString::fromUtf8("Klaptos je svobodný software šířený pod licencí MIT."),
                          QString::fromUtf8("Podmínky licence"), QString::fromUtf8("Autor:"),
                          QString::fromUtf8("Tým Klaptos"), QString::fromUtf8("Jak získat program"),
                          QString::fromUtf8("Nastavení: /home/eva/.config/klaptos/klaptos.ini")}));
}

void TFormAboutQtTest::theLicenceLinkOpensTheHelpAtTheLicenceAndTheWindowStaysOpen() {
    Outside outside;
    TFormAbout about(nullptr, outside.Seam(), kKnown);
    outside.connect(about);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));

    QTest::mouseClick(about.Label10, Qt::LeftButton);

    QCOMPARE(outside.topics, QStringList{QStringLiteral("IDH_LICENCE")});
    QVERIFY(outside.opened.isEmpty());
    QVERIFY(about.isVisible());
}

void TFormAboutQtTest::clicksBesideTheLinksOpenNothing() {
    Outside outside;
    TFormAbout about(nullptr, outside.Seam(), kKnown);
    outside.connect(about);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));

    QTest::mouseClick(about.Label4, Qt::LeftButton);
    QTest::mouseClick(about.Label6, Qt::LeftButton);
    QTest::mouseClick(&about, Qt::LeftButton, {}, QPoint(420, 160)); // right of the web link
    QTest::mouseClick(about.Label8, Qt::RightButton);

    QVERIFY(outside.opened.isEmpty());
    QVERIFY(outside.topics.isEmpty());
}

void TFormAboutQtTest::theCloseButtonClosesTheWindow() {
    TFormAbout about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QCOMPARE(about.focusWidget(), static_cast<QWidget*>(about.BitBtn1));
    QTest::mouseClick(about.BitBtn1, Qt::LeftButton);
    QVERIFY(!about.isVisible());
}

void TFormAboutQtTest::writesAScreenshotWhenAsked() {
    const QByteArray directory = qgetenv("KLAPTOS_SCREENSHOT_DIR");
    if (directory.isEmpty()) {
        QSKIP("KLAPTOS_SCREENSHOT_DIR is not set");
    }
    TFormAbout about;
    about.SetSettingsFile(QStringLiteral("/home/eva/.config/klaptos/klaptos.ini"));
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QVERIFY(about.grab().save(QString::fromLocal8Bit(directory) + "/TFormAbout.png"));
}

QTEST_MAIN(TFormAboutQtTest)
#include "TFormAboutQtTest.moc"
