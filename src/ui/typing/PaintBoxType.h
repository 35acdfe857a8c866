#pragma once
// The paint area at the top of the main window that shows the typing line: it keeps the
// line drawn in a backing image and puts on the screen only what a keystroke changed.

#include "LineDrawer.h"
#include "QtCanvas.h"
#include "TypingView.h"

#include <QFont>
#include <QImage>
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
    [[nodiscard]] QImage& Image() { return image_; }

    // Draws the whole line anew into the image and shows it: a new line, font or layout.
    void FullRepaint();

    // The engine's partial redraws, each shown on the screen by the rectangle it changed.
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

    QImage image_;
    QtCanvas canvas_;
    TypingView view_;
};
