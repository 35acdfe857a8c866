#pragma once
// Breaks the long lines of a pupil's own text into lines that fit the typing line, at the
// last space that fits, so that no part of the text is lost.

#include <cstddef>
#include <string>
#include <vector>

class LineWrapper {
public:
    // Moves lines of at most `width` characters from the front of `text` to `lines` while
    // more than `width` characters are left, and then the rest too when `whole` (the end
    // of the line in the file); stops when `lines` holds `maxLines`. A line is broken at
    // its last space that fits, the spaces at the break going with it; a word longer than
    // the line is cut into pieces. Returns whether a line was broken.
    static bool TakeLines(std::string& text, bool whole, std::size_t width,
                          std::vector<std::string>& lines, std::size_t maxLines);
};
