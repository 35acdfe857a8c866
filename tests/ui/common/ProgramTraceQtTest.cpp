// The program's trace: a line for each key the window system delivered, with what the typing
// made of it, and for each window shown and hidden, written once the program is idle.

#include "ProgramTrace.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QDialog>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

namespace {

// Runs the event loop until it is about to wait, as the program's own loop does between two
// keys. (QTRY_ and qWait only process events: they never wait, so the trace never writes.)
void RunUntilIdle() {
    QEventLoop loop;
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     &loop, &QEventLoop::quit);
    loop.exec();
}

QStringList Lines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

// A typing window in miniature: it judges f right and any other letter wrong, and F9 leaves
// STOP mode, as the typing engine does through the trace's observer.
class TypingWindow final : public QWidget {
public:
    explicit TypingWindow(ProgramTrace& trace) : trace_(trace) {
        setWindowTitle(QStringLiteral("Klaptos"));
        auto* resume = new QAction(this);
        resume->setObjectName(QStringLiteral("ActionContinue"));
        resume->setShortcut(QKeySequence(Qt::Key_F9));
        connect(resume, &QAction::triggered, this, [this] { stopped = false; });
        addAction(resume);
    }
    bool stopped = true;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (stopped || event->text().isEmpty() || !event->text().at(0).isLetter()) {
            return;
        }
        trace_.KeyJudged(event->text() == u"f" ? QStringLiteral("right")
                                               : QStringLiteral("wrong, f expected"));
        trace_.KeyMoved(QStringLiteral("next j")); // a judged key moves on without saying so
    }

private:
    ProgramTrace& trace_;
};

} // namespace

class ProgramTraceQtTest : public QObject {
    Q_OBJECT

private slots:
    void nothingIsTracedWithoutTheVariable() {
        qunsetenv(ProgramTrace::kVariable);
        QVERIFY(ProgramTrace::FromEnvironment() == nullptr);
    }

    void keysAndWindowsAreTracedOnceTheProgramIsIdle() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("trace.txt"));
        qputenv(ProgramTrace::kVariable, path.toLocal8Bit());
        const std::unique_ptr<ProgramTrace> trace = ProgramTrace::FromEnvironment();
        QVERIFY(trace != nullptr);
        TypingWindow window(*trace);
        trace->FollowTyping(&window, [&window] { return window.stopped; });
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const QString id = QString::number(window.winId());
        const QString shown = "shown QWidget " + id + " Klaptos";
        RunUntilIdle();
        QCOMPARE(Lines(path), QStringList{shown});

        // Through the window system, as xdotool's keys come.
        QTest::keyClick(window.windowHandle(), Qt::Key_X, Qt::NoModifier);
        QTest::keyClick(window.windowHandle(), Qt::Key_F9);
        QTest::keyClick(window.windowHandle(), Qt::Key_Shift); // no keystroke of its own
        QTest::keyClick(window.windowHandle(), Qt::Key_F, Qt::NoModifier);
        QTest::keyClick(window.windowHandle(), Qt::Key_G, Qt::NoModifier);
        QTest::keyClick(window.windowHandle(), Qt::Key_Escape);
        trace->Note(QStringLiteral("text finished"));
        QDialog dialog(&window);
        dialog.setWindowTitle(QString::fromUtf8("Konec lekce 1"));
        dialog.show();
        const QString dialogId = QString::number(dialog.winId());
        QTest::keyClick(dialog.windowHandle(), Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());

        // Nothing more before the program is idle: a script reads a key's line only once the
        // program is done with it.
        QCOMPARE(Lines(path), QStringList{shown});
        RunUntilIdle();
        QCOMPARE(Lines(path), QStringList({
                                  shown,
                                  "key x in QWidget: STOP",
                                  "key F9 in QWidget: ActionContinue, typing",
                                  "key f in QWidget: right",
                                  "key g in QWidget: wrong, f expected",
                                  "key Esc in QWidget: -",
                                  "text finished",
                                  "shown QDialog " + dialogId + " Konec lekce 1",
                                  "key Esc in QDialog: -",
                                  "hidden QDialog " + dialogId + " Konec lekce 1",
                              }));
    }

    // A key typed into a text field of another window (a copy's text area, a file name) tells
    // how many characters the field then holds, so that a script sees each key arrive.
    void aKeyInATextFieldTellsTheFieldsLength() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("trace.txt"));
        ProgramTrace trace(path);
        QDialog dialog;
        auto* area = new QPlainTextEdit(&dialog);
        auto* field = new QLineEdit(&dialog);
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(area);
        layout->addWidget(field);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        area->setFocus();
        RunUntilIdle();
        const int before = static_cast<int>(Lines(path).size());

        QTest::keyClick(dialog.windowHandle(), Qt::Key_A, Qt::NoModifier);
        QTest::keyClick(dialog.windowHandle(), Qt::Key_Return);
        QTest::keyClick(dialog.windowHandle(), Qt::Key_B, Qt::NoModifier);
        QTest::keyClick(dialog.windowHandle(), Qt::Key_Backspace);
        RunUntilIdle();
        field->setFocus();
        QTest::keyClick(dialog.windowHandle(), Qt::Key_C, Qt::NoModifier);
        RunUntilIdle();
        QCOMPARE(Lines(path).mid(before), QStringList({
                                              "key a in QDialog: text 1",
                                              "key Return in QDialog: text 2",
                                              "key b in QDialog: text 3",
                                              "key Backspace in QDialog: text 2",
                                              "key c in QDialog: text 1",
                                          }));
    }
};

QTEST_MAIN(ProgramTraceQtTest)
#include "ProgramTraceQtTest.moc"
