#include "KeyTimer.h"

#include "Clock.h"
#include "KeyStatistics.h"

namespace {

constexpr unsigned char kEnter = 10;

} // namespace

KeyTimer::KeyTimer(const Clock& clock, const KeyboardLayout& layout, KeyStatistics& statistics)
    : clock_(clock), norm_(layout), statistics_(statistics) {}

void KeyTimer::Judge(unsigned char expected, unsigned char struck, bool right) {
    const uint32_t now = clock_.TickCount();
    const std::optional<uint32_t> previous = previous_;
    previous_ = now;
    if (expected == kEnter || expected == 0) {
        return;
    }
    float msPerPress = 0;
    const int presses = norm_.Of(expected);
    if (previous && right && presses > 0) {
        const uint32_t interval = now - *previous;
        if (interval > 0 && interval <= kPauseMs) {
            msPerPress = static_cast<float>(interval) / static_cast<float>(presses);
        }
    }
    statistics_.Add(expected, {msPerPress, right ? static_cast<unsigned char>(0) : struck});
    totals_.Add(expected, msPerPress, !right);
}
