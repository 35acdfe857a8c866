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
#include "ProgramOptions.h"
#include "RecordingReporter.h"
#include "RecordingSound.h"
#include "SpeedMeter.h"
#include "TFormHOknoPM.h"
#include "TempLessonDir.h"
#include "TypingEngine.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <memory>

namespace {

constexpr int kScreenWidth = 1093;
constexpr int kScreenHeight = 614;

template <typename T> T* Child(const QObject* parent, const char* name) {
    T* child = parent->findChild<T*>(QLatin1String(name));
    if (child == nullptr) {
        qFatal("no control %s", name);
    }
    return child;
}

struct Session {
    explicit Session(TempLessonDir& dir)
        : meter(clock), store(dir.Path(), reporter), errors(meter), keyboard(store, &errors) {
        window = std::make_unique<TFormHOknoPM>(
            TFormHOknoPM::Model{store, meter, options, sound, clock},
            QString::fromStdString(dir.Path() + "klaptos.ini"), QString::fromStdString(dir.Path()),
            QString(), std::vector<MainWindowFeature*>{&keyboard});
        window->Engine().AddObserver(errors);
        window->SetSeam({.runModal = [](QDialog&) { return int(QDialogButtonBox::Yes); }});
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
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

    FakeClock clock;
    SpeedMeter meter;
    ProgramOptions options;
    RecordingSound sound;
    RecordingReporter reporter;
    LEKCE store;
    ErrorCounter errors;
    KeyboardFeature keyboard;
    std::unique_ptr<TFormHOknoPM> window;
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
        s.store.LoadLesson(2, true);
        s.window->Engine().BeginText();
        QCOMPARE(s.window->height(), height);
        QVERIFY(panel.IntroLabel().text().contains(u'\n'));
        Child<QAction>(s.window.get(), "ActionMapaChyb")->trigger();
        QCOMPARE(s.window->height(), height);
        s.store.LoadTextFile(dir->WriteTextFile("bez.txt", "", {"slovo"}));
        s.window->Engine().BeginText();
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

        QFont smaller = s.window->TypingFont();
        smaller.setPointSize(12);
        s.window->SetTypingFont(smaller);
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
