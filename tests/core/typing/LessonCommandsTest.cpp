#include "LessonCommands.h"

#include "TypingRig.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct PreselectionCase {
    const char* name;
    int lessonNumber;
    bool qwertz;
    int shownLesson;
};

class LessonPreselection : public ::testing::TestWithParam<PreselectionCase> {};

TEST_P(LessonPreselection, StartsFromTheLastLessonLoaded) {
    const PreselectionCase& c = GetParam();
    TypingRig rig;
    rig.store.LessonNumber = c.lessonNumber;
    rig.store.Qwertz = c.qwertz;
    rig.pause.ActionPause();
    rig.lessons.ActionLekce();
    ASSERT_EQ(rig.dialogs.lessonDialogsShown, 1);
    EXPECT_EQ(rig.dialogs.shownLesson, c.shownLesson);
    EXPECT_EQ(rig.dialogs.shownQwertz, c.qwertz);
}

INSTANTIATE_TEST_SUITE_P(LessonCommands, LessonPreselection,
                         ::testing::Values(PreselectionCase{"NoLessonYet", 0, true, 1},
                                           PreselectionCase{"Negative", -1, false, 1},
                                           PreselectionCase{"AboveTheLast", 45, true, 1},
                                           PreselectionCase{"First", 1, false, 1},
                                           PreselectionCase{"Middle", 12, false, 12},
                                           PreselectionCase{"Last", 44, true, 44}),
                         [](const auto& info) { return info.param.name; });

// Lesson 1 of two lines, started and typing, with lessons 5 and 12 in the lesson files.
class ChooseLesson : public ::testing::Test {
protected:
    void SetUp() override {
        rig.dir.AddLesson(1, "intro 1", {"dfjk", "kjfd"});
        rig.dir.AddLesson(5, "intro 5", {"ruru"});
        rig.dir.AddLesson(12, "intro 12 qwerty", {"yyy"}, false);
        rig.dir.AddLesson(12, "intro 12 qwertz", {"zzz"}, true);
        rig.StartLesson(1);
        rig.clock.Advance(250);
        rig.Type("dx");
        rig.commands.executed.clear();
    }

    TypingRig rig;
};

TEST_F(ChooseLesson, ThePupilChoosesInStopMode) {
    bool stoppedWhileShown = false;
    rig.dialogs.whileShown = [&] { stoppedWhileShown = rig.engine.stopMode; };
    rig.lessons.ActionLekce();
    EXPECT_TRUE(stoppedWhileShown);
}

TEST_F(ChooseLesson, ChosenLessonIsReadyOnItsFirstLineWithClearedStatistics) {
    rig.dialogs.lessonAnswer = FakeLessonDialogs::LessonChoice{5, true};
    rig.lessons.ActionLekce();
    EXPECT_EQ(rig.store.CurrentLesson, 5);
    EXPECT_EQ(rig.PatternUtf8(), "ruru");
    EXPECT_EQ(rig.store.LineNumber, 1);
    EXPECT_EQ(rig.window.CaptionUtf8(), "Klaptos lekce 5 (QWERTZ)");
    EXPECT_EQ(Cp1250::ToUtf8(rig.window.introLine), "intro 5");
    EXPECT_EQ(rig.meter.lessonKeystrokes, 0);
    EXPECT_EQ(rig.meter.lessonErrors, 0);
    EXPECT_EQ(rig.meter.intervalCount, 0);
    EXPECT_TRUE(rig.engine.stopMode);
    EXPECT_EQ(rig.window.StatusUtf8(), "# STOP - stiskněte F9");
}

TEST_F(ChooseLesson, ChosenLayoutIsRecordedForALessonThatHasOnlyOneFile) {
    rig.dialogs.lessonAnswer = FakeLessonDialogs::LessonChoice{5, false};
    rig.lessons.ActionLekce();
    EXPECT_FALSE(rig.store.Qwertz);
    EXPECT_EQ(rig.PatternUtf8(), "ruru");
}

