#pragma once
// The countdown of a timed copy: it starts with the pupil's first keystroke and runs for the
// chosen minutes of the typing clock.

#include <cstdint>
#include <string>

class Clock;

class CopyCountdown {
public:
    CopyCountdown(const Clock& clock, int minutes);

    // At the first keystroke; later calls leave the start as it was.
    void Start();
    [[nodiscard]] bool Started() const { return started_; }

    // The whole duration until the start, then what is left of it, never below zero.
    [[nodiscard]] std::uint32_t RemainingMs() const;
    [[nodiscard]] bool Expired() const { return started_ && RemainingMs() == 0; }
    // "9:59": minutes and seconds left, a second begun counted whole, so that "0:00" shows
    // only when the time is up.
    [[nodiscard]] std::string RemainingText() const;
    // How long until the text shown changes; the whole remaining time below a second.
    [[nodiscard]] std::uint32_t MsToNextChange() const;

private:
    const Clock& clock_;
    std::uint32_t durationMs_;
    std::uint32_t startTick_ = 0;
    bool started_ = false;
};
