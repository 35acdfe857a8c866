#include "MainWindowLayout.h"

#include "MainWindowControls.h"
#include "PaintBoxType.h"
#include "ViewLayout.h"

#include <QFrame>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>

#include <algorithm>

MainWindowLayout::MainWindowLayout(QMainWindow& window, MainWindowControls& controls,
                                   const std::vector<QWidget*>& featurePanels)
    : window_(window), controls_(controls), featurePanels_(featurePanels) {}

void MainWindowLayout::RememberHome() {
    viewHomeLeft_ = controls_.paintBoxType->x();
    viewHomeTop_ = controls_.paintBoxType->y();
    frameExtraWidth_ = window_.width() - controls_.paintBoxType->width();
}

void MainWindowLayout::Apply() {
    PaintBoxType& view = *controls_.paintBoxType;
    decoration_ = Decoration();
    SizeFeaturePanels(view.View().ViewWidth(), view.View().ViewHeight());
    int featuresHeight = 0;
    for (const QWidget* panel : featurePanels_) {
        if (!panel->isHidden()) {
            featuresHeight += panel->height();
        }
    }
    // The frame as it will be: before the window is on the screen, with the decoration the
    // window manager is expected to add. Positions are taken from the available area's corner,
    // which a panel at the screen's top or left moves.
    // Until the window manager has framed the window, a layout can only guess the frame, and a
    // move made on that guess lands the window beside the place it was asked to take. So the
    // place asked for is kept, and the first layout with the real frame starts from it.
    const bool frameKnown = FrameKnown();
    if (!frameKnown && !requestedInside_) {
        requestedInside_ = window_.geometry().topLeft();
    }
    const QRect current = window_.geometry().marginsAdded(decoration_);
    const QRect frame = frameKnown && requestedInside_
                            ? QRect(*requestedInside_, window_.size()).marginsAdded(decoration_)
                            : current;
    const QRect screen = ScreenArea();
    LayoutInput in;
    in.viewWidth = view.View().ViewWidth();
    in.viewHeight = view.View().ViewHeight();
    in.frameExtraWidth = frameExtraWidth_;
    in.viewHomeLeft = viewHomeLeft_;
    in.viewHomeTop = viewHomeTop_;
    in.maximized = IsMaximized();
    in.clientWidth = window_.width();
    in.clientHeight = ClientHeight();
    in.windowLeft = frame.x() - screen.x();
    in.windowTop = frame.y() - screen.y();
    in.frameWidth = frame.width() - window_.width();
    in.frameHeight = frame.height() - ClientHeight();
    in.panelWidth = controls_.Panel1->width();
    in.panelHeight = controls_.Panel1->height() + featuresHeight;
    in.statusBarHeight = controls_.StatusBar1->height();
    in.screenWidth = screen.width();
    in.screenHeight = screen.height();
    const LayoutResult out = LayoutTypingView(in);

    view.setGeometry(out.viewLeft, out.viewTop, in.viewWidth, in.viewHeight);
    // The features' panels lie between the typing line and the designed panel.
    int top = out.panelTop;
    for (QWidget* panel : featurePanels_) {
        if (!panel->isHidden()) {
            panel->move((out.clientWidth - panel->width()) / 2, top);
            top += panel->height();
        }
    }
    controls_.Panel1->move(out.panelLeft, top);
    if (!in.maximized) {
        normalSize_ = QSize(out.clientWidth, out.clientHeight + MenuBarHeight());
        window_.resize(normalSize_);
        // Only a real move: moving a window not yet on the screen would make its restored
        // position the frame's, which the window manager adds only later. Such a move places
        // the window's inside, so it goes to where the inside of the expected frame will be.
        const QPoint place(out.windowLeft + screen.x(), out.windowTop + screen.y());
        if (place != current.topLeft()) {
            window_.move(frameKnown ? place
                                    : place + QPoint(decoration_.left(), decoration_.top()));
        }
        if (frameKnown) {
            requestedInside_.reset();
        }
    }
    NoteBounds();
}

void MainWindowLayout::NoteBounds() {
    const Qt::WindowStates notRestored =
        Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen;
    if ((window_.windowState() & notRestored) == 0 && window_.size() == normalSize_) {
        normalBounds_ = window_.geometry();
    }
}