TEST_F(ChooseLesson, ChosenLayoutPicksTheLessonFileOfLesson12) {
    rig.dialogs.lessonAnswer = FakeLessonDialogs::LessonChoice{12, false};
    rig.lessons.ActionLekce();
    EXPECT_EQ(rig.PatternUtf8(), "yyy");
    rig.dialogs.lessonAnswer = FakeLessonDialogs::LessonChoice{12, true};
    rig.lessons.ActionLekce();
    EXPECT_EQ(rig.PatternUtf8(), "zzz");
}

TEST_F(ChooseLesson, CancellingWhileTypingResumesTyping) {
    rig.lessons.ActionLekce();
    EXPECT_FALSE(rig.engine.stopMode);
    EXPECT_EQ(rig.window.StatusUtf8(), "* PSANÍ");
    EXPECT_EQ(rig.commands.executed, (std::vector<std::string>{"Pause", "Continue"}));
    EXPECT_EQ(rig.meter.lessonKeystrokes, 2);
    EXPECT_EQ(rig.Pos(), 1);
}

TEST_F(ChooseLesson, CancellingInStopModeStaysInStopMode) {
    rig.pause.ActionPause();
    rig.commands.executed.clear();
    rig.lessons.ActionLekce();
    EXPECT_TRUE(rig.engine.stopMode);
    EXPECT_EQ(rig.commands.executed, std::vector<std::string>{"Pause"});
}

TEST_F(ChooseLesson, AfterAUserFileTheLastBuiltInLessonIsPreselected) {
    rig.dialogs.lessonAnswer = FakeLessonDialogs::LessonChoice{5, false};
    rig.lessons.ActionLekce();
    const std::string path = rig.dir.WriteTextFile("own.txt", "intro", {"own text"});
    rig.dialogs.fileAnswer = path;
    rig.lessons.ActionOpenFile();
    ASSERT_EQ(rig.store.CurrentLesson, -1);
    rig.dialogs.lessonAnswer.reset();
    rig.lessons.ActionLekce();
    EXPECT_EQ(rig.dialogs.shownLesson, 5);
    EXPECT_FALSE(rig.dialogs.shownQwertz);
}

TEST_F(ChooseLesson, AMissingLessonKeepsTheOldTextFromTheLineAfterTheCurrentOne) {
    rig.dialogs.lessonAnswer = FakeLessonDialogs::LessonChoice{30, true};
    rig.lessons.ActionLekce();
    ASSERT_EQ(rig.reporter.reports.size(), 1u);
    EXPECT_TRUE(rig.reporter.reports[0].isError);
    EXPECT_EQ(rig.store.CurrentLesson, 1);
    EXPECT_EQ(rig.PatternUtf8(), "kjfd");
    EXPECT_EQ(rig.meter.lessonKeystrokes, 0);
    EXPECT_TRUE(rig.engine.stopMode);
}

class OpenFile : public ::testing::Test {
protected:
    TypingRig rig;
};

TEST_F(OpenFile, FirstUseOpensOnTheUserFileOfTheLastRun) {
    rig.store.UserFileName = "/home/pupil/last.txt";
    rig.lessons.ActionOpenFile();
    EXPECT_EQ(rig.dialogs.shownFileName, "/home/pupil/last.txt");
    EXPECT_EQ(rig.dialogs.shownInitialDir, "");
}

TEST_F(OpenFile, FirstUseWithoutAUserFileOpensInTheProgramsDirectory) {
    rig.lessons.ActionOpenFile();
    EXPECT_EQ(rig.dialogs.shownFileName, "");
    EXPECT_EQ(rig.dialogs.shownInitialDir, rig.dir.Path());
}

TEST_F(OpenFile, LaterUsesOpenOnTheFileChosenLast) {
    rig.store.UserFileName = "/home/pupil/last.txt";
    rig.dialogs.fileAnswer = rig.dir.Path() + "missing.txt";
    rig.lessons.ActionOpenFile();
    rig.dialogs.fileAnswer.reset();
    rig.lessons.ActionOpenFile();
    EXPECT_EQ(rig.dialogs.shownFileName, rig.dir.Path() + "missing.txt");
    EXPECT_EQ(rig.dialogs.shownInitialDir, "");
}

