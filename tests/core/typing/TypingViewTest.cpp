#include "TypingView.h"

#include "ProgramOptions.h"
#include "RecordingCanvas.h"
#include "TypingLine.h"
#include "TypingRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using Op = RecordingCanvas::Op;
using Kind = Op::Kind;

// A font whose glyphs are 8 x 16 pixels; with the default CharSpace 1 a cell is 9 wide.
constexpr int kGlyph = 8;
constexpr int kHeight = 16;

class TypingViewTest : public ::testing::Test {
protected:
    TypingViewTest() : view(line, options, canvas) {
        line.SetPattern("abc def");
        line.ClearTypedLine();
        view.SetMetrics(kGlyph * TypingView::kSampleLength + 5, kHeight);
    }

    [[nodiscard]] std::vector<Op> OpsOf(Kind kind) const {
        std::vector<Op> found;
        std::copy_if(canvas.ops.begin(), canvas.ops.end(), std::back_inserter(found),
                     [kind](const Op& op) { return op.kind == kind; });
        return found;
    }

    [[nodiscard]] std::vector<Op> CharsInRow(int y) const {
        std::vector<Op> found;
        for (const Op& op : OpsOf(Kind::Char)) {
            if (op.a.y == y) {
                found.push_back(op);
            }
        }
        return found;
    }

    // Type `text` from the start of the line, as the engine leaves it.
    void Type(std::string_view text) {
        for (size_t i = 0; i < text.size(); ++i) {
            line.typedLine[i] = static_cast<unsigned char>(text[i]);
        }
        line.typedPos = static_cast<int>(text.size());
    }

    TypingLine line;
    ProgramOptions options;
    RecordingCanvas canvas;
    TypingView view;
};

TEST_F(TypingViewTest, MetricsComeFromTheSampleLine) {
    EXPECT_EQ(view.glyphWidth, kGlyph); // the 5 spare pixels are lost to the division
    EXPECT_EQ(view.cellWidth, kGlyph + 1);
    EXPECT_EQ(view.lineHeight, kHeight);
    EXPECT_EQ(view.leftMargin, 18);
    EXPECT_EQ(view.ViewWidth(), 69 * 9 + 36);
    EXPECT_EQ(view.ViewHeight(), 6 * kHeight);
}

TEST_F(TypingViewTest, CellsStepByTheCellWidthAfterTheMargin) {
    EXPECT_EQ(view.CellLeft(0), 18);
    EXPECT_EQ(view.CellLeft(1), 27);
    EXPECT_EQ(view.CellLeft(69), 69 * 9 + 18);
    EXPECT_EQ(view.CellCentre(0), 18 + 4);
    EXPECT_EQ(view.CellCentre(69), 69 * 9 + 18 + 4);
}

TEST_F(TypingViewTest, TheWidestCharacterSpacingMakesTheView73TimesFifteenPixelsWider) {
    options.CharSpace = 0;
    view.SetMetrics(kGlyph * 68, kHeight);
    const int narrow = view.ViewWidth();
    EXPECT_EQ(view.CellLeft(1) - view.CellLeft(0), kGlyph); // adjacent glyphs touch

    options.CharSpace = 15;
    view.SetMetrics(kGlyph * 68, kHeight);
    EXPECT_EQ(view.CellLeft(1) - view.CellLeft(0), kGlyph + 15);
    EXPECT_EQ(view.ViewWidth() - narrow, 73 * 15);
}

TEST_F(TypingViewTest, CarriageOutlineAndUnderlineFollowTheCell) {
    // W 9, H 16: q = 3, h = 5, v = 8; centre of cell 4 is 4 * 9 + 18 + 4 = 58.
    const TypingView::Carriage p = view.ComputeCarriage(4);
    const TypingView::Carriage expected = {{
        {55, 32},
        {61, 32},
        {63, 48},
        {62, 56},
        {54, 56},
        {53, 48},
        {55, 32},
        {54, 80},
        {62, 80},
        {54, 81},
        {62, 81},
    }};
    EXPECT_EQ(p, expected);
}

