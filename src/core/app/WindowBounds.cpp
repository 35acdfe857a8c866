#include "WindowBounds.h"

#include "IniFile.h"

namespace {
const std::string kSection = "Window";
}

WindowBounds WindowBounds::Read(const IniFile& ini) {
    WindowBounds b;
    b.left = ini.ReadInteger(kSection, "Left", kDefaultLeft);
    b.top = ini.ReadInteger(kSection, "Top", kDefaultTop);
    b.width = ini.ReadInteger(kSection, "Width", kDefaultWidth);
    b.height = ini.ReadInteger(kSection, "Height", kDefaultHeight);
    return b;
}

void WindowBounds::Write(IniFile& ini) const {
    ini.WriteInteger(kSection, "Left", left);
    ini.WriteInteger(kSection, "Top", top);
    ini.WriteInteger(kSection, "Width", width);
    ini.WriteInteger(kSection, "Height", height);
}

WindowBounds WindowBounds::FittedToScreen(int screenWidth, int screenHeight) const {
    WindowBounds b = *this;
    if (b.width < 0 || b.width >= screenWidth) {
        b.width = screenWidth - 100;
    }
    if (b.height < 0 || b.height >= screenHeight) {
        b.height = screenHeight - 100;
    }
    if (b.left < 0 || b.left >= screenWidth - b.width) {
        b.left = (screenWidth - b.width) / 2;
    }
    if (b.top < 0 || b.top >= screenHeight) {
        b.top = (screenHeight - b.height) / 2;
    }
    return b;
}
