#pragma once
// Counts, while the pupil types, each judged keystroke against the character that was expected,
// for the text as the speed meter counts it: kept across a restart, cleared with the meter.
//
// A wrong key counts against the character expected where it was struck. A wrong Enter (Enter
// struck inside a line) counts against the character expected there, with Enter as the key
// struck instead. A character typed at the end-of-line marker, or past it while the position
// moves on after errors, counts against Enter. Backspace is no judged keystroke and counts
// nothing. A repeated line counts again, as the meter's text totals do.

#include "KeyErrorCounts.h"
#include "TypingObserver.h"

#include <vector>

class IniFile;

class ErrorCounter final : public TypingObserver {
public:
    ErrorCounter();

    void StatisticsCleared() override;
    void LineBegun() override;
    void KeyJudged(unsigned char expected, unsigned char struck, bool right) override;

    // The text so far, the current line included.
    [[nodiscard]] const KeyErrorCounts& Counts() const { return text_; }

    // Beside the meter's LoadStatistics and SaveStatistics: like them, what is saved is the
    // state at the start of the current line, where typing resumes after a restart.
    void LoadErrors(const IniFile& ini);
    void SaveErrors(IniFile& ini) const;

private:
    struct Keystroke {
        unsigned char expected;
        unsigned char struck;
        bool right;
    };

    KeyErrorCounts text_;
    std::vector<Keystroke> line_; // the current line's share of text_
};
