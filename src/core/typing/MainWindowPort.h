#pragma once
// The main window's controls as the typing model sees them. Texts are code page 1250.

#include "Evaluation.h"
#include "SpeedDisplay.h"

#include <string>

class MainWindowPort : public SpeedDisplay {
public:
    // 0: no text (an empty store); the field shows nothing.
    virtual void ShowLineNumber(int lineNumber) = 0;
    virtual void ShowLineCount(int lineCount) = 0;
    virtual void ShowIntroLine(const std::string& text) = 0;
    virtual void SetCaption(const std::string& caption, const std::string& applicationTitle) = 0;

    // Moves the keyboard focus to the line-number field, so that no button can be pressed
    // with Space or Enter; does nothing while the window is hidden.
    virtual void FocusLineNumberField() = 0;
    // Asks for a full repaint of the typing line.
    virtual void InvalidateView() = 0;

    // Panel 0 of the status bar.
    virtual void SetStatusText(const std::string& text) = 0;
    [[nodiscard]] virtual std::string StatusText() const = 0;

    // true: the Pause action (and its button) shows and Continue hides; false: the reverse.
    virtual void ShowPauseAction(bool pauseShown) = 0;
    virtual void SetPauseContinueMenu(const std::string& caption, const std::string& hint) = 0;

    virtual void SetSpeedPanelVisible(bool visible) = 0;
    virtual void SetShowSpeedButtonVisible(bool visible) = 0;

    // Shows the end-of-lesson evaluation modally and returns the pupil's answer.
    virtual EvaluationAnswer ShowEvaluation() = 0;
};