TEST_F(TypingViewTest, RightTypedCharacterIsDrawnPlainInTheTypedRow) {
    Type("a");
    view.DrawTypedChar(0);
    ASSERT_EQ(canvas.ops.size(), 1u);
    const Op& op = canvas.ops[0];
    EXPECT_EQ(op.kind, Kind::Char);
    EXPECT_EQ(op.a, (Point{18, kHeight}));
    EXPECT_EQ(op.c, 'a');
    EXPECT_EQ(op.pen, SysColor::WindowText);
    EXPECT_EQ(op.brush, SysColor::Window);
}

TEST_F(TypingViewTest, WrongTypedCharacterIsDrawnInverted) {
    Type("ax");
    view.DrawTypedChar(1);
    ASSERT_EQ(canvas.ops.size(), 1u);
    EXPECT_EQ(canvas.ops[0].a, (Point{27, kHeight}));
    EXPECT_EQ(canvas.ops[0].c, 'x');
    EXPECT_EQ(canvas.ops[0].pen, SysColor::HighlightText);
    EXPECT_EQ(canvas.ops[0].brush, SysColor::Highlight);
}

TEST_F(TypingViewTest, TypedCellsOutsideTheLineAreNotDrawn) {
    // The pattern "abc def" has its marker at 7: position 8 lies beyond it.
    line.typedLine[8] = 'q';
    view.DrawTypedChar(8);
    view.DrawTypedChar(-1);
    view.DrawTypedChar(70);
    EXPECT_TRUE(canvas.ops.empty());
}

TEST_F(TypingViewTest, EraseDrawsASpaceOnTheWindowColourWithinTheLine) {
    view.EraseTypedChar(69);
    view.EraseTypedChar(70);
    view.EraseTypedChar(-1);
    ASSERT_EQ(canvas.ops.size(), 1u);
    EXPECT_EQ(canvas.ops[0].a, (Point{69 * 9 + 18, kHeight}));
    EXPECT_EQ(canvas.ops[0].c, ' ');
    EXPECT_EQ(canvas.ops[0].brush, SysColor::Window);
}

TEST_F(TypingViewTest, PatternCellUnderThePositionIsInverted) {
    Type("ab");
    EXPECT_TRUE(view.DrawPatternChar(1));
    EXPECT_TRUE(view.DrawPatternChar(2));
    ASSERT_EQ(canvas.ops.size(), 2u);
    EXPECT_EQ(canvas.ops[0].a, (Point{27, 4 * kHeight}));
    EXPECT_EQ(canvas.ops[0].c, 'b');
    EXPECT_EQ(canvas.ops[0].brush, SysColor::Window);
    EXPECT_EQ(canvas.ops[1].c, 'c');
    EXPECT_EQ(canvas.ops[1].pen, SysColor::HighlightText);
    EXPECT_EQ(canvas.ops[1].brush, SysColor::Highlight);
}

TEST_F(TypingViewTest, EnterArrowHasItsHeadShaftAndStroke) {
    // Marker at 7: X = 81; q = 3, x0 = 84, x1 = 84 + 8 = 92, ym = 64 + 8 = 72, yt = 72 - 5.
    EXPECT_FALSE(view.DrawPatternChar(7));
    ASSERT_EQ(canvas.ops.size(), 5u);
    EXPECT_EQ(canvas.ops[0].kind, Kind::Fill);
    EXPECT_EQ(canvas.ops[0].a, (Point{83, 64}));
    EXPECT_EQ(canvas.ops[0].b, (Point{93, 80}));
    const std::vector<std::pair<Point, Point>> strokes = {
        {{84, 72}, {87, 75}}, {{84, 72}, {87, 69}}, {{84, 72}, {92, 72}}, {{92, 72}, {92, 67}}};
    for (size_t k = 0; k < strokes.size(); ++k) {
        const Op& op = canvas.ops[k + 1];
        EXPECT_EQ(op.kind, Kind::Line) << k;
        EXPECT_EQ(op.a, strokes[k].first) << k;
        EXPECT_EQ(op.b, strokes[k].second) << k;
        EXPECT_EQ(op.width, 1) << k;
        EXPECT_EQ(op.pen, SysColor::WindowText) << k;
    }
}

