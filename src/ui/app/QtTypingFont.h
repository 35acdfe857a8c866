#pragma once
// The typing line's font between Qt and the settings file.

#include "FontSettings.h"

#include <QFont>

namespace QtTypingFont {

// A family that is not installed falls back to the default name, which the font system
// substitutes (usually with a metric-compatible font).
[[nodiscard]] QFont FromSettings(const FontSettings& settings);
[[nodiscard]] FontSettings ToSettings(const QFont& font);
// A size outside the accepted range is corrected as the settings file corrects it.
[[nodiscard]] QFont WithAcceptedSize(QFont font);

} // namespace QtTypingFont
