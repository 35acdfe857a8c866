#pragma once
// Counts keystrokes as the Czech typing norm counts them: every key pressed to write a
// character, modifiers included (a capital is two, ó is ´ then o, Ď is Shift+ˇ then Shift+D).
// The counts come from the on-screen keyboard's key sequences, so that both always agree.

#include <array>
#include <string_view>

class KeyboardLayout;

class KeystrokeNorm {
public:
    explicit KeystrokeNorm(const KeyboardLayout& layout);

    // The keys pressed for one code page 1250 byte (10 is Enter); 0 when the layout cannot
    // write it.
    [[nodiscard]] int Of(unsigned char byte) const { return counts_[byte]; }
    // The keystrokes of a typed text. A character that no key writes still reached the text
    // through some key: it counts one.
    [[nodiscard]] int Count(std::string_view text) const;

private:
    std::array<int, 256> counts_{};
};
