#pragma once
// The drawing surface of the typing line: the few primitives the view needs, in the
// desktop's system colours, so that the view's geometry can be tested without a window.

#include <string>

enum class SysColor {
    Window,        // background of the view
    WindowText,    // normal characters
    Highlight,     // background of inverted cells
    HighlightText, // text of inverted cells
    BtnFace,       // ruler dots, carriage body
    BtnShadow,     // darker edges, underline, current dot
    BtnHighlight,  // lighter edges
    BtnText,
};

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

class Canvas {
public:
    virtual ~Canvas() = default;
    // Fills left <= x < right, top <= y < bottom.
    virtual void FillRect(int left, int top, int right, int bottom, SysColor brush) = 0;
    // A segment colours `from` but not `to`; a width of 2 draws a square pen of 2 pixels.
    virtual void Line(Point from, Point to, SysColor pen, int width) = 0;
    // A closed polygon filled with `brush` and outlined with a one-pixel `pen`.
    virtual void Polygon(const Point* points, int count, SysColor pen, SysColor brush) = 0;
    // One code page 1250 character with its cell's top-left at (x, y) on an opaque background.
    virtual void DrawChar(int x, int y, unsigned char c, SysColor text, SysColor background) = 0;
};
