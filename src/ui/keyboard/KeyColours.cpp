#include "KeyColours.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

double Linear(double channel) {
    return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& c) {
    return 0.2126 * Linear(c.redF()) + 0.7152 * Linear(c.greenF()) + 0.0722 * Linear(c.blueF());
}

// Hues far enough apart that neighbouring fingers never look alike; the thumb stays grey.
constexpr std::array<int, 9> kHues{0, 30, 55, 110, -1, 170, 205, 260, 310};

} // namespace

namespace KeyColours {

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor Readable(QColor fill, const QColor& text) {
    const bool darkText = Luminance(text) < 0.5;
    for (int step = 0; step < 40 && Contrast(fill, text) < kMinContrast; ++step) {
        const int lightness = std::clamp(fill.lightness() + (darkText ? 6 : -6), 0, 255);
        fill = QColor::fromHsl(fill.hslHue(), fill.hslSaturation(), lightness);
    }
    return fill;
}

QColor FingerTint(Finger finger, const QPalette& palette) {
    const QColor button = palette.color(QPalette::Button);
    const bool dark = button.lightness() < 128;
    const int hue = kHues[static_cast<std::size_t>(finger)];
    const int saturation = hue < 0 ? 0 : (dark ? 110 : 170);
    const int lightness = dark ? 72 : 208;
    return Readable(QColor::fromHsl(std::max(hue, 0), saturation, lightness),
                    palette.color(QPalette::ButtonText));
}

QColor ErrorFill() {
    return {200, 30, 30};
}

QColor ErrorText() {
    return Qt::white;
}

} // namespace KeyColours
