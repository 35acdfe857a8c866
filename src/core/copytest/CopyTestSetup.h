#pragma once
// What the pupil chose for a timed copy, remembered in the settings file's [Opis] section
// from one test to the next.

#include "CopyTestResult.h"

#include <string>

class IniFile;

struct CopyTestSetup {
    static constexpr int kDurations[] = {1, 3, 5, 10, 20}; // minutes

    std::string textFile; // the file system's bytes; empty: the first of the program's texts
    int minutes = 10;
    CopyRules rules = CopyRules::School;
    std::string pupilName; // code page 1250; empty: the system user's full name
    // Whether [Opis] is to be written: only a pupil who has used the copy finds it in the file.
    bool used = false;

    // A duration that is not one of kDurations reads as the default.
    void ReadSettings(const IniFile& ini);
    void WriteSettings(IniFile& ini) const;
};
