#include "Setting.h"

#include "IniFile.h"

int Setting::ReadInteger(const IniFile& ini) const {
    return Corrected(ini.ReadInteger(section, key, def));
}

bool Setting::ReadBool(const IniFile& ini) const {
    return ini.ReadBool(section, key, def != 0);
}

std::string Setting::ReadString(const IniFile& ini) const {
    return ini.ReadString(section, key, text);
}

void Setting::WriteInteger(IniFile& ini, int value) const {
    ini.WriteInteger(section, key, value);
}

void Setting::WriteBool(IniFile& ini, bool value) const {
    ini.WriteBool(section, key, value);
}

void Setting::WriteString(IniFile& ini, const std::string& value) const {
    ini.WriteString(section, key, value);
}
