#include "ViewLayout.h"

#include <algorithm>

namespace {

// Puts one edge of the window back on the screen: a window that sticks out beyond the far
// edge is centred, and none starts at a negative coordinate.
int KeepOnScreen(int start, int size, int screenSize) {
    if (start < 0) {
        start = 0;
    }
    if (start + size >= screenSize) {
        start = (screenSize - size) / 2;
    }
    if (start < 0) {
        start = 0;
    }
    return start;
}

} // namespace

LayoutResult LayoutTypingView(const LayoutInput& in) {
    LayoutResult out;
    const int viewAndFrame = in.viewWidth + in.frameExtraWidth;
    const int belowView = in.panelHeight + in.statusBarHeight;

    out.clientWidth = std::max(in.clientWidth, viewAndFrame);
    if (in.maximized) {
        out.clientHeight = in.clientHeight;
        out.viewLeft = std::max((out.clientWidth - viewAndFrame) / 2, in.viewHomeLeft);
        out.viewTop = std::max((out.clientHeight - in.viewHeight - belowView) / 2, in.viewHomeTop);
    } else {
        // The window fits the view exactly, so it also shrinks after a smaller font.
        out.clientWidth = viewAndFrame;
        out.viewLeft = in.viewHomeLeft;
        out.viewTop = in.viewHomeTop;
        if (out.clientWidth < in.panelWidth) {
            out.clientWidth = in.panelWidth;
            out.viewLeft = (out.clientWidth - viewAndFrame) / 2;
        }
        out.clientHeight = out.viewTop + in.viewHeight + belowView;
    }

    // Never larger than the screen's available area, whatever the font.
    if (!in.maximized && in.screenWidth > 0 && in.screenHeight > 0) {
        out.clientWidth = std::min(out.clientWidth, std::max(in.screenWidth - in.frameWidth, 0));
        out.clientHeight =
            std::min(out.clientHeight, std::max(in.screenHeight - in.frameHeight, 0));
    }

    out.panelTop = out.viewTop + in.viewHeight;
    out.panelLeft = (out.clientWidth - in.panelWidth) / 2;

    out.windowLeft = KeepOnScreen(in.windowLeft, out.clientWidth + in.frameWidth, in.screenWidth);
    out.windowTop = KeepOnScreen(in.windowTop, out.clientHeight + in.frameHeight, in.screenHeight);
    return out;
}
