#include "FontSettings.h"

FontSettings FontSettings::Read(const IniFile& ini) {
    FontSettings font;
    font.name = Settings::FontName.ReadString(ini);
    font.size = Settings::FontSize.ReadInteger(ini);
    font.bold = Settings::FontBold.ReadBool(ini);
    font.italic = Settings::FontItalic.ReadBool(ini);
    return font;
}

void FontSettings::Write(IniFile& ini) const {
    Settings::FontName.WriteString(ini, name);
    Settings::FontSize.WriteInteger(ini, Settings::FontSize.Corrected(size));
    Settings::FontBold.WriteBool(ini, bold);
    Settings::FontItalic.WriteBool(ini, italic);
}
