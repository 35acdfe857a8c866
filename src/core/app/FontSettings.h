#pragma once
// The typing line's font as the settings file keeps it (section "Font"), in code page 1250.

#include "Settings.h"

#include <string>

class IniFile;

struct FontSettings {
    std::string name = Settings::FontName.text;
    int size = Settings::FontSize.def; // points, within the table's range
    bool bold = Settings::FontBold.def != 0;
    bool italic = Settings::FontItalic.def != 0;

    [[nodiscard]] static FontSettings Read(const IniFile& ini);
    // A size outside the accepted range is written as the default.
    void Write(IniFile& ini) const;

    friend bool operator==(const FontSettings&, const FontSettings&) = default;
};
