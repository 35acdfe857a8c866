#pragma once
// The window of a timed copy: the copy's paragraphs above, the text area below, the time
// left beside the title. The countdown starts with the first keystroke; at zero the input
// stops and the window closes accepted. F8, Escape or closing the window ends the test
// early after a question; before the first keystroke they close it without a result.

#include "CopyCountdown.h"
#include "QtModalRunner.h"

#include <QDialog>
#include <QPointer>

#include <string>

class Clock;
class CopyTypingArea;
class QLabel;
class QMessageBox;
class QPlainTextEdit;
class QTimer;
struct CopyText;

class CopyTestWindow final : public QDialog {
    Q_OBJECT

public:
    CopyTestWindow(const CopyText& copy, int minutes, const QFont& typingFont, const Clock& clock,
                   QWidget* parent);

    // Runs the question whether to end early; tests answer it here.
    void SetQuestionRunner(QtModalRunner runner) { runQuestion_ = std::move(runner); }

    // The text area's content, code page 1250, Enter as 10.
    [[nodiscard]] std::string Typed() const;
    [[nodiscard]] bool Started() const { return countdown_.Started(); }
    [[nodiscard]] QString RemainingShown() const;

    // F8, Escape and the window's close button: asks before it ends a test under way.
    void RequestEnd();
    // The clock's check, as the window's timer makes it: ends the test when the time is up.
    void CheckTime();

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FirstKeystroke();
    void ShowRemaining();
    void Finish();

    CopyCountdown countdown_;
    QtModalRunner runQuestion_ = QtExecModal;
    QPlainTextEdit* copyView_ = nullptr;
    CopyTypingArea* typingArea_ = nullptr;
    QLabel* remaining_ = nullptr;
    QTimer* timer_ = nullptr;
    QPointer<QMessageBox> question_;
    bool finished_ = false;
};
