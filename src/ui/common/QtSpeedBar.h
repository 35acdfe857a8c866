#pragma once

#include <QPixmap>
#include <QWidget>

class QStyleOptionProgressBar;

// The bar of the average typing speed. It looks like the style's smooth progress bar, but
// it changes on most keystrokes, so it is drawn from two kept pictures, the empty bar and the
// full one, and a new value repaints only the strip between the old end and the new one.
// A value outside the range is clamped into it.
class QtSpeedBar final : public QWidget {
    Q_OBJECT

public:
    explicit QtSpeedBar(QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    void setValue(int value);
    [[nodiscard]] int value() const { return value_; }
    [[nodiscard]] int minimum() const { return minimum_; }
    [[nodiscard]] int maximum() const { return maximum_; }

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    [[nodiscard]] QStyleOptionProgressBar BarOption(int progress) const;
    [[nodiscard]] int FilledRight(int value) const;
    [[nodiscard]] QPixmap RenderBar(int progress) const;
    void DropPictures();

    int minimum_ = 0;
    int maximum_ = 100;
    int value_ = 0;
    QPixmap empty_;
    QPixmap full_;
    QRect groove_; // where the filled part grows, see DropPictures
};
