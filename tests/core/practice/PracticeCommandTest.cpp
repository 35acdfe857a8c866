// "Procvičit chyby": the practice text starts like an own text and comes back after a restart,
// knows the lesson it practises and leads back to it; without a usable word list the pupil is
// told why and nothing changes.

#include "PracticeCommand.h"
#include "LessonKeys.h"
#include "TypingRig.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

class Practice : public ::testing::Test {
protected:
    void SetUp() override {
        rig.dir.AddLesson(5, "Úvod", {"ruka", "duha"});
        rig.StartLesson(5);
        rig.Type("ru");
    }

    PracticeCommand Command(const std::string& wordList) {
        return {rig.store,    rig.meter, rig.engine,
                rig.reporter, wordList,  rig.dir.Path() + "procviceni.txt"};
    }

    TypingRig rig;
    const std::vector<WeakKey> weak = {{'u', 10, 4, 400, 'i'}, {'r', 8, 2, 250, 't'}};
};

TEST_F(Practice, StartsAPracticeTextOfTaughtKeysAsAnOwnTextThatARestartBringsBack) {
    PracticeCommand command = Command(std::string(KLAPTOS_BIN_DIR) + "/slova.txt");
    ASSERT_TRUE(command.Start(weak, 3));

    EXPECT_TRUE(rig.reporter.reports.empty());
    EXPECT_EQ(rig.store.CurrentLesson, -1);
    EXPECT_EQ(rig.store.LineCount(), 13);
    EXPECT_EQ(rig.store.LineNumber, 1);
    EXPECT_EQ(rig.meter.lessonKeystrokes, 0);
    EXPECT_TRUE(rig.engine.stopMode);
    EXPECT_EQ(Cp1250::ToUtf8(*PracticeCommand::CaptionSuffix(rig.store, command.PracticePath())),
              " procvičení: u r");
    EXPECT_EQ(Cp1250::ToUtf8(rig.store.IntroLine),
              "Procvičení k lekci 5: u r – slova s Vašimi nejčastějšími chybami");
    EXPECT_EQ(PracticeCommand::PractisedLesson(rig.store, command.PracticePath()), 5);

    // An own file that is not the practice text keeps its usual caption.
    LEKCE other{rig.dir.Path(), rig.reporter};
    other.CurrentLesson = -1;
    other.IntroLine = rig.store.IntroLine;
    other.UserFileName = rig.dir.Path() + "jiny.txt";
    EXPECT_FALSE(PracticeCommand::CaptionSuffix(other, command.PracticePath()));
    EXPECT_EQ(PracticeCommand::PractisedLesson(other, command.PracticePath()), 0);
}

TEST_F(Practice, APracticeTextOfALessonIsPractisedAgainWithTheLessonsKeysAndLeadsBackToIt) {
    PracticeCommand command = Command(std::string(KLAPTOS_BIN_DIR) + "/slova.txt");
    ASSERT_TRUE(command.Start(weak, 3));
    rig.Type("x"); // the practice text has begun

    // Lesson 5 has taught no c: the same lesson's keys, not an own text's.
    ASSERT_TRUE(command.Start({{'C', 5, 2, 400, 'c'}, {'r', 8, 2, 250, 't'}}, 4));
    EXPECT_EQ(Cp1250::ToUtf8(rig.store.IntroLine),
              "Procvičení k lekci 5: r – slova s Vašimi nejčastějšími chybami");
    for (const std::string& line : rig.store.Lines) {
        EXPECT_EQ(line.find_first_not_of(LessonKeys::Taught(5, true)), std::string::npos) << line;
    }

    ASSERT_TRUE(command.BackToLesson());
    EXPECT_EQ(rig.store.CurrentLesson, 5);
    EXPECT_EQ(rig.PatternUtf8(), "ruka");
    EXPECT_EQ(rig.meter.lessonKeystrokes, 0);
    EXPECT_TRUE(rig.engine.stopMode);
    // A lesson is no practice text: nothing to go back to.
    EXPECT_FALSE(command.BackToLesson());
}

TEST_F(Practice, AMissingOrDamagedWordListIsReportedAndChangesNothing) {
    const std::string damaged = rig.dir.Path() + "slova.txt";
    std::ofstream(damaged) << "ruka\nKrAva 12\n";
    const std::string folder = rig.dir.Path() + "slozka/slova.txt";
    std::filesystem::create_directories(folder);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {rig.dir.Path() + "nic.txt",
         "Seznam slov pro procvičení (slova.txt) chybí. Text pro procvičení chyb nelze sestavit."},
        {damaged, "Seznam slov pro procvičení (slova.txt) je poškozený. Text pro procvičení chyb "
                  "nelze sestavit."},
        // Not the program's own exception box: a folder in the list's place is no list.
        {folder, "Seznam slov pro procvičení (slova.txt) je poškozený. Text pro procvičení chyb "
                 "nelze sestavit."},
    };
    for (const auto& [path, message] : cases) {
        rig.reporter.reports.clear();
        PracticeCommand command = Command(path);
        EXPECT_FALSE(command.Start(weak, 3));
        ASSERT_EQ(rig.reporter.reports.size(), 1u);
        EXPECT_TRUE(rig.reporter.reports[0].isError);
        EXPECT_EQ(rig.reporter.reports[0].Utf8(), message);
        EXPECT_EQ(rig.store.CurrentLesson, 5);
        EXPECT_EQ(rig.PatternUtf8(), "ruka");
        EXPECT_EQ(rig.Pos(), 2);
        EXPECT_EQ(rig.meter.lessonKeystrokes, 2);
    }
}

} // namespace
