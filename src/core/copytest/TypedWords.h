#pragma once
// The pupil's typed text cut into words for the comparison with the copy: a space separates
// two words, so a space too many leaves an empty word (an error of its own), while an Enter
// is an error by itself and takes the place of a space.

#include <string_view>
#include <vector>

struct TypedWord {
    std::string_view text; // code page 1250; empty for a space too many
    int entersAfter = 0;   // Enters typed right after the word
};

struct TypedWords {
    int leadingEnters = 0; // Enters typed before the first word
    std::vector<TypedWord> words;
    // The text ends with a space or an Enter: its last word was finished.
    bool lastFinished = false;

    // `typed` must outlive the result.
    [[nodiscard]] static TypedWords Split(std::string_view typed);
};