TEST_F(TypingViewTest, EnterArrowHeadIsAtLeastOnePixelForTheNarrowestCell) {
    options.CharSpace = 0;
    view.SetMetrics(0, kHeight); // a cell 0 wide
    view.DrawPatternChar(7);
    ASSERT_GE(canvas.ops.size(), 2u);
    EXPECT_EQ(canvas.ops[1].b.x - canvas.ops[1].a.x, 1);
}

TEST_F(TypingViewTest, EnterArrowIsInvertedFromTheMarkerOn) {
    struct Row {
        const char* name;
        int typedPos;
        bool inverted;
    };
    const Row rows[] = {
        {"before the marker", 6, false},
        {"at the marker", 7, true},
        {"beyond the marker", 9, true},
        {"at the last position", 69, true},
    };
    for (const Row& row : rows) {
        canvas.ops.clear();
        line.typedPos = row.typedPos;
        view.DrawPatternChar(7);
        ASSERT_FALSE(canvas.ops.empty()) << row.name;
        EXPECT_EQ(canvas.ops[0].brush, row.inverted ? SysColor::Highlight : SysColor::Window)
            << row.name;
        EXPECT_EQ(canvas.ops[1].pen, row.inverted ? SysColor::HighlightText : SysColor::WindowText)
            << row.name;
    }
}

TEST_F(TypingViewTest, PatternRequestBeyondTheMarkerDrawsTheArrow) {
    EXPECT_FALSE(view.DrawPatternChar(40));
    ASSERT_FALSE(canvas.ops.empty());
    EXPECT_EQ(canvas.ops[0].kind, Kind::Fill);
    EXPECT_EQ(canvas.ops[0].a.x, view.CellLeft(7) + 3 - 1);
}

TEST_F(TypingViewTest, RulerHasDoubleDotsAtEveryTenthPosition) {
    view.DrawRulerDots(0, 69, false);
    const std::vector<Op> lines = OpsOf(Kind::Line);
    std::vector<int> upper, lower;
    for (const Op& op : lines) {
        EXPECT_EQ(op.width, 2);
        EXPECT_EQ(op.pen, SysColor::BtnFace);
        EXPECT_EQ(op.b.x, op.a.x + 1);
        const int pos = (op.a.x - view.CellCentre(0)) / view.cellWidth;
        EXPECT_EQ(op.a.x, view.CellCentre(pos));
        (op.a.y == 3 * kHeight ? upper : lower).push_back(pos);
        if (op.a.y != 3 * kHeight) {
            EXPECT_EQ(op.a.y, 3 * kHeight + 2);
        }
    }
    EXPECT_EQ(upper.size(), 70u);
    EXPECT_EQ(lower, (std::vector<int>{9, 19, 29, 39, 49, 59, 69}));
}

TEST_F(TypingViewTest, RulerIgnoresPositionsOutsideTheLine) {
    view.DrawRulerDots(-1, 0, true);
    view.DrawRulerDots(69, 70, true);
    const std::vector<Op> lines = OpsOf(Kind::Line);
    ASSERT_EQ(lines.size(), 3u); // 0, and 69 with its second dot
    EXPECT_EQ(lines[0].a.x, view.CellCentre(0));
    EXPECT_EQ(lines[0].pen, SysColor::BtnShadow);
}

TEST_F(TypingViewTest, CarriageIsARaisedPolygonWithTheUnderline) {
    line.typedPos = 4;
    view.DrawCarriage();
    const TypingView::Carriage p = view.ComputeCarriage(4);
    EXPECT_EQ(view.caretPos, 4);
    EXPECT_EQ(view.caretShape, p);

    ASSERT_EQ(OpsOf(Kind::Fill).size(), 0u); // nothing to erase after a full paint
    const std::vector<Op> polygons = OpsOf(Kind::Polygon);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].points, std::vector<Point>(p.begin(), p.begin() + 7));
    EXPECT_EQ(polygons[0].brush, SysColor::BtnFace);

    const std::vector<Op> lines = OpsOf(Kind::Line);
    struct Stroke {
        int from, to;
        SysColor pen;
    };
    const Stroke strokes[] = {{7, 8, SysColor::BtnShadow},    {9, 10, SysColor::BtnShadow},
                              {1, 2, SysColor::BtnShadow},    {2, 3, SysColor::BtnShadow},
                              {3, 4, SysColor::BtnShadow},    {1, 0, SysColor::BtnHighlight},
                              {0, 5, SysColor::BtnHighlight}, {5, 4, SysColor::BtnHighlight}};
    ASSERT_EQ(lines.size(), std::size(strokes));
    for (size_t k = 0; k < lines.size(); ++k) {
        EXPECT_EQ(lines[k].a, p[strokes[k].from]) << k;
        EXPECT_EQ(lines[k].b, p[strokes[k].to]) << k;
        EXPECT_EQ(lines[k].pen, strokes[k].pen) << k;
        EXPECT_EQ(lines[k].width, 1) << k;
    }
}

