#pragma once
// Stops typing while a modal window is open and lets it go on when the window has closed,
// unless it was stopped before or what the window did started something new.

class Commands;
class TypingEngine;

class ModalPause {
public:
    // Executes the pause command (as the menu would), noting whether typing was stopped.
    ModalPause(const TypingEngine& engine, Commands& commands);
    // Executes the continue command unless typing was stopped before or KeepStopped was called.
    ~ModalPause();
    ModalPause(const ModalPause&) = delete;
    ModalPause& operator=(const ModalPause&) = delete;

    // A new text has started, or the program closes: the pause is no longer ours to end.
    void KeepStopped() { resume_ = false; }

private:
    Commands& commands_;
    bool resume_;
};
