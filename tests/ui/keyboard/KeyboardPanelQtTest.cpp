// The keyboard guide on the screen: which keys it lights and flashes, what it says, how
// little a keystroke repaints, the home row's bumps and the border between the hands, and that
// its legends stay readable in light and dark palettes.

#include "KeyboardPanel.h"
#include "KeyboardView.h"

#include "Cp1250.h"
#include "FingerText.h"
#include "KeyColours.h"

#include <QApplication>
#include <QPaintEvent>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QtTest>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kDesignWidth = 509;

unsigned char Byte(const char* utf8) {
    return static_cast<unsigned char>(Cp1250::FromUtf8(utf8).at(0));
}

QPalette DarkPalette() {
    QPalette p;
    p.setColor(QPalette::Window, QColor(45, 45, 48));
    p.setColor(QPalette::WindowText, QColor(230, 230, 230));
    p.setColor(QPalette::Base, QColor(30, 30, 30));
    p.setColor(QPalette::Text, QColor(230, 230, 230));
    p.setColor(QPalette::Button, QColor(60, 60, 64));
    p.setColor(QPalette::ButtonText, QColor(235, 235, 235));
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::white);
    return p;
}

// The keys whose caps show the given colour, sampled right of centre, below the legends.
std::set<int> KeysIn(KeyboardView& view, const QColor& colour) {
    const QImage shot = view.grab().toImage();
    const qreal ratio = shot.devicePixelRatio();
    std::set<int> keys;
    for (int key = 0; key < static_cast<int>(view.Layout().Keys().size()); ++key) {
        const QRect rect = view.KeyRect(key);
        const QPoint sample(rect.right() - 5, rect.center().y() + rect.height() / 4);
        if (shot.pixelColor(sample * ratio) == colour) {
            keys.insert(key);
        }
    }
    return keys;
}

// Remembers the region of the last paint, to count the key caps it covered.
class RegionSpy final : public QObject {
public:
    explicit RegionSpy(QWidget* watched) { watched->installEventFilter(this); }
    QRegion region;
    int paints = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            region += static_cast<QPaintEvent*>(event)->region();
            ++paints;
        }
        return false;
    }
};

} // namespace

class KeyboardPanelQtTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion"))); }

    void LightsEveryKeyOfADeadKeySequenceAndNamesItsFingers() {
        KeyboardPanel panel;
        panel.resize(kDesignWidth, panel.heightForWidth(kDesignWidth));
        panel.SetLayout(true);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        const KeyboardLayout& layout = KeyboardLayout::Qwertz();
        const QColor lit = panel.View().palette().color(QPalette::Highlight);

        panel.NextCharacter(Byte("Ď"));
        const std::set<int> expected{layout.KeyWriting(U'=') + 1, layout.KeyWriting(U'd'),
                                     layout.KeyOfRole(KeyRole::Shift, Hand::Left),
                                     layout.KeyOfRole(KeyRole::Shift, Hand::Right)};
        QCOMPARE(KeysIn(panel.View(), lit), expected);
        const QString text = QString::fromStdString(FingerText(layout, Byte("Ď")));
        QCOMPARE(panel.View().FingerText(), text);
        QCOMPARE(panel.View().accessibleName(), text);

        // Switching to QWERTY moves the lit key of z to the bottom row.
        panel.NextCharacter('z');
        panel.SetLayout(false);
        QCOMPARE(KeysIn(panel.View(), lit),
                 std::set<int>{KeyboardLayout::Qwerty().KeyWriting(U'z')});
        QCOMPARE(panel.View().FingerText(), QStringLiteral("levý malíček – z"));

        // A colour chosen by the caller replaces a key's finger tint, e.g. for a heat map.
        const QColor heat(250, 180, 0);
        panel.View().SetKeyTints({{KeyboardLayout::Qwerty().KeyWriting(U'k'), heat}});
        QCOMPARE(KeysIn(panel.View(), heat),
                 std::set<int>{KeyboardLayout::Qwerty().KeyWriting(U'k')});

        panel.TextFinished();
        QCOMPARE(KeysIn(panel.View(), lit), std::set<int>{});
        QCOMPARE(panel.View().FingerText(), QString());
    }

    void FlashesTheStruckKeyAfterAWrongKeystrokeAndThenRestoresIt() {
        KeyboardPanel panel;
        panel.resize(kDesignWidth, panel.heightForWidth(kDesignWidth));
        panel.SetLayout(true);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        const KeyboardLayout& layout = KeyboardLayout::Qwertz();
        panel.NextCharacter('j');
        panel.KeyChecked('j', 'h', false);
        QCOMPARE(KeysIn(panel.View(), KeyColours::ErrorFill()),
                 std::set<int>{layout.KeyWriting(U'h')});
        panel.KeyChecked('j', 'j', true);
        QTRY_COMPARE(KeysIn(panel.View(), KeyColours::ErrorFill()), std::set<int>{});
        QCOMPARE(KeysIn(panel.View(), panel.View().palette().color(QPalette::Highlight)),
                 std::set<int>{layout.KeyWriting(U'j')});
    }

    // Typing a sentence with capitals of both hands: each keystroke is one paint that covers
    // no more than four key caps (the keys lit before and after, with their Shifts).
    void AKeystrokeRepaintsAtMostFourCaps() {
        KeyboardView view;
        view.resize(kDesignWidth, view.heightForWidth(kDesignWidth));
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const std::string text = Cp1250::FromUtf8("Ahoj Jano, Eva a Petr píšou.") + '\n';
        view.ShowNext(static_cast<unsigned char>(text[0]));
        QApplication::processEvents();
        for (std::size_t i = 1; i < text.size(); ++i) {
            RegionSpy spy(&view);
            view.ShowNext(static_cast<unsigned char>(text[i]));
            QApplication::processEvents();
            int caps = 0;
            for (int key = 0; key < static_cast<int>(view.Layout().Keys().size()); ++key) {
                caps += spy.region.intersects(view.KeyRect(key)) ? 1 : 0;
            }
            QVERIFY2(
                spy.paints == 1 && caps <= 4 && caps >= 1,
                qPrintable(
                    QStringLiteral("at %1: %2 paints, %3 caps").arg(i).arg(spy.paints).arg(caps)));
        }
    }

    // A keystroke repaints only the keys and the words that changed, each picture once: what
    // is on the screen after every keystroke, a wrong one and its flash included, must be
    // what a whole repaint draws (a longer text followed by a shorter one, a dead-key sequence
    // with its numbered caps, a flashed key next to a lit one).
    void PartialRepaintsLeaveTheScreenAsAWholeRepaintDrawsIt() {
        KeyboardPanel panel;
        panel.resize(kDesignWidth, panel.heightForWidth(kDesignWidth));
        panel.SetLayout(true);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        KeyboardView& view = panel.View();
        const auto onScreen = [&] {
            QApplication::processEvents();
            const QImage window = panel.screen()->grabWindow(panel.winId()).toImage();
            const qreal ratio = window.devicePixelRatio();
            const QRect area(view.mapTo(&panel, QPoint(0, 0)) * ratio, view.size() * ratio);
            return window.copy(area).convertToFormat(QImage::Format_RGB32);
        };
        const std::string text = Cp1250::FromUtf8("Ďas, Ahoj ů@ x") + '\n';
        for (std::size_t i = 0; i < text.size(); ++i) {
            panel.NextCharacter(static_cast<unsigned char>(text[i]));
            if (i % 3 == 1) {
                panel.KeyChecked(static_cast<unsigned char>(text[i]), 'j', false);
            }
            const QImage whole = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
            QVERIFY2(onScreen() == whole, qPrintable(QStringLiteral("at %1").arg(i)));
        }
        panel.TextFinished();
        QVERIFY(onScreen() == view.grab().toImage().convertToFormat(QImage::Format_RGB32));
    }

    // F and J carry the bumps the index fingers find the home row by, and a line runs between
    // the keys of the left and the right index finger on every row, on both layouts.
    void HomeRowBumpsAndTheBorderBetweenTheHandsAreDrawn() {
        for (const bool qwertz : {true, false}) {
            KeyboardView view;
            view.SetLayout(KeyboardLayout::Of(qwertz));
            view.resize(kDesignWidth, view.heightForWidth(kDesignWidth));
            const QImage shot = view.grab().toImage();
            const qreal ratio = shot.devicePixelRatio();
            const QColor ink = view.palette().color(QPalette::ButtonText);
            const QColor window = view.palette().color(QPalette::Window);
            const KeyboardLayout& layout = view.Layout();
            // Ink in the lower fifth of a key, in its middle third: no legend reaches there.
            const auto bumped = [&](char32_t letter) {
                const QRect r = view.KeyRect(layout.KeyWriting(letter));
                int inked = 0;
                for (int y = r.bottom() - r.height() / 5; y < r.bottom(); ++y) {
                    for (int x = r.left() + r.width() / 3; x < r.right() - r.width() / 3; ++x) {
                        inked += shot.pixelColor(QPoint(x, y) * ratio) == ink ? 1 : 0;
                    }
                }
                return inked > 0;
            };
            QVERIFY(bumped(U'f'));
            QVERIFY(bumped(U'j'));
            for (const char32_t plain : {U'd', U'g', U'h', U'k'}) {
                QVERIFY2(!bumped(plain), qPrintable(QString::fromUcs4(&plain, 1)));
            }
            // The gap after a key, half-way down it: the window's colour, or the border.
            const auto borderAfter = [&](int key) {
                const QRect r = view.KeyRect(key);
                return shot.pixelColor(QPoint(r.right(), r.center().y()) * ratio) != window;
            };
            const std::vector<std::pair<char32_t, char32_t>> rows = {
                {U'ř', U'ž'}, {U't', qwertz ? U'z' : U'y'}, {U'g', U'h'}, {U'b', U'n'}};
            for (const auto& [left, right] : rows) {
                const int key = layout.KeyWriting(left);
                QCOMPARE(layout.KeyWriting(right), key + 1);
                QVERIFY2(borderAfter(key), qPrintable(QString::fromUcs4(&left, 1)));
                QVERIFY2(!borderAfter(key - 1), qPrintable(QString::fromUcs4(&left, 1)));
                QVERIFY2(!borderAfter(key + 1), qPrintable(QString::fromUcs4(&right, 1)));
            }
        }
    }

    void LegendsStayReadableOnEveryKeyInLightAndDarkPalettes() {
        const QPalette light = QApplication::style()->standardPalette();
        for (const QPalette& palette : {light, DarkPalette()}) {
            const QColor ink = palette.color(QPalette::ButtonText);
            for (const Finger finger : kAllFingers) {
                const QColor tint = KeyColours::FingerTint(finger, palette);
                QVERIFY2(KeyColours::Contrast(tint, ink) >= KeyColours::kMinContrast,
                         qPrintable(QString::fromUtf8(FingerName(finger).data()) + " " +
                                    tint.name() + " on " + ink.name()));
            }
        }
        QVERIFY(KeyColours::Contrast(KeyColours::ErrorFill(), KeyColours::ErrorText()) >=
                KeyColours::kMinContrast);
        // A tint that starts too close to the text is moved until it reads.
        QVERIFY(KeyColours::Contrast(KeyColours::Readable(QColor(90, 90, 90), Qt::black),
                                     Qt::black) >= KeyColours::kMinContrast);
    }
};

QTEST_MAIN(KeyboardPanelQtTest)
#include "KeyboardPanelQtTest.moc"