TEST_F(TypingViewTest, WithTheCarriageOffTheCurrentDotIsDarkerAndTheUnderlineStays) {
    options.Caret = false;
    line.typedPos = 4;
    view.DrawCarriage();
    EXPECT_TRUE(OpsOf(Kind::Polygon).empty());
    const std::vector<Op> lines = OpsOf(Kind::Line);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].pen, SysColor::BtnShadow);
    EXPECT_EQ(lines[0].width, 2);
    EXPECT_EQ(lines[0].a, (Point{view.CellCentre(4), 3 * kHeight}));
    const TypingView::Carriage p = view.ComputeCarriage(4);
    EXPECT_EQ(lines[1].a, p[7]);
    EXPECT_EQ(lines[2].a, p[9]);
}

TEST_F(TypingViewTest, MovingTheCarriageErasesTheOldOneAndRestoresItsDots) {
    line.typedPos = 4;
    view.DrawCarriage();
    const TypingView::Carriage old = view.caretShape;
    canvas.ops.clear();

    line.typedPos = 5;
    view.DrawCarriage();
    const std::vector<Op> fills = OpsOf(Kind::Fill);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0].a, (Point{old[5].x - 2, old[0].y - 1}));
    EXPECT_EQ(fills[0].b, (Point{old[2].x + 2, old[4].y + 1}));
    EXPECT_EQ(fills[1].a, (Point{old[7].x - 2, old[7].y - 1}));
    EXPECT_EQ(fills[1].b, (Point{old[8].x + 2, old[8].y + 2}));
    EXPECT_EQ(fills[0].brush, SysColor::Window);

    // The dots of positions 3, 4 and 5 come back before the new carriage is drawn.
    std::vector<int> restored;
    for (size_t k = 2; k < canvas.ops.size() && canvas.ops[k].kind == Kind::Line; ++k) {
        EXPECT_EQ(canvas.ops[k].pen, SysColor::BtnFace);
        restored.push_back(canvas.ops[k].a.x);
    }
    EXPECT_EQ(restored,
              (std::vector<int>{view.CellCentre(3), view.CellCentre(4), view.CellCentre(5)}));
    EXPECT_EQ(view.caretPos, 5);
}

TEST_F(TypingViewTest, FullPaintDrawsTheFrameFirst) {
    view.PaintBoxTypePaint(700, 96);
    ASSERT_GE(canvas.ops.size(), 5u);
    EXPECT_EQ(canvas.ops[0].kind, Kind::Fill);
    EXPECT_EQ(canvas.ops[0].b, (Point{700, 96}));
    struct Edge {
        Point from, to;
        SysColor pen;
        int width;
    };
    const Edge edges[] = {{{1, 96}, {1, 1}, SysColor::BtnShadow, 2},
                          {{1, 1}, {700, 1}, SysColor::BtnShadow, 2},
                          {{1, 95}, {699, 95}, SysColor::BtnHighlight, 1},
                          {{699, 95}, {699, 0}, SysColor::BtnHighlight, 1}};
    for (size_t k = 0; k < std::size(edges); ++k) {
        const Op& op = canvas.ops[k + 1];
        EXPECT_EQ(op.a, edges[k].from) << k;
        EXPECT_EQ(op.b, edges[k].to) << k;
        EXPECT_EQ(op.pen, edges[k].pen) << k;
        EXPECT_EQ(op.width, edges[k].width) << k;
    }
}

