#pragma once
// Times each judged keystroke from the keystroke before it and shares the time out among the
// key presses the expected character takes on the Czech keyboard: a capital is two presses,
// ď three (dead key, Shift, d), so every character is judged per press like a plain key. A
// character typed after a pause is counted for its errors but not timed.

#include "KeyTotals.h"
#include "KeystrokeNorm.h"

#include <cstdint>
#include <optional>

class Clock;
class KeyboardLayout;
class KeyStatistics;

class KeyTimer {
public:
    // Longer than this since the previous keystroke is a pause, not typing.
    static constexpr uint32_t kPauseMs = 2000;

    KeyTimer(const Clock& clock, const KeyboardLayout& layout, KeyStatistics& statistics);

    // The next keystroke has no previous one to be timed from (a new text, a new exercise).
    void Restart() { previous_.reset(); }
    // A keystroke judged against the expected character; Enter is not measured, but the next
    // character is timed from it.
    void Judge(unsigned char expected, unsigned char struck, bool right);

    void SetLayout(const KeyboardLayout& layout) { norm_ = KeystrokeNorm(layout); }
    [[nodiscard]] KeyTotals& Totals() { return totals_; }

private:
    const Clock& clock_;
    KeystrokeNorm norm_;
    KeyStatistics& statistics_;
    KeyTotals totals_;
    std::optional<uint32_t> previous_;
};
