#pragma once
// The order in which training opens the keys: the small letters as the lessons bring them
// (home row first), then the capitals, the punctuation, the digits, and last the characters
// written with a dead key (ó, ď, the capitals with diacritics).

#include <cstddef>
#include <string>

class UnlockOrder {
public:
    // The pupil starts with the home row's letters: d f j k s l a ů g h.
    static constexpr size_t kStartKeys = 10;

    // Every character the training opens, each once, in order (code page 1250).
    [[nodiscard]] static std::string For(bool qwertz);
};