void MainWindowLayout::StateChanged(Qt::WindowStates oldState) {
    if ((oldState & Qt::WindowMaximized) != 0 && !IsMaximized() && normalBounds_.isValid()) {
        window_.setGeometry(normalBounds_);
    }
}

QRect MainWindowLayout::NormalBounds() const {
    return normalBounds_.isValid() ? normalBounds_ : window_.geometry();
}

// A panel that draws to any width (hasHeightForWidth) follows the typing line's width, so that
// it grows with the font; the others keep the size they chose. The first gets, as its maximum
// height, what the screen leaves of its height below everything else of the window, the next
// what the first left, and so on: the panel shrinks to fit it.
void MainWindowLayout::SizeFeaturePanels(int viewWidth, int viewHeight) {
    const QRect screen = ScreenArea();
    int room = screen.height() - decoration_.top() - decoration_.bottom() - MenuBarHeight() -
               viewHomeTop_ - viewHeight - controls_.Panel1->height() -
               controls_.StatusBar1->height();
    for (const QWidget* panel : featurePanels_) {
        if (!panel->isHidden() && !panel->hasHeightForWidth()) {
            room -= panel->height();
        }
    }
    for (QWidget* panel : featurePanels_) {
        if (panel->isHidden() || !panel->hasHeightForWidth()) {
            continue;
        }
        const int width = std::min({std::max(controls_.Panel1->width(), viewWidth),
                                    panel->maximumWidth(), screen.width()});
        panel->setMaximumHeight(std::max(room, 0));
        panel->resize(width, panel->heightForWidth(width));
        room -= panel->height();
    }
}

bool MainWindowLayout::FrameKnown() const {
    return window_.frameGeometry() != window_.geometry() || window_.testAttribute(Qt::WA_Mapped);
}

QMargins MainWindowLayout::Decoration() const {
    const QRect frame = window_.frameGeometry();
    const QRect inside = window_.geometry();
    if (FrameKnown()) {
        return {inside.left() - frame.left(), inside.top() - frame.top(),
                frame.right() - inside.right(), frame.bottom() - inside.bottom()};
    }
    // Not yet on the screen: a title bar as the style draws one, and thin borders.
    constexpr int kBorder = 2;
    const int title = window_.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window_);
    return {kBorder, title + kBorder, kBorder, kBorder};
}

bool MainWindowLayout::DecorationChanged() const {
    return Decoration() != decoration_;
}

QPoint MainWindowLayout::PlaceBelowTypingLine(const QRect& dialogFrame) {
    const int w = dialogFrame.width();
    const int h = dialogFrame.height();
    const int screenHeight = ScreenArea().height();
    const QWidget& view = *controls_.paintBoxType;
    QRect window = window_.frameGeometry();
    // The screen position of the typing line's lower edge.
    const auto lowerEdge = [this, &view](const QRect& win) {
        return win.y() + (win.height() - ClientHeight()) + view.y() + view.height();
    };
    int y = lowerEdge(window);
    if (screenHeight < y + h) {
        const int top = std::max(0, window.y() - (y + h - screenHeight));
        window_.move(window.x(), top);
        window.moveTop(top);
        y = lowerEdge(window);
        if (screenHeight < y + h) {
            y = screenHeight - h;
        }
    }
    return {((view.x() + window.x()) * 2 + view.width() - w) / 2, y};
}

bool MainWindowLayout::IsMaximized() const {
    return (window_.windowState() & Qt::WindowMaximized) != 0;
}

int MainWindowLayout::MenuBarHeight() const {
    const QMenuBar* bar = window_.menuBar();
    return bar->isVisible() ? bar->height() : bar->sizeHint().height();
}

int MainWindowLayout::ClientHeight() const {
    return window_.height() - MenuBarHeight();
}

QRect MainWindowLayout::ScreenArea() const {
    const QScreen* s = window_.screen();
    if (s == nullptr) {
        s = QGuiApplication::primaryScreen();
    }
    return s != nullptr ? s->availableGeometry() : QRect(0, 0, 1024, 768);
}
