#pragma once
// The text of a timed copy: its title and its paragraphs, as the pupil sees them and as the
// typed text is compared with them.

#include <string>
#include <string_view>
#include <vector>

struct CopyText {
    std::string title;                   // code page 1250
    std::vector<std::string> paragraphs; // code page 1250; words separated by single spaces

    // The words of all paragraphs in order: the pupil types the paragraphs as one flow of
    // words, with a space where a paragraph ends.
    [[nodiscard]] std::vector<std::string_view> Words() const;
};
