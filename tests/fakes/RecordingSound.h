#pragma once
// Remembers which system sounds were asked for.

#include "SoundPlayer.h"

#include <vector>

class RecordingSound final : public SoundPlayer {
public:
    void Play(SystemSound sound) override { played.push_back(sound); }
    void WarmUp() override { ++warmUps; }
    std::vector<SystemSound> played;
    int warmUps = 0;
};
