#include "ProgramOptions.h"

#include "Cp1250.h"
#include "IniFile.h"
#include "SoundPlayer.h"

namespace {

const std::string kSection = "Options";

// The speed bar's scale is kept in the file as an index into its three choices.
int SpeedMaxFromIndex(int index) {
    switch (index) {
    case 1:
        return 400;
    case 2:
        return 600;
    default:
        return 200;
    }
}

int SpeedIndexFromMax(int speedMax) {
    if (speedMax <= 200) {
        return 0;
    }
    return speedMax >= 600 ? 2 : 1;
}

int InRangeOr(int value, int low, int high, int fallback) {
    return value < low || value > high ? fallback : value;
}

} // namespace

void ProgramOptions::ReadOptions(const IniFile* ini) {
    if (ini == nullptr) {
        return;
    }
    IsMaximized = ini->ReadBool(kSection, "IsMaximized", false);
    ErrIsRep = ini->ReadBool(kSection, "ErrIsRep", true);
    ErrRep = ini->ReadInteger(kSection, "ErrRep", 1);
    CharSpace = InRangeOr(ini->ReadInteger(kSection, "CharSpace", 1), 0, 15, 1);
    ErrorBeep = ini->ReadBool(kSection, "ErrorBeep", true);
    Caret = ini->ReadBool(kSection, "Caret", true);
    Speed = ini->ReadBool(kSection, "Speed", true);
    // The record starts with it on, but a file without the key means off, so a first run has it
    // off.
    MoveOnError = ini->ReadBool(kSection, "MoveOnError", false);
    AutoStop = ini->ReadBool(kSection, "AutoStop", true);
    SpeedMax = SpeedMaxFromIndex(ini->ReadInteger(kSection, "SpeedIx", 0));
    CloseQuery = InRangeOr(ini->ReadInteger(kSection, "CloseQuery", 2), 0, 2, 2);
    Sound = InRangeOr(ini->ReadInteger(kSection, "Sound", 0), 0, kErrorSoundCount - 1, 0);
}

void ProgramOptions::WriteOptions(IniFile* ini) const {
    if (ini == nullptr) {
        return;
    }
    ini->WriteInteger(kSection, "SpeedIx", SpeedIndexFromMax(SpeedMax));
    ini->WriteBool(kSection, "IsMaximized", IsMaximized);
    ini->WriteInteger(kSection, "ErrRep", ErrRep);
    ini->WriteBool(kSection, "ErrIsRep", ErrIsRep);
    ini->WriteInteger(kSection, "CharSpace", CharSpace);
    ini->WriteBool(kSection, "ErrorBeep", ErrorBeep);
    ini->WriteBool(kSection, "Caret", Caret);
    ini->WriteBool(kSection, "Speed", Speed);
    ini->WriteBool(kSection, "MoveOnError", MoveOnError);
    ini->WriteBool(kSection, "AutoStop", AutoStop);
    ini->WriteInteger(kSection, "CloseQuery", CloseQuery);
    ini->WriteInteger(kSection, "Sound", Sound);
}

void PlayErrorSound(SoundPlayer& player, int sound) {
    static constexpr std::array<SystemSound, kErrorSoundCount> kSounds = {
        SystemSound::SimpleBeep,   SystemSound::Asterisk, SystemSound::Exclamation,
        SystemSound::CriticalStop, SystemSound::Question, SystemSound::Default,
    };
    if (sound < 0 || sound >= kErrorSoundCount) {
        return;
    }
    player.Play(kSounds[static_cast<std::size_t>(sound)]);
}

const std::array<std::string, kErrorSoundCount>& SoundItemCaptions() {
    static const std::array<std::string, kErrorSoundCount> captions = {
        Cp1250::FromUtf8("Reproduktor"),
        Cp1250::FromUtf8("Zvuk Windows - hvězdička "),
        Cp1250::FromUtf8("Zvuk Windows - zvolání"),
        Cp1250::FromUtf8("Zvuk Windows - pozor "),
        Cp1250::FromUtf8("Zvuk Windows - dotaz"),
        Cp1250::FromUtf8("Zvuk Windows - OK"),
    };
    return captions;
}
