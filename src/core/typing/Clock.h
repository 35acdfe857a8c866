#pragma once
// The millisecond tick count that times keystrokes: a monotonic clock truncated to
// 32 bits, so it wraps after about 49 days and every comparison of ticks is unsigned.

#include <cstdint>

class Clock {
public:
    virtual ~Clock() = default;
    [[nodiscard]] virtual uint32_t TickCount() const = 0;
};

// The real clock: std::chrono::steady_clock in milliseconds, truncated to 32 bits.
class SteadyClock final : public Clock {
public:
    [[nodiscard]] uint32_t TickCount() const override;
};
