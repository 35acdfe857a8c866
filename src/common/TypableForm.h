#pragma once
// Says what a Unicode character of a pupil's own text becomes in code page 1250 when the
// code page cannot hold it or the Czech keyboard has no key for it.

#include <optional>
#include <string_view>

namespace TypableForm {

// What a character that nothing fits becomes: a key every keyboard has, so the pupil can
// type past it and sees that something stood there.
inline constexpr std::string_view kUnknown = "?";

// The replacement (UTF-8; empty when the character is dropped), or nothing when the
// character stays as it is.
[[nodiscard]] std::optional<std::string_view> For(char32_t codePoint);

} // namespace TypableForm
