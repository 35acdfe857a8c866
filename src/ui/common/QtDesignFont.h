#pragma once
// The font the windows were designed with, a narrow sans-serif, at a designed pixel size.

#include <QFont>

// Liberation Sans where it is installed (its widths match the design's labels and fields),
// else the desktop's default sans-serif.
[[nodiscard]] QFont QtDesignFont(int pixelSize, bool bold = false);
