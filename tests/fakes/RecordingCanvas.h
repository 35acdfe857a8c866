#pragma once
// Records every drawing call, for tests of the typing line's geometry and colours.

#include "Canvas.h"

#include <vector>

class RecordingCanvas final : public Canvas {
public:
    struct Op {
        enum class Kind { Fill, Line, Polygon, Char } kind;
        Point a, b;            // Fill: left-top and right-bottom; Line: from and to
        std::vector<Point> points;
        SysColor pen = SysColor::Window;
        SysColor brush = SysColor::Window;
        int width = 0;
        unsigned char c = 0;
    };

    void FillRect(int l, int t, int r, int b, SysColor brush) override {
        ops.push_back({Op::Kind::Fill, {l, t}, {r, b}, {}, brush, brush, 0, 0});
    }
    void Line(Point from, Point to, SysColor pen, int width) override {
        ops.push_back({Op::Kind::Line, from, to, {}, pen, pen, width, 0});
    }
    void Polygon(const Point* p, int n, SysColor pen, SysColor brush) override {
        ops.push_back({Op::Kind::Polygon, {}, {}, std::vector<Point>(p, p + n), pen, brush, 1, 0});
    }
    void DrawChar(int x, int y, unsigned char c, SysColor text, SysColor background) override {
        ops.push_back({Op::Kind::Char, {x, y}, {}, {}, text, background, 0, c});
    }

    std::vector<Op> ops;
};
