#pragma once
// Plays the system sounds through the desktop's sound theme, with the plain beep as fallback.

#include "SoundPlayer.h"

struct ca_context;

class QtSoundPlayer final : public SoundPlayer {
public:
    QtSoundPlayer() = default;
    ~QtSoundPlayer() override;
    QtSoundPlayer(const QtSoundPlayer&) = delete;
    QtSoundPlayer& operator=(const QtSoundPlayer&) = delete;

    // Returns at once; the sound plays in the background.
    void Play(SystemSound sound) override;

    // The freedesktop sound theme event that stands for `sound`.
    [[nodiscard]] static const char* EventId(SystemSound sound);

private:
    // Opens the sound server connection on the first sound, so that start-up never waits for it.
    [[nodiscard]] bool EnsureContext();

    static constexpr int kFailuresBeforeGivingUp = 3;

    ca_context* context_ = nullptr;
    bool unavailable_ = false; // canberra cannot play here: only the plain beep
    bool played_ = false;      // canberra has played a sound at least once
    int failures_ = 0;
};
