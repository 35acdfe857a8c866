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
    // A sound may be wanted soon (typing starts with error sounds on, the Options dialog opens
    // with its samples): opens the sound system without waiting for it, so that the sound
    // will not wait either. Until then the program has not paid for the sound system at all.
    virtual void WarmUp() {}
};
