#pragma once
// Makes a practice text of real Czech words that are rich in the characters the pupil got wrong
// most often, using only the keys the pupil has been taught.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class WordList;

struct PracticeText {
    enum class Status { Ready, NoLetters, TooFewWords };

    Status status = Status::NoLetters;
    std::string practised;          // the letters practised, in rank order (code page 1250)
    std::string introLine;          // "Procvičení: ř ě č – ..."
    std::vector<std::string> lines; // kLines lines of words separated by single spaces
};

class PracticeTextMaker {
public:
    static constexpr int kLines = 13;
    static constexpr int kMaxLineLength = 64; // within the typing line's 69 characters
    // Fewer fitting words than this would make lines of one word over and over.
    static constexpr size_t kMinimumWords = 6;
    // The introductory line: the prefix, the practised letters separated by spaces, the tail.
    static constexpr std::string_view kIntroPrefixUtf8 = "Procvičení: ";
    static constexpr std::string_view kIntroTailUtf8 = " – ";

    // `weak`: the weak characters, weakest first; capitals stand for their small letters and
    // characters that are no letters are left out. `allowed`: the keys that may be used (the
    // space is always allowed); empty for any. Every line holds at least one weak character or
    // a keyboard neighbour of one in three of its characters: each word chosen does. The same
    // `seed` gives the same text.
    [[nodiscard]] static PracticeText Make(const WordList& words, const std::string& weak,
                                           const std::string& allowed, bool qwertz, uint32_t seed);

    // The small letter of a Czech capital (code page 1250), other characters unchanged.
    [[nodiscard]] static unsigned char ToLower(unsigned char c);
};
