#pragma once
// One key of the settings file: its section, its name, its default and the values it accepts.
// Reading corrects a value outside the range to the default, so every reader of a key treats
// odd values the same way.

#include <climits>
#include <string>

class IniFile;

struct Setting {
    const char* section = "";
    const char* key = "";
    int def = 0; // the default of a number or a flag (0 or 1)
    int low = INT_MIN;
    int high = INT_MAX;
    const char* text = ""; // the default of a text key

    [[nodiscard]] bool Accepts(int value) const { return value >= low && value <= high; }
    // `value` when in range, else the default.
    [[nodiscard]] int Corrected(int value) const { return Accepts(value) ? value : def; }

    [[nodiscard]] int ReadInteger(const IniFile& ini) const;
    [[nodiscard]] bool ReadBool(const IniFile& ini) const;
    [[nodiscard]] std::string ReadString(const IniFile& ini) const;
    void WriteInteger(IniFile& ini, int value) const;
    void WriteBool(IniFile& ini, bool value) const;
    void WriteString(IniFile& ini, const std::string& value) const;
};
