// The alignment of a long typed text with the copy: drift of a line or a paragraph, the copy
// begun again from its start, and the letters a teacher would underline in a wrong word.

#include "WordAlignment.h"
#include "LetterDiff.h"
#include "TypedWords.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A copy of `count` different words: "w0 w1 w2 ...".
std::vector<std::string> Numbered(int count) {
    std::vector<std::string> words;
    for (int i = 0; i < count; ++i) {
        words.push_back("w" + std::to_string(i));
    }
    return words;
}

std::vector<std::string_view> Views(const std::vector<std::string>& words) {
    return {words.begin(), words.end()};
}

std::string Join(const std::vector<std::string>& words, int from, int to) {
    std::string text;
    for (int i = from; i < to; ++i) {
        text += (text.empty() ? "" : " ") + words[static_cast<std::size_t>(i) % words.size()];
    }
    return text;
}

struct Tally {
    int right = 0, wrong = 0, missing = 0, extra = 0, errors = 0;
    friend bool operator==(const Tally&, const Tally&) = default;
};

Tally Count(const std::vector<AlignedWord>& aligned) {
    Tally tally;
    for (const AlignedWord& word : aligned) {
        tally.right += word.mark == WordMark::Right ? 1 : 0;
        tally.wrong += word.mark == WordMark::Wrong ? 1 : 0;
        tally.missing += word.mark == WordMark::Missing ? 1 : 0;
        tally.extra += word.mark == WordMark::Extra ? 1 : 0;
        tally.errors += word.error ? 1 : 0;
    }
    return tally;
}

void PrintTo(const Tally& t, std::ostream* os) {
    *os << "right " << t.right << ", wrong " << t.wrong << ", missing " << t.missing << ", extra "
        << t.extra << ", errors " << t.errors;
}

TEST(WordAlignment, FollowsThePupilThroughSkipsRepeatsAndTheCopyBegunAgain) {
    const std::vector<std::string> copy = Numbered(400);
    struct Row {
        const char* name;
        std::string typed;
        Tally expected;
    };
    const Row rows[] = {
        {"a paragraph of 200 words skipped",
         Join(copy, 0, 50) + " " + Join(copy, 250, 400),
         {200, 0, 200, 0, 1}},
        {"a line of 12 words typed twice",
         Join(copy, 0, 100) + " " + Join(copy, 88, 300),
         {300, 0, 0, 12, 12}},
        {"the copy typed to its end and begun again", Join(copy, 0, 520), {520, 0, 0, 0, 0}},
        {"every tenth word wrong",
         [&] {
             std::vector<std::string> words(copy.begin(), copy.begin() + 300);
             for (std::size_t i = 5; i < words.size(); i += 10) {
                 words[i] += "x";
             }
             return Join(words, 0, 300);
         }(),
         {270, 30, 0, 0, 30}},
    };
    for (const Row& row : rows) {
        const std::string text = row.typed + " ";
        const TypedWords typed = TypedWords::Split(text);
        EXPECT_EQ(Count(WordAlignment::Align(Views(copy), typed)), row.expected) << row.name;
    }
}

TEST(WordAlignment, MarksAWrongWordAgainstTheCopyWordMostAlikeIt) {
    const std::vector<std::string> copy{"stará", "lípa", "stojí"};
    const TypedWords typed = TypedWords::Split("lípo stojí ");
    const std::vector<AlignedWord> aligned = WordAlignment::Align(Views(copy), typed);
    ASSERT_EQ(aligned.size(), 3U);
    EXPECT_EQ(aligned[0].mark, WordMark::Missing);
    EXPECT_EQ(aligned[1].mark, WordMark::Wrong);
    EXPECT_EQ(aligned[1].copy, "lípa");
    EXPECT_EQ(aligned[2].mark, WordMark::Right);
}

TEST(LetterDiff, UnderlinesTheLettersATeacherWouldMark) {
    struct Row {
        const char* typed;
        const char* copy;
        const char* marked; // x under a marked letter
    };
    const Row rows[] = {
        {"lpuce", "louce", ".x..."},        {"luoce", "louce", ".xx.."},
        {"louuce", "louce", "..x..."},      {"loce", "louce", "..x."},
        {"louc", "louce", "...x"},          {"lpuxe", "louce", ".x.x."},
        {"polouce", "po louce", "..x...."}, {"abc", "xyz", "xxx"},
    };
    for (const Row& row : rows) {
        const std::vector<bool> wrong = LetterDiff::WrongLetters(row.typed, row.copy);
        std::string marked;
        for (const bool w : wrong) {
            marked += w ? 'x' : '.';
        }
        EXPECT_EQ(marked, row.marked) << row.typed << " for " << row.copy;
    }
}

} // namespace
