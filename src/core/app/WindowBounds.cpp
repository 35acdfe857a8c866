#include "WindowBounds.h"

#include "IniFile.h"

WindowBounds WindowBounds::Read(const IniFile& ini) {
    WindowBounds b;
    b.left = Settings::WindowLeft.ReadInteger(ini);
    b.top = Settings::WindowTop.ReadInteger(ini);
    b.width = Settings::WindowWidth.ReadInteger(ini);
    b.height = Settings::WindowHeight.ReadInteger(ini);
    return b;
}

void WindowBounds::Write(IniFile& ini) const {
    Settings::WindowLeft.WriteInteger(ini, left);
    Settings::WindowTop.WriteInteger(ini, top);
    Settings::WindowWidth.WriteInteger(ini, width);
    Settings::WindowHeight.WriteInteger(ini, height);
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
