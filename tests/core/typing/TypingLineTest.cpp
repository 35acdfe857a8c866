#include "TypingLine.h"

#include <gtest/gtest.h>

#include <string>

TEST(TypingLine, SetPatternPutsTheMarkerAfterTheText) {
    TypingLine line;
    line.SetPattern("abc");
    EXPECT_EQ(line.patternLen, 3);
    EXPECT_EQ(line.patternLine[2], 'c');
    EXPECT_EQ(line.patternLine[3], TypingLine::kEndOfLine);
    EXPECT_EQ(line.patternLine[4], 0);
}

TEST(TypingLine, SetPatternCutsALongLineAtPosition69) {
    TypingLine line;
    line.SetPattern(std::string(100, 'x'));
    EXPECT_EQ(line.patternLen, 69);
    EXPECT_EQ(line.patternLine[68], 'x');
    EXPECT_EQ(line.patternLine[69], TypingLine::kEndOfLine);
}

TEST(TypingLine, SetPatternOfTheEmptyLineLeavesOnlyTheMarker) {
    TypingLine line;
    line.SetPattern("");
    EXPECT_EQ(line.patternLen, 0);
    EXPECT_EQ(line.patternLine[0], TypingLine::kEndOfLine);
}

TEST(TypingLine, SetPatternStopsAtAZeroByte) {
    TypingLine line;
    line.SetPattern(std::string("ab\0cd", 5));
    EXPECT_EQ(line.patternLen, 2);
}

TEST(TypingLine, ClearTypedLineIsSpacesWithAClosingZero) {
    TypingLine line;
    line.typedPos = 12;
    line.ClearTypedLine();
    EXPECT_EQ(line.typedPos, 0);
    EXPECT_EQ(line.typedLine[0], ' ');
    EXPECT_EQ(line.typedLine[126], ' ');
    EXPECT_EQ(line.typedLine[127], 0);
}

TEST(TypingLine, FontSampleIs68Bytes) {
    EXPECT_EQ(FontSampleLine().size(), 68u);
}
