#pragma once
// Times every keystroke and keeps the error, keystroke and time counters of the current
// line and of the whole text, from which the speeds and the time left are derived.
// All speeds are keystrokes per minute, all times milliseconds of the tick count.

#include <array>
#include <cstdint>
#include <string>

class Clock;
class IniFile;
class SpeedDisplay;
struct ProgramOptions;

class SpeedMeter {
public:
    static constexpr int kIntervalSlots = 32;

    explicit SpeedMeter(const Clock& clock);

    int32_t lineErrors = 0;
    int32_t lessonErrors = 0; // "ChCelkem"
    int32_t minSpeed = 0;
    int32_t avgSpeed = 0;
    int32_t absSpeed = 0;
    int32_t maxSpeed = 0;
    int32_t lineMs = 0;
    int32_t lessonMs = 0; // "MsCelkem"
    int32_t lineKeystrokes = 0;
    int32_t lessonKeystrokes = 0; // "UhozyCelkem"
    int32_t lineCorrect = 0;
    int32_t lessonCorrect = 0;                       // "UhozyOK"
    std::array<int32_t, kIntervalSlots> intervals{}; // newest first; "MsMem"
    int32_t intervalCount = 0;
    int32_t pendingMs = 0; // the running interval as the last refresh without a keystroke saw it
    uint32_t lastTick = 0; // milliseconds of the tick count: last keystroke, clear or resume

    void Clear();
    void StartLine();
    // keystroke true: register one keystroke; false: recompute with the running interval only.
    void Measure(bool keystroke);
    // Resuming from STOP mode: the stop counts neither as typing time nor as an interval.
    void Resume();
    // A keystroke judged right, or wrong, in the line and in the text.
    void CountRight();
    void CountError();

    void ShowErrors(SpeedDisplay& display, const ProgramOptions& options) const;
    // `progress`: the done fraction of the text at the current position (LEKCE::Progress).
    void ShowSpeed(SpeedDisplay& display, const ProgramOptions& options, bool stopMode,
                   double progress) const;

    // Section "Statistika".
    void SaveStatistics(IniFile& ini) const;
    void LoadStatistics(const IniFile& ini);

    // The "MsMem" list: each interval as lower-case hexadecimal followed by a comma.
    [[nodiscard]] std::string IntervalsText() const;
    void ParseIntervals(const std::string& text);

private:
    const Clock& clock_;
};

// Empties the speed fields, elapsed time "0:00", time left "-?-".
void ClearSpeedDisplay(SpeedDisplay& display);

// The nine labels under the speed bar for a scale maximum (0 or less counts as 200).
[[nodiscard]] std::array<int, 9> SpeedScaleLabels(int max);

// "%d,%d" of a per-mille value: 25 gives "2,5".
[[nodiscard]] std::string FormatPerMille(int perMille);
