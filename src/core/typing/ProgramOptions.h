#pragma once
// The pupil's options: what the typing line shows, how errors sound and repeat, what closing asks.

#include "Settings.h"

#include <array>
#include <string>

class IniFile;
class SoundPlayer;

struct ProgramOptions {
    // The defaults are the settings file's (Settings.h), but for MoveOnError.
    int CharSpace = Settings::CharSpace.def; // extra pixels between the typing line's characters
    bool ErrorBeep = Settings::ErrorBeep.def != 0;           // sound on a wrong keystroke
    bool Caret = Settings::Caret.def != 0;                   // draw the moving carriage
    bool Speed = Settings::Speed.def != 0;                   // show the speed panel
    int SpeedMax = SpeedMaxFromIndex(Settings::SpeedIx.def); // top of the speed bar: 200, 400, 600
    int CloseQuery = Settings::CloseQuery.def; // 0 close at once, 1 ask with Yes preselected, 2 No
    bool IsMaximized = Settings::IsMaximized.def != 0;
    int Sound = Settings::Sound.def;             // which error sound
    int ErrRep = Settings::ErrRep.def;           // a line with more errors than this is repeated
    bool ErrIsRep = Settings::ErrIsRep.def != 0; // the line-repeat rule is on
    bool AutoStop = Settings::AutoStop.def != 0; // STOP mode when another application is active
    // A wrong character still moves the position on. On until the file is read, where a
    // missing key means off.
    bool MoveOnError = true;

    // Section "Options".
    void ReadOptions(const IniFile& ini);
    void WriteOptions(IniFile& ini) const;

    // The speed bar's scale is kept in the file as an index into its three choices.
    [[nodiscard]] static constexpr int SpeedMaxFromIndex(int index) {
        return index == 1 ? 400 : index == 2 ? 600 : 200;
    }
    [[nodiscard]] static constexpr int SpeedIndexFromMax(int speedMax) {
        return speedMax <= 200 ? 0 : speedMax >= 600 ? 2 : 1;
    }
};

inline constexpr int kErrorSoundCount = Settings::Sound.high + 1;

// Plays error sound `sound` (0..5); any other number plays nothing.
void PlayErrorSound(SoundPlayer& player, int sound);

// The items of the options dialog's sound list, index = `Sound`, in code page 1250.
[[nodiscard]] const std::array<std::string, kErrorSoundCount>& SoundItemCaptions();
