// The evaluation's "Nejčastější chyby" part: what it shows for realistic counts, that it hides
// after a text without errors, and that its button asks for a practice text.

#include "FingerNames.h"
#include "KeyboardLayout.h"
#include "WeakKeysPanel.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class WeakKeysPanelQtTest : public QObject {
    Q_OBJECT

private slots:
    void showsEachWeakKeyWithItsFigures() {
        QWidget window;
        auto* panel = new WeakKeysPanel(&window);
        const FingerNames fingers(KeyboardLayout::Qwertz());
        // ř 0xF8 struck as č 0xE8, ě 0xEC as š 0x9A, Enter as a space, y as x, ď 0xEF as d:
        // the dead key with Shift was left out, which the right little finger strikes
        panel->SetWeakKeys({{0xF8, 24, 6, 250, 0xE8},
                            {0xEC, 31, 5, 161, 0x9A},
                            {10, 40, 3, 75, ' '},
                            {'y', 18, 1, 55, 'x'},
                            {0xEF, 20, 1, 50, 'd'}},
                           fingers);
        panel->resize(panel->sizeHint());
        window.show();
        QVERIFY(panel->isVisible());

        QStringList shown;
        for (const QLabel* label : panel->findChildren<QLabel*>()) {
            if (label->isVisible()) {
                shown << label->text();
            }
        }
        const QStringList expected = {"Znak",
                                      "Chyby",
                                      "Četnost",
                                      "Prst",
                                      "Místo něj",
                                      "ř",
                                      "6 z 24",
                                      "25,0 %",
                                      "levý ukazováček",
                                      "č",
                                      "ě",
                                      "5 z 31",
                                      "16,1 %",
                                      "levý prsteníček",
                                      "š",
                                      "Enter",
                                      "3 z 40",
                                      "7,5 %",
                                      "pravý malíček",
                                      "mezera",
                                      "y",
                                      "1 z 18",
                                      "5,5 %",
                                      "levý malíček",
                                      "x",
                                      "ď",
                                      "1 z 20",
                                      "5,0 %",
                                      "pravý malíček",
                                      "d"};
        QCOMPARE(shown, expected);

        if (const QByteArray dir = qgetenv("KLAPTOS_SCREENSHOT_DIR"); !dir.isEmpty()) {
            panel->grab().save(QString::fromLocal8Bit(dir) + "/weak-keys-panel.png");
        }

        QSignalSpy practise(panel, &WeakKeysPanel::practiseRequested);
        QTest::mouseClick(panel->findChild<QPushButton*>("ButtonProcvicit"), Qt::LeftButton);
        QCOMPARE(practise.count(), 1);

        panel->SetWeakKeys({}, fingers);
        QVERIFY(!panel->isVisible());
    }
};

QTEST_MAIN(WeakKeysPanelQtTest)
#include "WeakKeysPanelQtTest.moc"
