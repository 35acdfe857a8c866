#pragma once
// Checks every keystroke against the line being copied, moves the position, counts right
// and wrong keystrokes, at the end of a line fetches the same or the next line, and tells
// the observers what happened (TypingObserver).

#include "TypingLine.h"
#include "VirtualKey.h"

#include <cstdint>
#include <string>
#include <vector>

class Commands;
class LEKCE;
class LineDrawer;
class MainWindowPort;
class SoundPlayer;
class SpeedMeter;
class TypingObserver;
struct ProgramOptions;

class TypingEngine {
public:
    // The character Backspace sends.
    static constexpr unsigned char kBackspace = 8;

    TypingEngine(TypingLine& line, LEKCE& store, SpeedMeter& meter, const ProgramOptions& options,
                 SoundPlayer& sound, LineDrawer& drawer, MainWindowPort& window,
                 Commands& commands);

    bool stopMode = false;
    // Leaves STOP mode; with error sounds on, the sound system gets ready meanwhile.
    void ResumeTyping();

    // `observer` hears every event from now on (TypingObserver tells which, and in which
    // order); it must outlive the engine or be removed first.
    void AddObserver(TypingObserver& observer);
    void RemoveObserver(TypingObserver& observer);

    // Character event; sets `key` to 0 when it consumes it.
    void FormKeyPress(unsigned char& key);
    // Key-down event (Return, Up, Down); sets `key` to None when it consumes it.
    void FormKeyDown(VirtualKey& key);

    void SetPattern(std::string_view text) { line_.SetPattern(text); }
    void ClearPattern() { line_.ClearPattern(); }
    void SetTypedLine(std::string_view text) { line_.SetTypedLine(text); }
    void ClearTypedLine() { line_.ClearTypedLine(); }
    // nullptr counts as the empty line.
    void ShowLine(const std::string* text);

    // A text just put into the store (a lesson, a file, the next lesson, a practice text)
    // begins with cleared statistics, in STOP mode.
    void BeginNewText();
    // The text the store holds begins with the statistics as they stand.
    void BeginText();
    // The text of the last session goes on with its restored statistics; statistics without a
    // keystroke count as cleared.
    void ResumeText();
    // The text in the store starts again from its first line with cleared statistics.
    void StartAgain();
    void ClearStatistics();
    void UpdateCaption();
    // Zeroes the line counters, shows the error counts and tells that a line begins.
    void StartLine();

    [[nodiscard]] TypingLine& Line() { return line_; }
    [[nodiscard]] const TypingLine& Line() const { return line_; }

private:
    void TypeCharacter(unsigned char c);
    void Backspace();
    void Enter();
    void CountError();
    void EndOfText();
    // Every event goes to each observer through here.
    template <typename Event> void Tell(const Event& event);
    void TellNextCharacter();

    TypingLine& line_;
    LEKCE& store_;
    SpeedMeter& meter_;
    const ProgramOptions& options_;
    SoundPlayer& sound_;
    LineDrawer& drawer_;
    MainWindowPort& window_;
    Commands& commands_;
    std::vector<TypingObserver*> observers_;
};
