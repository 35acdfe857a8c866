#pragma once
// Makes a practice text for the characters the pupil got wrong most often: common Czech words
// that hold them, typed only with the keys the pupil has been taught, spaced out with common
// words without them, so that at most half of the text's letters are the practised ones. A
// practised capital is trained at the start of sentences and in proper nouns. A character too
// few words can train is drilled in letter groups, as the first lessons do ("fdf jkj").

#include "PracticeIntro.h"

#include <cstdint>
#include <string>
#include <vector>

class Vocabulary;

struct PracticeRequest {
    std::string weak;    // the weak characters, weakest first (code page 1250)
    std::string allowed; // the keys that may be used, the space among them; empty for any
    bool qwertz = true;
    int lesson = 0; // the lesson whose keys `allowed` holds; 0 after an own text
};

struct PracticeText {
    enum class Status { Ready, NoLetters };

    Status status = Status::NoLetters;
    PracticeIntro intro;
    std::string introLine;          // intro.Line()
    std::vector<std::string> lines; // kLines lines, none twice

    friend bool operator==(const PracticeText&, const PracticeText&) = default;
};

class PracticeTextMaker {
public:
    static constexpr int kLines = 13;
    static constexpr int kMaxLineLength = 64; // within the typing line's 69 characters
    // A character with fewer words than this is drilled in letter groups.
    static constexpr size_t kMinimumWords = 6;
    // How many of the most common fitting words a character is practised with, and how many
    // common words space them out.
    static constexpr size_t kWordChoice = 50;
    static constexpr size_t kSpacerChoice = 80;

    // The same `seed` gives the same text. NoLetters when no weak character is a letter the
    // allowed keys can type.
    [[nodiscard]] static PracticeText Make(const Vocabulary& vocabulary,
                                           const PracticeRequest& request, uint32_t seed);

    // The characters to practise: the weak letters the allowed keys can type, weakest first. A
    // capital stays a capital when its key chord is taught (else its small letter is
    // practised); at most half of the taught letters, so that others are left to space them.
    [[nodiscard]] static std::string Practised(const std::string& weak, const std::string& allowed);
};
