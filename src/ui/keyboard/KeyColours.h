#pragma once
// The colours of the on-screen keyboard, worked out from the palette so that a key's legend
// stays readable on a light and on a dark desktop.

#include "Finger.h"

#include <QColor>
#include <QPalette>

namespace KeyColours {

// The least contrast between a legend and its key, as for normal text on the web.
inline constexpr double kMinContrast = 4.5;

// The contrast ratio of two colours (1 to 21), from their relative luminance.
[[nodiscard]] double Contrast(const QColor& a, const QColor& b);

// A key struck by the finger: its own hue, as light or as dark as the palette's buttons,
// moved away from ButtonText until the legend reads well on it.
[[nodiscard]] QColor FingerTint(Finger finger, const QPalette& palette);
// The background of a key that was struck by mistake, and its legend.
[[nodiscard]] QColor ErrorFill();
[[nodiscard]] QColor ErrorText();
// A colour of the same kind, moved away from `text` until the contrast is enough.
[[nodiscard]] QColor Readable(QColor fill, const QColor& text);

} // namespace KeyColours
