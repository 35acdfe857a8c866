#include "ErrorCounter.h"

#include <cstddef>

namespace {

// Room for a line typed with many errors before the list grows.
constexpr std::size_t kLineReserve = 256;

} // namespace

ErrorCounter::ErrorCounter() {
    line_.reserve(kLineReserve);
}

void ErrorCounter::StatisticsCleared() {
    text_.Clear();
    line_.clear();
}

void ErrorCounter::LineBegun() {
    line_.clear();
}

void ErrorCounter::KeyJudged(unsigned char expected, unsigned char struck, bool right) {
    text_.Add(expected, struck, right);
    line_.push_back({expected, struck, right});
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
        atLineStart.Remove(k.expected, k.struck, k.right);
    }
    atLineStart.Save(ini);
}