TEST_F(OpenFile, ACancelledFirstUseStillRemembersTheUserFile) {
    rig.store.UserFileName = "/home/pupil/last.txt";
    rig.lessons.ActionOpenFile();
    rig.store.UserFileName.clear();
    rig.lessons.ActionOpenFile();
    EXPECT_EQ(rig.dialogs.shownFileName, "/home/pupil/last.txt");
}

TEST_F(OpenFile, ChosenFileIsReadyOnItsFirstLineWithClearedStatistics) {
    rig.dir.AddLesson(1, "intro", {"dfjk"});
    rig.StartLesson(1);
    rig.Type("dx");
    const std::string path = rig.dir.WriteTextFile("čtení.txt", "Můj text", {"první", "druhá"});
    rig.dialogs.fileAnswer = path;

    rig.lessons.ActionOpenFile();

    EXPECT_EQ(rig.store.CurrentLesson, -1);
    EXPECT_EQ(rig.PatternUtf8(), "první");
    EXPECT_EQ(Cp1250::ToUtf8(rig.window.introLine), "Můj text");
    EXPECT_EQ(rig.window.CaptionUtf8(), "Klaptos soubor: " + path);
    EXPECT_EQ(rig.meter.lessonKeystrokes, 0);
    EXPECT_EQ(rig.meter.lessonErrors, 0);
    EXPECT_TRUE(rig.engine.stopMode);
    EXPECT_EQ(rig.window.StatusUtf8(), "# STOP - stiskněte F9");
}

TEST_F(OpenFile, AFileThatCannotBeOpenedIsReportedAndTheOldTextGoesOnFromTheNextLine) {
    rig.dir.AddLesson(1, "intro", {"dfjk", "kjfd"});
    rig.StartLesson(1);
    rig.Type("dx");
    const std::string path = rig.dir.Path() + "missing.txt";
    rig.dialogs.fileAnswer = path;

    rig.lessons.ActionOpenFile();

    ASSERT_EQ(rig.reporter.reports.size(), 1u);
    EXPECT_TRUE(rig.reporter.reports[0].isError);
    EXPECT_EQ(rig.reporter.reports[0].Utf8(),
              "Nemohu otevřít soubor: " + path +
                  " Windows zablokovaly přístup k němu. Zkuste restartovat program, eventuálně "
                  "Windows.");
    EXPECT_EQ(rig.store.CurrentLesson, 1);
    EXPECT_EQ(rig.PatternUtf8(), "kjfd");
    EXPECT_EQ(rig.meter.lessonKeystrokes, 0);
    EXPECT_TRUE(rig.engine.stopMode);
}

TEST_F(OpenFile, AFileWithoutTextLinesLeavesStopModeAskingForALesson) {
    rig.dir.AddLesson(1, "intro", {"dfjk"});
    rig.StartLesson(1);
    rig.dialogs.fileAnswer = rig.dir.WriteTextFile("empty.txt", "only the intro", {});
    rig.lessons.ActionOpenFile();
    EXPECT_EQ(rig.store.LineCount(), 0);
    EXPECT_TRUE(rig.engine.stopMode);
    EXPECT_EQ(rig.window.StatusUtf8(), "# STOP - zvolte lekci!");
    EXPECT_EQ(rig.window.CaptionUtf8(), "Klaptos");
}

TEST_F(OpenFile, CancellingWhileTypingResumesTyping) {
    rig.dir.AddLesson(1, "intro", {"dfjk"});
    rig.StartLesson(1);
    rig.commands.executed.clear();
    rig.lessons.ActionOpenFile();
    EXPECT_FALSE(rig.engine.stopMode);
    EXPECT_EQ(rig.commands.executed, (std::vector<std::string>{"Pause", "Continue"}));
}

TEST_F(OpenFile, CancellingInStopModeStaysInStopMode) {
    rig.dir.AddLesson(1, "intro", {"dfjk"});
    rig.StartLesson(1);
    rig.pause.ActionPause();
    rig.commands.executed.clear();
    rig.lessons.ActionOpenFile();
    EXPECT_TRUE(rig.engine.stopMode);
    EXPECT_EQ(rig.commands.executed, std::vector<std::string>{"Pause"});
}

} // namespace