TEST_F(TypingViewTest, FullPaintShowsAWrongCharacterUnderThePositionInverted) {
    // Struck without moving on, as the keystroke drew it; nothing typed beyond it is drawn.
    Type("abx");
    line.typedPos = 2;
    view.PaintBoxTypePaint(view.ViewWidth(), view.ViewHeight());
    const std::vector<Op> typed = CharsInRow(kHeight);
    ASSERT_EQ(typed.size(), 3u);
    EXPECT_EQ(typed[0].c, 'a');
    EXPECT_EQ(typed[1].c, 'b');
    EXPECT_EQ(typed[2].c, 'x');
    EXPECT_EQ(typed[2].brush, SysColor::Highlight);
}

namespace {

// The typed row as the pupil sees it, kept cell by cell: "a[x]" is a plain a, then an
// inverted x; blank cells at the end are left out.
class TypedRowCanvas final : public Canvas {
public:
    explicit TypedRowCanvas(const TypingView& view) : view_(view) {}
    void FillRect(int, int top, int, int bottom, SysColor) override {
        if (top <= kHeight && kHeight < bottom) {
            cells_.fill({' ', false});
        }
    }
    void Line(Point, Point, SysColor, int) override {}
    void Polygon(const Point*, int, SysColor, SysColor) override {}
    void DrawChar(int x, int y, unsigned char c, SysColor, SysColor background) override {
        if (y != kHeight) {
            return;
        }
        for (int i = 0; i <= TypingLine::kLastPos; ++i) {
            if (view_.CellLeft(i) == x) {
                cells_[static_cast<size_t>(i)] = {c, background == SysColor::Highlight};
            }
        }
    }
    [[nodiscard]] std::string Row() const {
        std::string row;
        for (const auto& [c, inverted] : cells_) {
            row += inverted ? "[" + std::string(1, static_cast<char>(c)) + "]"
                            : std::string(1, static_cast<char>(c));
        }
        return row.substr(0, row.find_last_not_of(' ') + 1);
    }

private:
    const TypingView& view_;
    std::array<std::pair<unsigned char, bool>, TypingLine::kLastPos + 1> cells_{};
};

// The typing engine drawing through a real view, and what a full repaint of the same line
// shows afterwards: both must be what was typed, errors inverted.
struct LiveAndRepainted {
    std::string live;
    std::string repainted;
    friend bool operator==(const LiveAndRepainted&, const LiveAndRepainted&) = default;
    friend void PrintTo(const LiveAndRepainted& r, std::ostream* os) {
        *os << "live '" << r.live << "', repainted '" << r.repainted << "'";
    }
};

LiveAndRepainted TypeKeys(bool moveOnError, std::string_view keys) {
    TypingRig rig;
    rig.options.MoveOnError = moveOnError;
    rig.dir.AddLesson(1, "intro", {"abcd"});
    rig.StartLesson(1);
    RecordingCanvas unused;
    TypingView view(rig.line, rig.options, unused);
    view.SetMetrics(kGlyph * TypingView::kSampleLength, kHeight);
    TypedRowCanvas live(view);
    view.SetCanvas(live);
    view.PaintBoxTypePaint(view.ViewWidth(), view.ViewHeight());
    rig.drawer.onCall = [&view](const RecordingDrawer::Call& call) {
        switch (call.kind) {
        case RecordingDrawer::Kind::TypedChar:
            view.DrawTypedChar(call.i);
            break;
        case RecordingDrawer::Kind::EraseTypedChar:
            view.EraseTypedChar(call.i);
            break;
        case RecordingDrawer::Kind::PatternChar:
            view.DrawPatternChar(call.i);
            break;
        case RecordingDrawer::Kind::Carriage:
            view.DrawCarriage();
            break;
        }
    };
    for (const char key : keys) {
        if (key == '<') {
            rig.Backspace();
        } else {
            rig.Press(static_cast<unsigned char>(key));
        }
    }
    TypedRowCanvas repainted(view);
    view.SetCanvas(repainted);
    view.PaintBoxTypePaint(view.ViewWidth(), view.ViewHeight());
    return {live.Row(), repainted.Row()};
}

} // namespace

