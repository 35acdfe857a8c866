#pragma once
// Converts between code page 1250 bytes, in which Klaptos keeps every text, and UTF-8.

#include <cstdint>
#include <string>
#include <string_view>

namespace Cp1250 {

// A byte that no text can contain (0x98 is undefined in code page 1250): what a
// character that the code page cannot hold becomes, so that it is always a wrong keystroke.
inline constexpr unsigned char kUnmappable = 0x98;

// The Unicode code point of a code page 1250 byte; 0xFFFD for the undefined bytes.
[[nodiscard]] char32_t ToUnicode(unsigned char byte);

// The code page 1250 byte of a code point, or kUnmappable when the code page cannot hold it.
[[nodiscard]] unsigned char FromUnicode(char32_t codePoint);

[[nodiscard]] std::string ToUtf8(std::string_view bytes);

// Appends the UTF-8 form of any Unicode code point.
void AppendUtf8(std::string& out, char32_t codePoint);

// Invalid UTF-8 sequences and characters outside the code page become kUnmappable.
[[nodiscard]] std::string FromUtf8(std::string_view utf8);

} // namespace Cp1250
