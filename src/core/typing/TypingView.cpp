#include "TypingView.h"

#include "ProgramOptions.h"
#include "TypingLine.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int kLastPos = TypingLine::kLastPos;

bool IsPosition(int i) {
    return i >= 0 && i <= kLastPos;
}

} // namespace

TypingView::TypingView(const TypingLine& line, const ProgramOptions& options, Canvas& canvas)
    : line_(line), options_(options), canvas_(&canvas) {}

void TypingView::SetMetrics(int sampleWidth, int sampleHeight) {
    glyphWidth = sampleWidth / kSampleLength;
    cellWidth = glyphWidth + options_.CharSpace;
    lineHeight = sampleHeight;
    leftMargin = 2 * cellWidth;
}

void TypingView::PaintBoxTypePaint(int width, int height) {
    PaintBoxTypePaint(width, height, 0, std::numeric_limits<int>::max());
}

void TypingView::PaintBoxTypePaint(int width, int height, int left, int right) {
    // A glyph may reach a little into its neighbours' cells: two cells more on each side.
    constexpr int kInkCells = 2;
    const int first = cellWidth > 0 ? std::max((left - leftMargin) / cellWidth - kInkCells, 0) : 0;
    const int last =
        cellWidth > 0 ? std::min((right - leftMargin) / cellWidth + kInkCells, kLastPos) : kLastPos;
    Canvas& canvas = *canvas_;
    canvas.FillRect(0, 0, width, height, SysColor::Window);
    caretPos = -1;

    // Sunken frame: dark upper and left edges, light lower and right ones.
    canvas.Line({1, height}, {1, 1}, SysColor::BtnShadow, 2);
    canvas.Line({1, 1}, {width, 1}, SysColor::BtnShadow, 2);
    canvas.Line({1, height - 1}, {width - 1, height - 1}, SysColor::BtnHighlight, 1);
    canvas.Line({width - 1, height - 1}, {width - 1, 0}, SysColor::BtnHighlight, 1);

    // The same cells as the keystrokes drew, errors inverted: a wrong character struck
    // without moving on stays under the position until Backspace takes it away.
    for (int i = first; i < line_.typedPos && i <= last; ++i) {
        DrawTypedChar(i);
    }
    if (IsPosition(line_.typedPos) && line_.typedLine[line_.typedPos] != ' ') {
        DrawTypedChar(line_.typedPos);
    }
    // Bounded as well by the last position: a pattern without its marker (a cleared line)
    // would otherwise be drawn at patternLen for ever.
    for (int i = first; i <= last && DrawPatternChar(i); ++i) {
    }
    DrawRulerDots(first, last, false);
    DrawCarriage();
}

void TypingView::DrawTypedChar(int i) {
    if (i < 0 || i > line_.patternLen || i > kLastPos) {
        return;
    }
    const unsigned char typed = line_.typedLine[i];
    const bool wrong = typed != line_.patternLine[i];
    canvas_->DrawChar(CellLeft(i), lineHeight, typed,
                      wrong ? SysColor::HighlightText : SysColor::WindowText,
                      wrong ? SysColor::Highlight : SysColor::Window);
}

void TypingView::EraseTypedChar(int i) {
    if (!IsPosition(i)) {
        return;
    }
    canvas_->DrawChar(CellLeft(i), lineHeight, ' ', SysColor::WindowText, SysColor::Window);
}

