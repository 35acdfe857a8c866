#pragma once
// The paint area at the top of the main window that shows the typing line. A keystroke's
// redraw only notes which part of the line it changes; that part is painted from the line
// as it now is when Qt asks for it, so the line needs no picture of its own beside the
// window's.

#include "LineDrawer.h"
#include "QtCanvas.h"
#include "TypingView.h"

#include <QFont>
#include <QWidget>

struct ProgramOptions;
struct TypingLine;

class PaintBoxType final : public QWidget, public LineDrawer {
    Q_OBJECT

public:
    PaintBoxType(const TypingLine& line, const ProgramOptions& options, QWidget* parent = nullptr);

    // The font's part of SetTypingFont: measures the sample line and sets the view's metrics.
    // Laying out the window, and with it the repaint, is the window's business.
    void SetTypingFont(const QFont& font);
    [[nodiscard]] const QFont& TypingFont() const { return canvas_.Font(); }

    [[nodiscard]] TypingView& View() { return view_; }

    // The whole line is to be shown anew: a new line, font or layout.
    void FullRepaint();

    // The engine's partial redraws, each shown on the screen by the rectangle it changes.
    void DrawTypedChar(int i) override;
    void EraseTypedChar(int i) override;
    bool DrawPatternChar(int i) override;
    void DrawCarriage() override;

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Takes the widget's current palette, so that a changed desktop theme is followed.
    void PrepareCanvas();
    void ShowChanges();
    // The line's cells over `part` through the canvas, which paints only that part.
    void PaintLine(const QRect& part);

    QtCanvas canvas_;
    TypingView view_;
};
