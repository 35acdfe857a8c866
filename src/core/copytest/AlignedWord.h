#pragma once
// One step of the comparison of the typed text with the copy, in the order of the typed text,
// as the result sheet marks it.

#include <string>
#include <vector>

enum class WordMark {
    Right,      // typed as in the copy
    Wrong,      // typed differently (also two words run together or one word split)
    Unfinished, // the last word, begun right when the time ran out
    Missing,    // a word of the copy left out
    Extra,      // a word (or a space) typed that the copy does not have
    Enter,      // an Enter typed
};

struct AlignedWord {
    WordMark mark = WordMark::Right;
    std::string typed;  // code page 1250; empty for Missing and Enter
    std::string copy;   // the copy's word (words) in its place; empty for Extra and Enter
    bool error = false; // counts one error; a run of missing words counts at its first word
    // For Wrong: one flag per byte of `typed`, true where it differs from the copy.
    std::vector<bool> wrongLetters;

    friend bool operator==(const AlignedWord&, const AlignedWord&) = default;
};
