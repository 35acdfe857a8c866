#pragma once
// A clock that tests set and advance by hand.

#include "Clock.h"

class FakeClock final : public Clock {
public:
    explicit FakeClock(uint32_t start = 100000) : now_(start) {}
    [[nodiscard]] uint32_t TickCount() const override { return now_; }
    void Set(uint32_t now) { now_ = now; }
    void Advance(uint32_t ms) { now_ += ms; }

private:
    uint32_t now_;
};
