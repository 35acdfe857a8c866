#include "Lekce.h"

#include "RecordingReporter.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

class LekceNavigation : public ::testing::Test {
protected:
    // Puts lines into the store the way a loader leaves them: before the first line.
    void Fill(std::vector<std::string> lines) {
        store.Clear();
        store.Lines = std::move(lines);
        store.TotalChars = 0;
        for (const auto& line : store.Lines) {
            store.TotalChars += static_cast<int32_t>(line.size()) + 1;
        }
    }
    // The position fields, as one value to compare.
    [[nodiscard]] std::vector<int32_t> Position() const {
        return {store.LineNumber, store.CharsBefore, store.LineSize};
    }

    RecordingReporter reporter;
    LEKCE store{"", reporter};
    std::string text = "untouched";
};

TEST_F(LekceNavigation, EmptyStoreRefusesEveryMoveAndChangesNothing) {
    EXPECT_FALSE(store.CurrentLine(text));
    EXPECT_FALSE(store.NextLine(text));
    EXPECT_FALSE(store.PreviousLine(text));
    EXPECT_FALSE(store.FirstLine(text));
    EXPECT_EQ(text, "untouched");
    EXPECT_EQ(Position(), (std::vector<int32_t>{0, 0, 0}));
    EXPECT_EQ(store.Progress(5), 0.0);
}

TEST_F(LekceNavigation, FirstLineStartsAtLineOneWithNothingBefore) {
    Fill({"ab", "c", "def"});
    ASSERT_TRUE(store.FirstLine(text));
    EXPECT_EQ(text, "ab");
    EXPECT_EQ(Position(), (std::vector<int32_t>{1, 0, 3}));
    EXPECT_DOUBLE_EQ(store.Progress(2), 2.0 / 9.0);
}

TEST_F(LekceNavigation, NextLineCountsTheLeftLineAsTyped) {
    Fill({"ab", "c", "def"});
    store.FirstLine(text);
    ASSERT_TRUE(store.NextLine(text));
    EXPECT_EQ(text, "c");
    EXPECT_EQ(Position(), (std::vector<int32_t>{2, 3, 2}));
    ASSERT_TRUE(store.NextLine(text));
    EXPECT_EQ(text, "def");
    EXPECT_EQ(Position(), (std::vector<int32_t>{3, 5, 4}));
}

TEST_F(LekceNavigation, NextLineAtTheLastLineStaysThereAndKeepsTheText) {
    Fill({"ab", "c", "def"});
    store.FirstLine(text);
    store.NextLine(text);
    store.NextLine(text);
    text = "untouched";
    EXPECT_FALSE(store.NextLine(text));
    EXPECT_EQ(text, "untouched");
    EXPECT_EQ(Position(), (std::vector<int32_t>{3, 5, 4}));
}

TEST_F(LekceNavigation, PreviousLineAfterTheEndGoesBackOneLine) {
    Fill({"ab", "c", "def"});
    store.FirstLine(text);
    store.NextLine(text);
    store.NextLine(text);
    store.NextLine(text);
    ASSERT_TRUE(store.PreviousLine(text));
    EXPECT_EQ(text, "c");
    EXPECT_EQ(Position(), (std::vector<int32_t>{2, 3, 2}));
}

TEST_F(LekceNavigation, PreviousLineOnLineOneStaysOnLineOne) {
    Fill({"ab", "c"});
    store.FirstLine(text);
    text = "untouched";
    EXPECT_FALSE(store.PreviousLine(text));
    EXPECT_EQ(text, "untouched");
    EXPECT_EQ(Position(), (std::vector<int32_t>{1, 0, 3}));
}

TEST_F(LekceNavigation, PreviousLineBeforeTheFirstLineStaysBeforeIt) {
    Fill({"ab"});
    EXPECT_FALSE(store.PreviousLine(text));
    EXPECT_EQ(Position(), (std::vector<int32_t>{0, 0, 0}));
}

TEST_F(LekceNavigation, CurrentLineRepeatsTheLineWithoutMoving) {
    Fill({"ab", "c"});
    store.FirstLine(text);
    store.NextLine(text);
    text.clear();
    ASSERT_TRUE(store.CurrentLine(text));
    EXPECT_EQ(text, "c");
    EXPECT_EQ(Position(), (std::vector<int32_t>{2, 3, 2}));
}

TEST_F(LekceNavigation, FirstLineFromTheMiddleStartsAgain) {
    Fill({"ab", "c", "def"});
    store.FirstLine(text);
    store.NextLine(text);
    store.NextLine(text);
    ASSERT_TRUE(store.FirstLine(text));
    EXPECT_EQ(text, "ab");
    EXPECT_EQ(Position(), (std::vector<int32_t>{1, 0, 3}));
}

