#pragma once
// Plays the system sounds through the desktop's sound theme, with the plain beep as fallback.

#include "SoundPlayer.h"

#include <atomic>
#include <thread>

struct ca_context;

class QtSoundPlayer final : public SoundPlayer {
public:
    QtSoundPlayer() = default;
    ~QtSoundPlayer() override;
    QtSoundPlayer(const QtSoundPlayer&) = delete;
    QtSoundPlayer& operator=(const QtSoundPlayer&) = delete;

    // Opens the sound system on a worker thread and returns at once: opening it takes
    // tens of milliseconds, which the first wrong keystroke must not wait for. A sound before
    // the open is done is the plain beep.
    void WarmUp() override;

    // Returns at once; the sound plays in the background.
    void Play(SystemSound sound) override;

    // The freedesktop sound theme event that stands for `sound`.
    [[nodiscard]] static const char* EventId(SystemSound sound);

private:
    enum class State { Closed, Opening, Open, Unavailable };

    // Runs on the worker thread: loads libcanberra and connects to the sound server.
    void Open();

    static constexpr int kFailuresBeforeGivingUp = 3;

    // Written by the worker until it sets Open or Unavailable, then only by the main thread.
    ca_context* context_ = nullptr;
    std::atomic<State> state_{State::Closed};
    std::thread opener_;
    bool played_ = false; // canberra has played a sound at least once
    int failures_ = 0;
};
