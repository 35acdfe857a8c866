#pragma once
// Where the main window's parts go: the typing line, the features' panels and the designed
// panel below it, and the window around them (ViewLayout's arithmetic on the window's
// geometry), and where the font dialog goes so that the typing line stays visible.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>
#include <vector>

class QMainWindow;
class QWidget;
struct MainWindowControls;

class MainWindowLayout {
public:
    MainWindowLayout(QMainWindow& window, MainWindowControls& controls,
                     const std::vector<QWidget*>& featurePanels);

    // Notes the designed position of the typing line, before any layout moves it.
    void RememberHome();
    // Fits the window to the typing line (a maximized window keeps its size).
    void Apply();
    // Puts a dialog of `dialogFrame`'s size just below the typing line, centred on it, moving
    // the window up when the dialog would leave the screen; returns the dialog's position.
    [[nodiscard]] QPoint PlaceBelowTypingLine(const QRect& dialogFrame);

    // Notes the window's bounds when they are its restored ones: not maximized, and of the
    // size the layout gave it (a window manager may report a maximized size before the state).
    void NoteBounds();
    // The window's inside (menu bar to status bar) when it was last restored, in screen
    // coordinates: what is saved and restored, since the frame is the window manager's and
    // unknown before the window is on the screen.
    [[nodiscard]] QRect NormalBounds() const;
    // A window leaving the maximized state goes back to its restored bounds itself: a window
    // manager that maximized it before placing it would put it at the screen's corner.
    void StateChanged(Qt::WindowStates oldState);

    // Whether the window manager's frame is not the one the last layout allowed for (it
    // becomes known once the window is on the screen): the window should be laid out again.
    [[nodiscard]] bool DecorationChanged() const;
    // Until the pupil first presses a key or a button, the window manager may still put the
    // window where its first request asked, after a layout moved it (under load even after
    // the window became active): each such move is laid out again. After that, a move is the
    // pupil's.
    [[nodiscard]] bool Settling() const { return !pupilActed_; }
    void NotePupilActed() { pupilActed_ = true; }

    [[nodiscard]] bool IsMaximized() const;
    [[nodiscard]] int MenuBarHeight() const;
    [[nodiscard]] int ClientHeight() const;
    [[nodiscard]] QRect ScreenArea() const;

private:
    void SizeFeaturePanels(int viewWidth, int viewHeight);
    // The frame the window manager puts around the window, or the one it is expected to while
    // the window is not yet on the screen.
    [[nodiscard]] QMargins Decoration() const;
    [[nodiscard]] bool FrameKnown() const;

    QMainWindow& window_;
    MainWindowControls& controls_;
    const std::vector<QWidget*>& featurePanels_;
    int frameExtraWidth_ = 0;
    int viewHomeLeft_ = 0;
    int viewHomeTop_ = 0;
    QMargins decoration_; // the frame the last layout allowed for
    QSize normalSize_;    // the size Apply gave a restored window
    QRect normalBounds_;
    std::optional<QPoint> requestedInside_; // asked for before the frame was known
    bool pupilActed_ = false;
};
