#include "ProgramOptions.h"

#include "Cp1250.h"
#include "IniFile.h"
#include "SoundPlayer.h"

void ProgramOptions::ReadOptions(const IniFile& ini) {
    IsMaximized = Settings::IsMaximized.ReadBool(ini);
    ErrIsRep = Settings::ErrIsRep.ReadBool(ini);
    ErrRep = Settings::ErrRep.ReadInteger(ini);
    CharSpace = Settings::CharSpace.ReadInteger(ini);
    ErrorBeep = Settings::ErrorBeep.ReadBool(ini);
    Caret = Settings::Caret.ReadBool(ini);
    Speed = Settings::Speed.ReadBool(ini);
    MoveOnError = Settings::MoveOnError.ReadBool(ini);
    AutoStop = Settings::AutoStop.ReadBool(ini);
    SpeedMax = SpeedMaxFromIndex(Settings::SpeedIx.ReadInteger(ini));
    CloseQuery = Settings::CloseQuery.ReadInteger(ini);
    Sound = Settings::Sound.ReadInteger(ini);
}

void ProgramOptions::WriteOptions(IniFile& ini) const {
    Settings::SpeedIx.WriteInteger(ini, SpeedIndexFromMax(SpeedMax));
    Settings::IsMaximized.WriteBool(ini, IsMaximized);
    Settings::ErrRep.WriteInteger(ini, ErrRep);
    Settings::ErrIsRep.WriteBool(ini, ErrIsRep);
    Settings::CharSpace.WriteInteger(ini, CharSpace);
    Settings::ErrorBeep.WriteBool(ini, ErrorBeep);
    Settings::Caret.WriteBool(ini, Caret);
    Settings::Speed.WriteBool(ini, Speed);
    Settings::MoveOnError.WriteBool(ini, MoveOnError);
    Settings::AutoStop.WriteBool(ini, AutoStop);
    Settings::CloseQuery.WriteInteger(ini, CloseQuery);
    Settings::Sound.WriteInteger(ini, Sound);
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
