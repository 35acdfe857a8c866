// The window with the keyboard on a small screen: a 1366×768 laptop at 125 % leaves about
// 1093×614 logical pixels. The window stays within the screen with its title bar and its speed
// panel, the keyboard is drawn smaller, and too little room turns it into a note; the window
// keeps its height whatever the intro line and the legend.

#include "KeyboardFeature.h"

#include "ErrorCounter.h"
#include "FakeClock.h"
#include "KeyboardPanel.h"
#include "KeyboardView.h"
#include "Lekce.h"
#include "MainWindowRig.h"
#include "PaintBoxType.h"
#include "ProgramOptions.h"
#include "RecordingReporter.h"
#include "RecordingSound.h"
#include "SpeedMeter.h"
#include "TFormHOknoPM.h"
#include "TFormLekce.h"
#include "TempLessonDir.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <functional>
#include <memory>

namespace {

constexpr int kScreenWidth = 1093;
constexpr int kScreenHeight = 614;

// The heat map's counter as a feature of its own, as the practice feature brings it.
struct ErrorsFeature final : MainWindowFeature {
    TypingObserver* Observer() override { return &errors; }
    ErrorCounter errors;
};

struct Session : MainWindowRig {
    explicit Session(TempLessonDir& dir)
        : MainWindowRig(dir), counter(Make<ErrorsFeature>()),
          keyboard(Make<KeyboardFeature>(store, &counter.errors)) {
        Build({&keyboard, &counter});
        // A dialog no step of the test expects is answered Yes (the close question).
        MainWindowRig::answer = [this](QDialog& dialog) {
            return answer ? answer(dialog) : static_cast<int>(QDialogButtonBox::Yes);
        };
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    // Chooses a lesson in the lesson dialog, as the pupil does with Ctrl+L.
    void ChooseLesson(int lesson, bool qwertz) {
        answer = [lesson, qwertz](QDialog& dialog) {
            static_cast<TFormLekce&>(dialog).Select(lesson, qwertz);
            return static_cast<int>(QDialog::Accepted);
        };
        QTest::keyClick(window.get(), Qt::Key_L, Qt::ControlModifier);
        answer = nullptr;
    }

    // Opens a text file with Ctrl+O, as the pupil does.
    void OpenFile(const std::string& path) {
        answer = [&path](QDialog& dialog) {
            static_cast<QFileDialog&>(dialog).selectFile(QString::fromStdString(path));
            return static_cast<int>(QDialog::Accepted);
        };
        QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
        answer = nullptr;
    }

    // Chooses `font` in the font dialog (Ctrl+F), as the pupil does.
    void ChooseFont(const QFont& font) {
        answer = [&font](QDialog& dialog) {
            static_cast<QFontDialog&>(dialog).setCurrentFont(font);
            return static_cast<int>(QDialog::Accepted);
        };
        QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
        answer = nullptr;
    }
    [[nodiscard]] QFont TypingFont() const {
        return Child<PaintBoxType>(window.get(), "paintBoxType")->TypingFont();
    }

    [[nodiscard]] KeyboardPanel& Panel() const {
        return *Child<KeyboardPanel>(window.get(), "KeyboardPanel");
    }

    // The whole window, its frame included, lies on the screen, and so does everything of it
    // down to the status bar.
    void ExpectOnTheScreen() const {
        const QRect screen = window->screen()->availableGeometry();
        QVERIFY2(screen.contains(window->frameGeometry()),
                 qPrintable(QStringLiteral("%1x%2+%3+%4")
                                .arg(window->frameGeometry().width())
                                .arg(window->frameGeometry().height())
                                .arg(window->frameGeometry().x())
                                .arg(window->frameGeometry().y())));
        const QWidget* central = window->centralWidget();
        for (const char* name : {"Panel1", "GroupBoxSpeed"}) {
            const QWidget* part = Child<QWidget>(window.get(), name);
            const QRect inside(part->mapTo(central, QPoint(0, 0)), part->size());
            QVERIFY2(central->rect().contains(inside), name);
        }
        const QStatusBar* status = window->statusBar();
        QVERIFY(window->rect().contains(
            QRect(status->mapTo(window.get(), QPoint(0, 0)), status->size())));
        const QWidget& counters = *Child<QWidget>(window.get(), "Panel1");
        QCOMPARE(counters.y(), Panel().geometry().bottom() + 1);
    }

    ErrorsFeature& counter;
    KeyboardFeature& keyboard;
    // The answer to the dialog the test's step expects.
    std::function<int(QDialog&)> answer;
};

} // namespace

class KeyboardFitQtTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempLessonDir> dir;

