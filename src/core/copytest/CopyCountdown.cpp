#include "CopyCountdown.h"

#include "Clock.h"

CopyCountdown::CopyCountdown(const Clock& clock, int minutes)
    : clock_(clock), durationMs_(static_cast<std::uint32_t>(minutes) * 60000U) {}

void CopyCountdown::Start() {
    if (!started_) {
        started_ = true;
        startTick_ = clock_.TickCount();
    }
}

std::uint32_t CopyCountdown::RemainingMs() const {
    if (!started_) {
        return durationMs_;
    }
    // Unsigned ticks: the difference is right across the tick count's wrap-around.
    const std::uint32_t elapsed = clock_.TickCount() - startTick_;
    return elapsed >= durationMs_ ? 0 : durationMs_ - elapsed;
}

std::string CopyCountdown::RemainingText() const {
    const std::uint32_t seconds = (RemainingMs() + 999) / 1000;
    const std::uint32_t rest = seconds % 60;
    return std::to_string(seconds / 60) + ':' + (rest < 10 ? "0" : "") + std::to_string(rest);
}

std::uint32_t CopyCountdown::MsToNextChange() const {
    const std::uint32_t remaining = RemainingMs();
    const std::uint32_t intoSecond = remaining % 1000;
    return intoSecond == 0 ? (remaining == 0 ? 0 : 1000) : intoSecond;
}
