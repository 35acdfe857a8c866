#include "ErrorCounter.h"

#include "SpeedMeter.h"
#include "TypingLine.h"

namespace {

// Room for a line typed with many errors before the list grows.
constexpr size_t kLineReserve = 256;

} // namespace

ErrorCounter::ErrorCounter(const SpeedMeter& meter) : meter_(meter) {
    line_.reserve(kLineReserve);
}

void ErrorCounter::KeyChecked(unsigned char expected, unsigned char typed, bool right) {
    // Past the marker the pattern holds 0; the key the pupil owed there is Enter.
    if (expected == 0) {
        expected = TypingLine::kEndOfLine;
    }
    text_.Add(expected, typed, right);
    line_.push_back({expected, typed, right});
}

void ErrorCounter::NextCharacter(unsigned char /*expected*/) {
    // The engine tells the next character after every move; the meter's line counters are
    // zero only when a line has just been put up (next, repeated, arrow, first line), and its
    // text counters only when the text was cleared (new text, next lesson, start again).
    if (meter_.lineKeystrokes != 0) {
        return;
    }
    line_.clear();
    if (meter_.lessonKeystrokes == 0) {
        text_.Clear();
    }
}

void ErrorCounter::LoadErrors(const IniFile& ini) {
    text_.Load(ini);
    line_.clear();
}

void ErrorCounter::SaveErrors(IniFile& ini) const {
    if (line_.empty()) {
        text_.Save(ini);
        return;
    }
    KeyErrorCounts atLineStart = text_;
    for (const Keystroke& k : line_) {
        atLineStart.Remove(k.expected, k.typed, k.right);
    }
    atLineStart.Save(ini);
}
