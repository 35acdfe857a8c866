#pragma once
// Where the typing line, the panel below it and the window go: the arithmetic of the
// main window's layout, kept apart from Qt so that it can be tested as numbers.

struct LayoutInput {
    int viewWidth = 0;  // 69 W + 2 M
    int viewHeight = 0; // 6 H
    int frameExtraWidth = 0;
    int viewHomeLeft = 0;
    int viewHomeTop = 0;
    bool maximized = false;
    int clientWidth = 0; // the window's client area now
    int clientHeight = 0;
    int windowLeft = 0; // the window's outer rectangle now
    int windowTop = 0;
    int frameWidth = 0;  // outer width minus client width (the window manager's decoration)
    int frameHeight = 0; // outer height minus client height
    int panelWidth = 0;
    int panelHeight = 0;
    int statusBarHeight = 0;
    int screenWidth = 0;
    int screenHeight = 0;
};

struct LayoutResult {
    int clientWidth = 0;
    int clientHeight = 0;
    int viewLeft = 0;
    int viewTop = 0;
    int panelLeft = 0;
    int panelTop = 0;
    int windowLeft = 0;
    int windowTop = 0;
};

[[nodiscard]] LayoutResult LayoutTypingView(const LayoutInput& in);
