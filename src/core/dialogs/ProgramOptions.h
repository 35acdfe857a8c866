#pragma once
// The pupil's options: what the typing line shows, how errors sound and repeat, what closing asks.

#include <array>
#include <string>

class IniFile;
class SoundPlayer;

struct ProgramOptions {
    int CharSpace = 1;     // extra pixels between the characters of the typing line, 0..15
    bool ErrorBeep = true; // sound on a wrong keystroke
    bool Caret = true;     // draw the moving carriage
    bool Speed = true;     // show the speed panel
    int SpeedMax = 200;    // top of the speed bar: 200, 400 or 600 (stored as "SpeedIx")
    int CloseQuery = 2;    // 0 close at once, 1 ask with Yes preselected, 2 ask with No
    bool IsMaximized = false;
    int Sound = 0;        // which error sound, 0..5
    int ErrRep = 1;       // a line with more errors than this is repeated
    bool ErrIsRep = true; // the line-repeat rule is on
    bool MoveOnError =
        true;             // a wrong character still moves the position on (its key defaults to off)
    bool AutoStop = true; // STOP mode when another application takes the focus

    // Section "Options"; both do nothing without a settings file.
    void ReadOptions(const IniFile* ini);
    void WriteOptions(IniFile* ini) const;
};

inline constexpr int kErrorSoundCount = 6;

// Plays error sound `sound` (0..5); any other number plays nothing.
void PlayErrorSound(SoundPlayer& player, int sound);

// The items of the options dialog's sound list, index = `Sound`, in code page 1250.
[[nodiscard]] const std::array<std::string, kErrorSoundCount>& SoundItemCaptions();
