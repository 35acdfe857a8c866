#include "SplashTimerRule.h"

#include <gtest/gtest.h>

namespace {

// Runs the splash timer as the event loop would and returns the time of the tick that
// closes the splash, in milliseconds after it appeared. `readyAtMs` < 0: never ready.
int CloseTimeMs(int readyAtMs) {
    SplashTimerRule rule;
    int now = SplashTimerRule::kFirstIntervalMs;
    for (int tick = 0; tick < 100; ++tick) {
        if (readyAtMs >= 0 && now >= readyAtMs) {
            rule.readyToClose = true;
        }
        if (rule.Tick() == SplashTimerRule::Step::Close) {
            return now;
        }
        now += SplashTimerRule::kNextIntervalMs;
    }
    return -1;
}

} // namespace

TEST(SplashTimerRule, ReadyBeforeTheFirstTickClosesAtTwoSeconds) {
    EXPECT_EQ(CloseTimeMs(300), 2000);
}

TEST(SplashTimerRule, ReadyAtThreePointTwoSecondsClosesAtTheTickAtThreePointFive) {
    EXPECT_EQ(CloseTimeMs(3200), 3500);
}

TEST(SplashTimerRule, NeverReadyClosesAtSevenSeconds) {
    EXPECT_EQ(CloseTimeMs(-1), 7000);
}

TEST(SplashTimerRule, ReadinessAfterTheLastSpareTickIsTooLateToMatter) {
    SplashTimerRule rule;
    for (int i = 0; i < SplashTimerRule::kSpareTicks; ++i) {
        ASSERT_EQ(rule.Tick(), SplashTimerRule::Step::Wait);
    }
    EXPECT_EQ(rule.ticksLeft, 0);
    EXPECT_EQ(rule.Tick(), SplashTimerRule::Step::Close);
}
