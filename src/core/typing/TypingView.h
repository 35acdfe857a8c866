#pragma once
// Draws the typing line: the typed row, the ruler dots with the moving carriage, and the
// pattern row with the Enter arrow. It owns the metrics of the typing font and draws
// through a Canvas, so that positions and colours can be checked without a window.

#include "Canvas.h"
#include "LineDrawer.h"
#include "LineWidth.h"

#include <array>
#include <string_view>

struct ProgramOptions;
struct TypingLine;

class TypingView final : public LineDrawer {
public:
    static constexpr int kSampleLength = 68; // characters of the font sample line
    using Carriage = std::array<Point, 11>;

    TypingView(const TypingLine& line, const ProgramOptions& options, Canvas& canvas);

    int glyphWidth = 0; // G
    int cellWidth = 0;  // W = G + CharSpace
    int lineHeight = 0; // H
    int leftMargin = 0; // M = 2W
    int caretPos = -1;  // where the carriage was last drawn; -1 after a full paint
    Carriage caretShape{};

    // The font's part of SetTypingFont: the sample line measured cx wide and cy high.
    void SetMetrics(int sampleWidth, int sampleHeight);

    [[nodiscard]] int CellLeft(int i) const { return i * cellWidth + leftMargin; }     // X(i)
    [[nodiscard]] int CellCentre(int i) const { return CellLeft(i) + glyphWidth / 2; } // C(i)
    [[nodiscard]] int ViewWidth() const { return kLineWidth * cellWidth + 2 * leftMargin; }
    // The line it shows.
    [[nodiscard]] const TypingLine& Line() const { return line_; }
    [[nodiscard]] int ViewHeight() const { return 6 * lineHeight; }

    // The full paint of a view `width` x `height` pixels.
    void PaintBoxTypePaint(int width, int height);
    // The same for the part of the view between the pixel columns `left` and `right`: only
    // the cells there are drawn (a canvas that paints only that part needs no others).
    void PaintBoxTypePaint(int width, int height, int left, int right);

    void DrawTypedChar(int i) override;
    void EraseTypedChar(int i) override;
    bool DrawPatternChar(int i) override;
    void DrawCarriage() override;
    void DrawRulerDots(int from, int to, bool current);
    [[nodiscard]] Carriage ComputeCarriage(int pos) const;

    void SetCanvas(Canvas& canvas) { canvas_ = &canvas; }

private:
    const TypingLine& line_;
    const ProgramOptions& options_;
    Canvas* canvas_;
};
