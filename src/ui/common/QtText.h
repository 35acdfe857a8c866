#pragma once
// Converts the model's code page 1250 texts to Qt strings and back, at the Qt boundary only.

#include <QString>

#include <string>

namespace QtText {

[[nodiscard]] QString FromCp1250(const std::string& bytes);
[[nodiscard]] std::string ToCp1250(const QString& text);

// A file system path as the model keeps it: the file system's own bytes.
[[nodiscard]] std::string ToPath(const QString& path);
[[nodiscard]] QString FromPath(const std::string& path);

// The short part of a two-part hint "short | long" (the tooltip), and the long part (the
// status bar); a hint without "|" serves as both.
[[nodiscard]] QString ShortHint(const QString& hint);
[[nodiscard]] QString LongHint(const QString& hint);

} // namespace QtText
