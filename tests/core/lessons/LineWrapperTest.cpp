#include "LineWrapper.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr std::size_t kWidth = 69;

std::string Word(std::size_t length, char letter = 'w') {
    return std::string(length, letter);
}

} // namespace

TEST(LineWrapper, LinesOfTheFileBreakAtTheirLastSpaceThatFits) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"exactly the width stays whole", Word(69), {Word(69)}},
        {"one more is cut", Word(70), {Word(69), "w"}},
        {"a space right after the width fills the line", Word(69) + " ab", {Word(69), "ab"}},
        {"breaks at the last space",
         Word(40) + " " + Word(20) + " " + Word(20),
         {Word(40) + " " + Word(20), Word(20)}},
        {"spaces at the break go", Word(60) + "    " + Word(10, 'x'), {Word(60), Word(10, 'x')}},
        {"a word longer than the line is cut into pieces",
         "ab " + Word(150),
         {"ab", Word(69), Word(69), Word(12)}},
        {"a line of spaces is cut, not lost", std::string(75, ' '), {std::string(69, ' ')}},
        {"leading spaces of the line stay",
         "  " + Word(40) + " " + Word(40),
         {"  " + Word(40), Word(40)}},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        std::vector<std::string> lines;
        const bool broken = LineWrapper::TakeLines(text, true, kWidth, lines, 100);
        EXPECT_EQ(lines, c.lines) << c.name;
        EXPECT_EQ(broken, c.text.size() > kWidth) << c.name;
        EXPECT_EQ(text, "") << c.name;
    }
}

TEST(LineWrapper, PieceOfALineKeepsWhatMoreTextCouldStillJoin) {
    std::string text = Word(50) + " " + Word(30) + " ab";
    std::vector<std::string> lines;
    LineWrapper::TakeLines(text, false, kWidth, lines, 100);
    EXPECT_EQ(lines, std::vector<std::string>{Word(50)});
    EXPECT_EQ(text, Word(30) + " ab");
    text += "cd " + Word(40);
    LineWrapper::TakeLines(text, true, kWidth, lines, 100);
    EXPECT_EQ(lines, (std::vector<std::string>{Word(50), Word(30) + " abcd", Word(40)}));
}

TEST(LineWrapper, StopsAtTheLineLimitAndLeavesTheRest) {
    std::string text = Word(200);
    std::vector<std::string> lines{"earlier"};
    LineWrapper::TakeLines(text, true, kWidth, lines, 2);
    EXPECT_EQ(lines, (std::vector<std::string>{"earlier", Word(69)}));
    EXPECT_EQ(text.size(), 131u);
}
