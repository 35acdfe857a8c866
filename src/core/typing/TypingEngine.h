#pragma once
// Checks every keystroke against the line being copied, moves the position, counts right
// and wrong keystrokes, and at the end of a line fetches the same or the next line.

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

    // `observer` hears every checked keystroke and every change of the next character from
    // now on; it must outlive the engine or be removed first.
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
    void BeginText();
    void UpdateCaption();
    // Zeroes the line counters and shows the error counts.
    void StartLine();

    [[nodiscard]] TypingLine& Line() { return line_; }
    [[nodiscard]] const TypingLine& Line() const { return line_; }

private:
    void TypeCharacter(unsigned char c);
    void Backspace();
    void Enter();
    void CountError();
    void EndOfText();
    void TellKeyChecked(unsigned char expected, unsigned char typed, bool right);
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