bool TypingView::DrawPatternChar(int i) {
    if (i > line_.patternLen) {
        i = line_.patternLen;
    }
    if (!IsPosition(i)) {
        return false;
    }
    unsigned char c = line_.patternLine[i];
    if (c == 0) {
        c = ' ';
    }
    const int W = cellWidth;
    const int H = lineHeight;
    if (c != TypingLine::kEndOfLine) {
        const bool current = i == line_.typedPos;
        canvas_->DrawChar(CellLeft(i), 4 * H, c,
                          current ? SysColor::HighlightText : SysColor::WindowText,
                          current ? SysColor::Highlight : SysColor::Window);
        return true;
    }

    const int q = std::max((W + 3) / 4, 1);
    const int x0 = CellLeft(i) + q;
    const int x1 = x0 + (4 * W + 4) / 5;
    const int ym = 4 * H + H / 2;
    const int yt = ym - H / 3;
    // Once the position has reached the marker the arrow stays inverted, also for
    // characters typed beyond it.
    const bool current = i == line_.typedPos || (i < line_.typedPos && i == line_.patternLen);
    const SysColor pen = current ? SysColor::HighlightText : SysColor::WindowText;
    const SysColor brush = current ? SysColor::Highlight : SysColor::Window;
    canvas_->FillRect(x0 - 1, 4 * H, x1 + 1, 4 * H + H, brush);
    canvas_->Line({x0, ym}, {x0 + q, ym + q}, pen, 1);
    canvas_->Line({x0, ym}, {x0 + q, ym - q}, pen, 1);
    canvas_->Line({x0, ym}, {x1, ym}, pen, 1);
    canvas_->Line({x1, ym}, {x1, yt}, pen, 1);
    return false;
}

void TypingView::DrawRulerDots(int from, int to, bool current) {
    const SysColor pen = current ? SysColor::BtnShadow : SysColor::BtnFace;
    const int y = 3 * lineHeight;
    for (int p = std::max(from, 0); p <= std::min(to, kLastPos); ++p) {
        const int c = CellCentre(p);
        canvas_->Line({c, y}, {c + 1, y}, pen, 2);
        if ((p + 1) % 10 == 0) {
            canvas_->Line({c, y + 2}, {c + 1, y + 2}, pen, 2);
        }
    }
}

TypingView::Carriage TypingView::ComputeCarriage(int pos) const {
    const int W = cellWidth;
    const int H = lineHeight;
    const int c = CellCentre(pos);
    const int q = (W + 3) / 4;
    const int h = (W + 1) / 2;
    const int v = (H + 1) / 2;
    const Point p0{c - q, 2 * H};
    return {
        p0,
        Point{c + q, 2 * H},
        Point{c + h, 3 * H},
        Point{c + h - 1, 3 * H + v},
        Point{c - h + 1, 3 * H + v},
        Point{c - h, 3 * H},
        p0,
        Point{c - h + 1, 5 * H},
        Point{c + h - 1, 5 * H},
        Point{c - h + 1, 5 * H + 1},
        Point{c + h - 1, 5 * H + 1},
    };
}

void TypingView::DrawCarriage() {
    Canvas& canvas = *canvas_;
    if (caretPos >= 0) {
        const Carriage& s = caretShape;
        canvas.FillRect(s[5].x - 2, s[0].y - 1, s[2].x + 2, s[4].y + 1, SysColor::Window);
        canvas.FillRect(s[7].x - 2, s[7].y - 1, s[8].x + 2, s[8].y + 2, SysColor::Window);
        // The fill took the dots under the old carriage with it.
        DrawRulerDots(caretPos - 1, caretPos + 1, false);
    }

    caretPos = line_.typedPos;
    const Carriage p = ComputeCarriage(line_.typedPos);
    caretShape = p;

    if (options_.Caret) {
        canvas.Polygon(p.data(), 7, SysColor::BtnFace, SysColor::BtnFace);
    } else {
        DrawRulerDots(line_.typedPos, line_.typedPos, true);
    }
    canvas.Line(p[7], p[8], SysColor::BtnShadow, 1);
    canvas.Line(p[9], p[10], SysColor::BtnShadow, 1);
    if (options_.Caret) {
        // Dark lower and right edges, light upper and left ones: the carriage stands out.
        canvas.Line(p[1], p[2], SysColor::BtnShadow, 1);
        canvas.Line(p[2], p[3], SysColor::BtnShadow, 1);
        canvas.Line(p[3], p[4], SysColor::BtnShadow, 1);
        canvas.Line(p[1], p[0], SysColor::BtnHighlight, 1);
        canvas.Line(p[0], p[5], SysColor::BtnHighlight, 1);
        canvas.Line(p[5], p[4], SysColor::BtnHighlight, 1);
    }
}
