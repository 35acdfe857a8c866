#include "SplashTimerRule.h"

SplashTimerRule::Step SplashTimerRule::Tick() {
    if (readyToClose || ticksLeft <= 0) {
        return Step::Close;
    }
    --ticksLeft;
    return Step::Wait;
}
