// Errors per key as the pupil types: attribution of each checked keystroke, the line-start
// state that survives a restart, and clearing together with the speed meter.

#include "ErrorCounter.h"
#include "IniFile.h"
#include "TypingRig.h"

#include <gtest/gtest.h>

namespace {

unsigned char Byte(std::string_view utf8) {
    return static_cast<unsigned char>(Cp1250::FromUtf8(utf8)[0]);
}

constexpr unsigned char kEnter = TypingLine::kEndOfLine;

class ErrorsPerKey : public ::testing::Test {
protected:
    void SetUp() override {
        rig.dir.AddLesson(1, "Úvod", {"řeka", "ok", "les"});
        rig.engine.AddObserver(counter);
        rig.StartLesson(1);
    }

    TypingRig rig;
    ErrorCounter counter;
};

TEST_F(ErrorsPerKey, EachKeystrokeCountsAgainstTheCharacterExpectedWhereItWasStruck) {
    rig.Type("rře"); // r struck where ř was due
    rig.Enter();     // a wrong Enter where k is due
    rig.Type("ka");
    rig.Type("x");   // a character at the end-of-line marker is owed to Enter
    rig.Backspace(); // neither right nor wrong: counts nothing, the position goes back to a
    rig.Type("a");
    rig.Enter(); // three errors: the line comes again and counts again
    rig.Type("řeka");
    rig.Enter();
    rig.Type("oi");

    KeyErrorCounts expected;
    expected.Add(Byte("ř"), 'r', false);
    expected.Add(Byte("ř"), Byte("ř"), true);
    expected.Add('e', 'e', true);
    expected.Add('k', kEnter, false);
    expected.Add('k', 'k', true);
    expected.Add('a', 'a', true);
    expected.Add(kEnter, 'x', false);
    expected.Add('a', 'a', true);
    expected.Add(kEnter, kEnter, true);
    for (const char c : Cp1250::FromUtf8("řeka")) {
        expected.Add(static_cast<unsigned char>(c), static_cast<unsigned char>(c), true);
    }
    expected.Add(kEnter, kEnter, true);
    expected.Add('o', 'o', true);
    expected.Add('k', 'i', false);
    EXPECT_EQ(counter.Counts(), expected);
    EXPECT_EQ(counter.Counts().TotalErrors(), rig.meter.lessonErrors);
}

TEST_F(ErrorsPerKey, PastTheMarkerTheKeysAreOwedToEnter) {
    rig.options.MoveOnError = true;
    rig.Type("řekaxy");
    EXPECT_EQ(counter.Counts().Attempts(kEnter), 2);
    EXPECT_EQ(counter.Counts().Struck(kEnter, 'x'), 1);
    EXPECT_EQ(counter.Counts().Struck(kEnter, 'y'), 1);
}

TEST_F(ErrorsPerKey, ARestartResumesWithTheCountsOfTheFinishedLinesAsTheMeterDoes) {
    rig.Type("řeka");
    rig.Enter();
    rig.Type("pk"); // an error in the line that is not finished
    TempLessonDir iniDir;
    const std::string iniPath = iniDir.Path() + "klaptos.ini";
    {
        IniFile ini(iniPath);
        rig.meter.SaveStatistics(ini);
        rig.store.SavePosition(ini);
        counter.SaveErrors(ini);
    }

    TypingRig after;
    after.dir.AddLesson(1, "Úvod", {"řeka", "ok", "les"});
    ErrorCounter restored;
    after.engine.AddObserver(restored);
    const IniFile ini(iniPath);
    after.meter.LoadStatistics(ini);
    restored.LoadErrors(ini);
    ASSERT_TRUE(after.store.RestorePosition(ini));
    after.engine.ResumeText();

    KeyErrorCounts finished;
    for (const char c : Cp1250::FromUtf8("řeka\n")) {
        finished.Add(static_cast<unsigned char>(c), static_cast<unsigned char>(c), true);
    }
    EXPECT_EQ(restored.Counts(), finished);
    EXPECT_EQ(after.PatternUtf8(), "ok");
    EXPECT_EQ(after.meter.lessonKeystrokes, 5);
}

TEST_F(ErrorsPerKey, CountsAreClearedExactlyWhenTheMeterIsCleared) {
    rig.Type("xř");
    rig.KeyDown(VirtualKey::Down); // another line: the text's counts stay
    EXPECT_EQ(counter.Counts().Attempts(Byte("ř")), 2);

    rig.pause.ActionResetLekci(); // "Začít znovu"
    EXPECT_TRUE(counter.Counts().Empty());

    rig.pause.ActionContinue();
    rig.Type("x");
    rig.StartLesson(1); // a new text
    EXPECT_TRUE(counter.Counts().Empty());
}

} // namespace
