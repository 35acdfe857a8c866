#pragma once
// A group box as designed: a one-pixel frame in the palette's mid colour with the caption on
// its top line, near its left end. Painted by itself: a style sheet would make the same look
// but bring the whole style sheet machinery into memory for one frame.

#include <QGroupBox>

class QtGroupFrame final : public QGroupBox {
    Q_OBJECT

public:
    explicit QtGroupFrame(const QString& caption, QWidget* parent = nullptr);

    // Where the frame's top line lies below the top, and where the caption starts.
    static constexpr int kFrameTop = 6;
    static constexpr int kCaptionLeft = 6;
    static constexpr int kCaptionPadding = 2;
    static constexpr int kCaptionRoom = 4;

protected:
    void paintEvent(QPaintEvent* event) override;
};
