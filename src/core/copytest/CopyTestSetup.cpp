#include "CopyTestSetup.h"

#include "IniFile.h"
#include "Settings.h"

#include <algorithm>
#include <iterator>

void CopyTestSetup::ReadSettings(const IniFile& ini) {
    used = !Settings::CopyMinutes.ReadString(ini).empty() ||
           !Settings::CopyTextFile.ReadString(ini).empty();
    textFile = Settings::CopyTextFile.ReadString(ini);
    const int read = Settings::CopyMinutes.ReadInteger(ini);
    minutes = std::find(std::begin(kDurations), std::end(kDurations), read) != std::end(kDurations)
                  ? read
                  : Settings::CopyMinutes.def;
    rules =
        Settings::CopyRuleSet.ReadInteger(ini) == 1 ? CopyRules::Competition : CopyRules::School;
    pupilName = Settings::CopyPupilName.ReadString(ini);
}

void CopyTestSetup::WriteSettings(IniFile& ini) const {
    if (!used) {
        return;
    }
    Settings::CopyTextFile.WriteString(ini, textFile);
    Settings::CopyMinutes.WriteInteger(ini, minutes);
    Settings::CopyRuleSet.WriteInteger(ini, rules == CopyRules::Competition ? 1 : 0);
    Settings::CopyPupilName.WriteString(ini, pupilName);
}