TEST_F(LekceNavigation, ProgressIsZeroBeforeTheFirstLine) {
    Fill({"ab", "c", "def"});
    EXPECT_GT(store.TotalChars, 0);
    EXPECT_EQ(store.Progress(2), 0.0);
}

TEST_F(LekceNavigation, ProgressIsNotClampedAtTheEnd) {
    Fill({"ab"});
    store.FirstLine(text);
    EXPECT_DOUBLE_EQ(store.Progress(6), 2.0);
}

TEST_F(LekceNavigation, LineOfFullWidthHasSizeSeventy) {
    Fill({std::string(LEKCE::kLineWidth, 'x')});
    store.FirstLine(text);
    EXPECT_EQ(store.LineSize, 70);
}

TEST_F(LekceNavigation, ClearEmptiesTheTextButKeepsWhatWasLoadedLast) {
    Fill({"ab", "c"});
    store.FirstLine(text);
    store.IntroLine = "intro";
    store.LessonNumber = 7;
    store.Qwertz = true;
    store.UserFileName = "/home/pupil/text.txt";
    store.DisplayFileName = "/home/pupil/text.txt";
    store.SavedLineNumber = 4;
    store.CurrentLesson = -1;

    store.Clear();
    EXPECT_EQ(store.LineCount(), 0);
    EXPECT_EQ(store.CurrentLesson, 0);
    EXPECT_EQ(store.TotalChars, 0);
    EXPECT_EQ(Position(), (std::vector<int32_t>{0, 0, 0}));
    EXPECT_EQ(store.IntroLine, "intro");
    EXPECT_EQ(store.LessonNumber, 7);
    EXPECT_TRUE(store.Qwertz);
    EXPECT_EQ(store.UserFileName, "/home/pupil/text.txt");
    EXPECT_EQ(store.DisplayFileName, "/home/pupil/text.txt");
    EXPECT_EQ(store.SavedLineNumber, 4);
}

// Any sequence of moves keeps the counts equal to what they would be if computed afresh.
TEST_F(LekceNavigation, CountsStayExactOverAnyWalk) {
    std::mt19937 random(7);
    std::vector<std::string> lines;
    for (int i = 0; i < 40; ++i) {
        lines.emplace_back(1 + random() % LEKCE::kLineWidth, 'a');
    }
    Fill(lines);
    store.FirstLine(text);
    for (int step = 0; step < 2000; ++step) {
        switch (random() % 4) {
        case 0:
            store.NextLine(text);
            break;
        case 1:
            store.PreviousLine(text);
            break;
        case 2:
            store.CurrentLine(text);
            break;
        default:
            if (random() % 20 == 0) {
                store.FirstLine(text);
            }
        }
        ASSERT_GE(store.LineNumber, 1);
        ASSERT_LE(store.LineNumber, store.LineCount());
        int32_t before = 0;
        for (int i = 0; i < store.LineNumber - 1; ++i) {
            before += static_cast<int32_t>(lines[static_cast<std::size_t>(i)].size()) + 1;
        }
        const auto& current = lines[static_cast<std::size_t>(store.LineNumber - 1)];
        ASSERT_EQ(store.CharsBefore, before) << "step " << step;
        ASSERT_EQ(store.LineSize, static_cast<int32_t>(current.size()) + 1) << "step " << step;
        ASSERT_EQ(text, current);
    }
}

TEST(LekceFiles, LessonFileDependsOnTheNumberAndForTheMiddleLessonsOnTheLayout) {
    struct Case {
        int n;
        bool qwertz;
        const char* file;
    };
    for (const Case c : {Case{1, false, "KTOSCA.DAT"}, Case{11, false, "KTOSCA.DAT"},
                         Case{11, true, "KTOSCA.DAT"}, Case{12, false, "KTOSCBY.DAT"},
                         Case{12, true, "KTOSCBZ.DAT"}, Case{22, false, "KTOSCBY.DAT"},
                         Case{22, true, "KTOSCBZ.DAT"}, Case{23, false, "KTOSCC.DAT"},
                         Case{23, true, "KTOSCC.DAT"}, Case{44, true, "KTOSCC.DAT"}}) {
        EXPECT_EQ(LEKCE::LessonFileName(c.n, c.qwertz), c.file)
            << "lesson " << c.n << (c.qwertz ? " QWERTZ" : " QWERTY");
    }
}

} // namespace
