#pragma once
// A test seam for whole-program runs, read once at start: when KLAPTOS_TRACE names a file, the
// program appends a line to it for every key it handled and what the key did, every window it
// showed or hid, every text begun or finished and every finger text the keyboard showed. Lines
// are written when the event loop is about to wait, so a script that has read the line of a
// key finds the program done with that key: its windows shown, closed and painted.
//
//   shown TFormKonec 23068679 Konec lekce 1     (class, X window id, title)
//   key f in TFormHOknoPM: right                (what the typing made of it, below)
//   key F9 in TFormHOknoPM: ActionContinue, typing
//
// A key reads "right", "wrong, f expected", "line finished", "next f" (Backspace, arrows),
// the action or button a shortcut reached, "STOP" when the typing swallowed it in STOP mode,
// "text 57" when it went to a text field outside the typing (a copy's text area, a file name)
// that then holds 57 characters, and "-" when nothing of these heard it. Without the variable
// nothing is made: no filter, no observer.

#include <QFile>
#include <QObject>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <memory>

class QWidget;

class ProgramTrace final : public QObject {
public:
    static constexpr const char* kVariable = "KLAPTOS_TRACE";

    // The trace the environment asks for, or nullptr.
    [[nodiscard]] static std::unique_ptr<ProgramTrace> FromEnvironment();

    // Watches the whole application from now on; the file is appended to.
    explicit ProgramTrace(const QString& file);
    ~ProgramTrace() override;
    ProgramTrace(const ProgramTrace&) = delete;
    ProgramTrace& operator=(const ProgramTrace&) = delete;

    // How the typing judged the key being handled ("right", "wrong, f expected", ...).
    void KeyJudged(const QString& verdict);
    // Where the key being handled moved the typing, when it judged nothing (Backspace, arrows).
    void KeyMoved(const QString& next);
    // A line of its own, in its place among the keys.
    void Note(const QString& line);
    // The window the pupil types in, and whether its typing stands in STOP mode: a key of that
    // window that nothing heard was swallowed or not. An empty function forgets the window.
    void FollowTyping(const QWidget* window, std::function<bool()> stopped);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Line {
        QString text;
        QStringList did; // of a key: what it did
        bool shortcut = false;
        bool judged = false;
        bool typingWindow = false; // of a key: the window the pupil types in
    };

    void BeginKey(const QString& name, const QObject* target, bool shortcut = false);
    void EndKey();
    void Write();

    QFile file_;
    std::deque<Line> pending_;
    Line* key_ = nullptr; // the key being handled, in pending_
    const QWidget* typingWindow_ = nullptr;
    std::function<bool()> stopped_;
};
