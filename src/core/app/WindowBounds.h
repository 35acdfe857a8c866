#pragma once
// The main window's saved position and size, and the corrections that keep a window
// read from the settings file on the screen before the first layout.

#include "Settings.h"

class IniFile;

struct WindowBounds {
    int left = Settings::WindowLeft.def;
    int top = Settings::WindowTop.def;
    int width = Settings::WindowWidth.def;
    int height = Settings::WindowHeight.def;

    // Section "Window"; missing keys keep their defaults.
    [[nodiscard]] static WindowBounds Read(const IniFile& ini);
    void Write(IniFile& ini) const;

    // Width and height first, then left and top with the corrected size. The top is
    // tested against the screen height alone: a window reaching below the screen is
    // moved up later by the layout.
    [[nodiscard]] WindowBounds FittedToScreen(int screenWidth, int screenHeight) const;

    friend bool operator==(const WindowBounds&, const WindowBounds&) = default;
};
