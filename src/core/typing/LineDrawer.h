#pragma once
// The partial redraws that the typing engine asks for after each keystroke.

class LineDrawer {
public:
    virtual ~LineDrawer() = default;
    virtual void DrawTypedChar(int i) = 0;
    virtual void EraseTypedChar(int i) = 0;
    // Returns false once it has drawn the Enter arrow (or was asked beyond position 69).
    virtual bool DrawPatternChar(int i) = 0;
    virtual void DrawCarriage() = 0;
};
