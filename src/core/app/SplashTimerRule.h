#pragma once
// Decides when the splash window closes: not before its first tick at 2 s, then at the
// first 500 ms tick after the main window has reported readiness, and at the latest
// when its spare ticks have run out (7 s after it appeared).

#include <cstdint>

class SplashTimerRule {
public:
    static constexpr int kFirstIntervalMs = 2000;
    static constexpr int kNextIntervalMs = 500;
    static constexpr int32_t kSpareTicks = 10;

    enum class Step { Close, Wait };

    bool readyToClose = false;
    int32_t ticksLeft = kSpareTicks;

    // One tick of the splash timer. Wait: the next tick comes kNextIntervalMs later.
    [[nodiscard]] Step Tick();
};