// '<' is Backspace. The line to copy is "abcd"; nothing is shown past its end marker.
TEST(TypedRow, AlwaysShowsWhatWasTypedWithErrorsInvertedLiveAndAfterARepaint) {
    struct Case {
        bool moveOnError;
        const char* keys;
        const char* row;
    };
    const Case cases[] = {
        {false, "ax", "a[x]"},      {false, "ax<", ""},          {false, "axb<", "a"},
        {false, "ax<a", "a"},       {true, "axc", "a[x]c"},      {true, "axc<", "a[x]"},
        {true, "ax<<", ""},         {true, "abcdxy", "abcd[x]"}, {true, "abcdxy<", "abcd[x]"},
        {true, "abcdxy<<", "abcd"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TypeKeys(c.moveOnError, c.keys), (LiveAndRepainted{c.row, c.row}))
            << (c.moveOnError ? "moving on, keys '" : "keys '") << c.keys << "'";
    }
}

TEST_F(TypingViewTest, FullPaintDrawsThePatternUpToTheArrowAndTheCarriage) {
    line.typedPos = 3;
    view.caretPos = 12;
    view.PaintBoxTypePaint(view.ViewWidth(), view.ViewHeight());
    const std::vector<Op> pattern = CharsInRow(4 * kHeight);
    ASSERT_EQ(pattern.size(), 7u);
    EXPECT_EQ(pattern[3].brush, SysColor::Highlight);
    EXPECT_EQ(OpsOf(Kind::Fill).size(), 2u); // the background and the arrow, no erasing
    EXPECT_EQ(OpsOf(Kind::Polygon).size(), 1u);
    EXPECT_EQ(view.caretPos, 3);
}

TEST_F(TypingViewTest, FullPaintBeyondTheMarkerStillShowsNoCellsPastIt) {
    Type(std::string(12, 'a'));
    view.PaintBoxTypePaint(view.ViewWidth(), view.ViewHeight());
    EXPECT_EQ(CharsInRow(kHeight).size(), 8u); // positions 0..7, the marker's cell included
    EXPECT_EQ(view.caretPos, 12);
}

TEST_F(TypingViewTest, PaintOfAPartDrawsTheFullPaintsCellsThereAndNoFarOnes) {
    line.SetPattern("Kde domov muj, voda huci po lucinach");
    Type("Kde domov muj, vodq");
    // The characters and ruler dots of a paint: (left, top, byte, colours).
    const auto cells = [this] {
        std::vector<std::tuple<int, int, int, SysColor, SysColor>> found;
        for (const Op& op : canvas.ops) {
            if (op.kind == Kind::Char || (op.kind == Kind::Line && op.width == 2 &&
                                          op.a.y >= 3 * kHeight && op.a.y <= 3 * kHeight + 2)) {
                found.emplace_back(op.a.x, op.a.y, op.c, op.pen, op.brush);
            }
        }
        std::sort(found.begin(), found.end());
        return found;
    };
    view.PaintBoxTypePaint(view.ViewWidth(), view.ViewHeight());
    auto expected = cells();
    // Columns 10 and 11, and two cells either side for a glyph's ink that reaches over.
    std::erase_if(expected, [this](const auto& cell) {
        const int x = std::get<0>(cell);
        return x < view.CellLeft(8) || x >= view.CellLeft(15);
    });
    canvas.ops.clear();
    view.PaintBoxTypePaint(view.ViewWidth(), view.ViewHeight(), view.CellLeft(10),
                           view.CellLeft(12));
    EXPECT_EQ(cells(), expected);
    EXPECT_EQ(OpsOf(Kind::Polygon).size(), 1u); // the carriage, wherever it is
    EXPECT_EQ(view.caretPos, 19);
}

TEST_F(TypingViewTest, FullPaintOfAClearedLineEnds) {
    // No marker at all: the pattern row must still end at the last position.
    line.ClearPattern();
    view.PaintBoxTypePaint(view.ViewWidth(), view.ViewHeight());
    EXPECT_EQ(CharsInRow(4 * kHeight).size(), 70u);
}

} // namespace
