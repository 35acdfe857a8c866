#pragma once
// Turns a text in code page 1250 into what a pupil types for it on one keyboard layout: the
// typographic quotes, dashes and the ellipsis that the layout has no key for become the plain
// characters every pupil types in their place, and whatever else the layout cannot write is
// named, so that the caller can refuse the text.

#include <optional>
#include <string>
#include <string_view>

class KeyboardLayout;

namespace TypableText {

struct Result {
    std::string text;      // code page 1250
    std::string untypable; // what is left that the layout cannot write, each character once
    int replaced = 0;      // characters replaced by their typed form
};

// The typed form of one code page 1250 character, as an own text gets it
// (TypedReplacements::FormOf): code page 1250, empty when it is dropped; nothing when it stays.
[[nodiscard]] std::optional<std::string_view> FormOf(unsigned char byte);

[[nodiscard]] Result Make(std::string_view text, const KeyboardLayout& layout);

} // namespace TypableText
