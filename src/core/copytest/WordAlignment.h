#pragma once
// Aligns the typed words with the copy's words by an edit distance over words in which a
// wrong word, an extra word and a whole run of missing words each cost one error, and two
// words run together or one word split cost one too. Among alignments with as few errors,
// the one whose wrong words are most alike the copy's wins.
//
// The copy repeats: a pupil who reaches its end before the time goes on from its beginning.
// The alignment looks for each typed word only within a window around where the best
// alignment so far stands, so its cost grows with the typed text alone: a pupil drifts from
// the copy by a line or a paragraph, not by pages.

#include "AlignedWord.h"
#include "TypedWords.h"

#include <string_view>
#include <vector>

class WordAlignment {
public:
    // How many copy words beyond the best place so far a typed word may be (words skipped),
    // and how many before it.
    static constexpr int kAhead = 250;
    static constexpr int kBehind = 16;

    // `copy` must not be empty.
    [[nodiscard]] static std::vector<AlignedWord> Align(const std::vector<std::string_view>& copy,
                                                        const TypedWords& typed);
};