    void WriteIni(const std::string& text) {
        std::ofstream(dir->Path() + "klaptos.ini", std::ios::binary) << text;
    }

private slots:
    void init() {
        dir = std::make_unique<TempLessonDir>();
        dir->AddLesson(1, "Lekce 1: d f j k.", {"ff jj", "dd kk"});
        dir->AddLesson(2,
                       "Lekce 2: s l. Levý prsteníček leží na s, pravý na l; oba se vracejí "
                       "na základní řadu hned po úhozu a ukazováčky zůstávají na f a j, kde je "
                       "najdete podle výstupků, i když se na klávesnici nedíváte vůbec.",
                       {"ss ll"});
    }
    void cleanup() { dir.reset(); }

    void theScreenIsTheLaptops() {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(screen.size(), QSize(kScreenWidth, kScreenHeight));
    }

    void theWindowWithTheKeyboardStaysOnTheScreenAndKeepsItsHeight() {
        Session s(*dir);
        s.ExpectOnTheScreen();
        KeyboardPanel& panel = s.Panel();
        QVERIFY(panel.View().isVisible());
        QVERIFY(!panel.NoteLabel().isVisible());
        // Drawn smaller than the typing line's width to fit the height, but readable.
        QVERIFY(panel.View().width() < panel.width());
        QVERIFY(panel.View().width() >= KeyboardPanel::kReadableWidth);
        const int height = s.window->height();

        // An intro line that wraps, the heat map's legend, a text without an intro line.
        s.ChooseLesson(2, true);
        QCOMPARE(s.window->height(), height);
        QVERIFY(panel.IntroLabel().text().contains(u'\n'));
        Child<QAction>(s.window.get(), "ActionMapaChyb")->trigger();
        QCOMPARE(s.window->height(), height);
        s.OpenFile(dir->WriteTextFile("bez.txt", "", {"slovo"}));
        QCOMPARE(s.window->height(), height);
        Child<QAction>(s.window.get(), "ActionMapaChyb")->trigger();
        QCOMPARE(s.window->height(), height);
        s.ExpectOnTheScreen();
    }

    // A large typing font leaves no room for a readable keyboard: the panel says so in its
    // place, and the keyboard comes back with a smaller font.
    void withoutRoomForAReadableKeyboardANoteTakesItsPlace() {
        WriteIni("[Font]\r\nName=Courier New\r\nSize=26\r\n");
        Session s(*dir);
        KeyboardPanel& panel = s.Panel();
        QVERIFY(!panel.View().isVisible());
        QVERIFY(panel.NoteLabel().isVisible());
        QVERIFY(panel.NoteLabel().text().startsWith(
            QString::fromUtf8("Klávesnice se na obrazovku nevejde.")));
        s.ExpectOnTheScreen();

        QFont smaller = s.TypingFont();
        smaller.setPointSize(12);
        s.ChooseFont(smaller);
        QVERIFY(panel.View().isVisible());
        QVERIFY(!panel.NoteLabel().isVisible());
        s.ExpectOnTheScreen();
    }
};

// The offscreen platform with one screen of the laptop's size, made before the application.
int main(int argc, char** argv) {
    QTemporaryDir config;
    const QString path = config.filePath(QStringLiteral("screens.json"));
    std::ofstream(path.toStdString())
        << R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": )" << kScreenWidth
        << R"(, "height": )" << kScreenHeight << R"(, "logicalDpi": 96, "dpr": 1}]})";
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + path.toLocal8Bit());
    QApplication app(argc, argv);
    KeyboardFitQtTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "KeyboardFitQtTest.moc"
