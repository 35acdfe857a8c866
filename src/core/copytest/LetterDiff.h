#pragma once
// Which letters of a word typed wrong differ from the copy's word, as a teacher underlines
// them: a wrong, an extra or a swapped letter (an edit-distance alignment that counts a swap
// of two neighbours as one step).

#include <string_view>
#include <vector>

namespace LetterDiff {

// One flag per byte of `typed`: true where the letter is wrong, extra or swapped. A letter
// missing from `typed` marks the letter after the gap (the one before it at the end).
[[nodiscard]] std::vector<bool> WrongLetters(std::string_view typed, std::string_view copy);

} // namespace LetterDiff
