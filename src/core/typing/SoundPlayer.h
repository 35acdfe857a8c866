#pragma once
// Plays one of the desktop's system sounds without waiting for it to finish.

enum class SystemSound {
    SimpleBeep,   // "Reproduktor"
    Asterisk,     // information
    Exclamation,  // warning
    CriticalStop, // error
    Question,
    Default,
};

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void Play(SystemSound sound) = 0;
};
