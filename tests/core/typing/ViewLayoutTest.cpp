#include "ViewLayout.h"

#include <gtest/gtest.h>

namespace {

// A view of 9-pixel cells and 16-pixel rows in a window with an 8-pixel frame around it.
LayoutInput NormalWindow() {
    LayoutInput in;
    in.viewWidth = 69 * 9 + 4 * 9; // 657
    in.viewHeight = 6 * 16;        // 96
    in.frameExtraWidth = 8;
    in.viewHomeLeft = 0;
    in.viewHomeTop = 1;
    in.clientWidth = 665;
    in.clientHeight = 317;
    in.windowLeft = 100;
    in.windowTop = 50;
    in.frameWidth = 2;
    in.frameHeight = 24;
    in.panelWidth = 600;
    in.panelHeight = 200;
    in.statusBarHeight = 20;
    in.screenWidth = 1024;
    in.screenHeight = 768;
    return in;
}

TEST(ViewLayout, NormalWindowFitsTheViewAndPanelExactly) {
    const LayoutResult out = LayoutTypingView(NormalWindow());
    EXPECT_EQ(out.clientWidth, 665);
    EXPECT_EQ(out.clientHeight, 1 + 96 + 200 + 20);
    EXPECT_EQ(out.viewLeft, 0);
    EXPECT_EQ(out.viewTop, 1);
    EXPECT_EQ(out.panelTop, 97);
    EXPECT_EQ(out.panelLeft, (665 - 600) / 2);
    EXPECT_EQ(out.windowLeft, 100);
    EXPECT_EQ(out.windowTop, 50);
}

TEST(ViewLayout, NormalWindowGrowsAndShrinksWithTheView) {
    for (const int clientWidth : {300, 665, 900}) {
        LayoutInput in = NormalWindow();
        in.clientWidth = clientWidth;
        EXPECT_EQ(LayoutTypingView(in).clientWidth, 665) << clientWidth;
    }
}

TEST(ViewLayout, PanelWiderThanTheViewWidensTheWindowAndCentresTheView) {
    LayoutInput in = NormalWindow();
    in.panelWidth = 700;
    const LayoutResult out = LayoutTypingView(in);
    EXPECT_EQ(out.clientWidth, 700);
    EXPECT_EQ(out.viewLeft, (700 - 665) / 2);
    EXPECT_EQ(out.viewTop, 1);
    EXPECT_EQ(out.panelLeft, 0);
}

TEST(ViewLayout, MaximizedWindowCentresTheViewAndThePanel) {
    LayoutInput in = NormalWindow();
    in.maximized = true;
    in.clientWidth = 1000;
    in.clientHeight = 700;
    const LayoutResult out = LayoutTypingView(in);
    EXPECT_EQ(out.clientWidth, 1000);
    EXPECT_EQ(out.clientHeight, 700);
    EXPECT_EQ(out.viewLeft, (1000 - 665) / 2);
    EXPECT_EQ(out.viewTop, (700 - 96 - 200 - 20) / 2);
    EXPECT_EQ(out.panelTop, out.viewTop + 96);
    EXPECT_EQ(out.panelLeft, (1000 - 600) / 2);
}

TEST(ViewLayout, MaximizedViewNeverLiesLeftOfOrAboveItsHome) {
    LayoutInput in = NormalWindow();
    in.maximized = true;
    in.viewHomeLeft = 3;
    in.clientWidth = 600; // narrower than the view: widened first
    in.clientHeight = 200;
    const LayoutResult out = LayoutTypingView(in);
    EXPECT_EQ(out.clientWidth, 665);
    EXPECT_EQ(out.viewLeft, 3);
    EXPECT_EQ(out.viewTop, 1);
}

TEST(ViewLayout, WindowIsKeptOnTheScreen) {
    // The laid-out window is 665 + 2 = 667 wide and 317 + 24 = 341 high.
    struct Row {
        const char* name;
        int left, top, screenWidth, screenHeight;
        int expectedLeft, expectedTop;
    };
    const Row rows[] = {
        {"inside stays", 100, 50, 1024, 768, 100, 50},
        {"negative left becomes 0", -5, 50, 1024, 768, 0, 50},
        {"sticking out right is centred", 500, 50, 1024, 768, (1024 - 667) / 2, 50},
        {"touching the right edge is centred", 357, 50, 1024, 768, (1024 - 667) / 2, 50},
        {"wider than the screen goes to 0", 100, 50, 600, 768, 0, 50},
        {"negative top becomes 0", 100, -10, 1024, 768, 100, 0},
        {"sticking out below is centred", 100, 700, 1024, 768, 100, (768 - 341) / 2},
        {"higher than the screen goes to 0", 100, 700, 1024, 300, 100, 0},
        {"negative left on a narrow screen", -50, 50, 600, 768, 0, 50},
    };
    for (const Row& row : rows) {
        LayoutInput in = NormalWindow();
        in.windowLeft = row.left;
        in.windowTop = row.top;
        in.screenWidth = row.screenWidth;
        in.screenHeight = row.screenHeight;
        const LayoutResult out = LayoutTypingView(in);
        EXPECT_EQ(out.windowLeft, row.expectedLeft) << row.name;
        EXPECT_EQ(out.windowTop, row.expectedTop) << row.name;
    }
}

TEST(ViewLayout, ScreenCorrectionUsesTheNewWindowSize) {
    // A bigger font makes the window grow past the screen's right edge.
    LayoutInput in = NormalWindow();
    in.viewWidth = 900;
    in.windowLeft = 200;
    const LayoutResult out = LayoutTypingView(in);
    EXPECT_EQ(out.clientWidth, 908);
    EXPECT_EQ(out.windowLeft, (1024 - 910) / 2);
}

} // namespace
