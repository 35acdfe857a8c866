#include "PauseCommands.h"

#include "TypingRig.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Lesson 1 loaded and started, in STOP mode as after the start of any text.
class PauseAndContinue : public ::testing::Test {
protected:
    void SetUp() override {
        rig.dir.AddLesson(1, "intro", {"abcdef", "ghijkl"});
        rig.store.LoadLesson(1, true);
        rig.meter.Clear();
        rig.engine.BeginText();
    }

    [[nodiscard]] std::string MenuCaption() const { return Cp1250::ToUtf8(rig.window.menuCaption); }
    [[nodiscard]] std::string MenuHint() const { return Cp1250::ToUtf8(rig.window.menuHint); }

    TypingRig rig;
};

TEST_F(PauseAndContinue, PauseEntersStopModeAndOffersContinue) {
    rig.pause.ActionContinue();
    rig.pause.ActionPause();
    EXPECT_TRUE(rig.engine.stopMode);
    EXPECT_FALSE(rig.window.pauseShown);
    EXPECT_EQ(rig.window.StatusUtf8(), "# STOP - stiskněte F9");
    EXPECT_EQ(MenuCaption(), "&Pokračovat v psaní");
    EXPECT_EQ(MenuHint(), "Pokračovat v psaní lekce či souboru");
}

TEST_F(PauseAndContinue, PauseLeavesTheSpeedMeterAlone) {
    rig.pause.ActionContinue();
    rig.clock.Advance(300);
    rig.Type("a");
    const SpeedMeter before = rig.meter;
    rig.clock.Advance(500);
    rig.pause.ActionPause();
    EXPECT_EQ(rig.meter.lastTick, before.lastTick);
    EXPECT_EQ(rig.meter.lessonMs, before.lessonMs);
    EXPECT_EQ(rig.meter.intervalCount, before.intervalCount);
}

TEST_F(PauseAndContinue, ContinueEntersTypingAndOffersPause) {
    rig.pause.ActionContinue();
    EXPECT_FALSE(rig.engine.stopMode);
    EXPECT_TRUE(rig.window.pauseShown);
    EXPECT_EQ(rig.window.StatusUtf8(), "* PSANÍ");
    EXPECT_EQ(MenuCaption(), "&Přerušit psaní");
    EXPECT_EQ(MenuHint(), "Pozastavit dočasně psaní");
}

// The sound system costs memory and start-up time: it is made ready when typing starts with
// error sounds on, never before, and never with them off.
TEST_F(PauseAndContinue, TheErrorSoundIsMadeReadyWhenTypingStartsWithSoundsOn) {
    EXPECT_EQ(rig.sound.warmUps, 0);
    rig.options.ErrorBeep = false;
    rig.pause.ActionContinue();
    EXPECT_EQ(rig.sound.warmUps, 0);
    rig.pause.ActionPause();
    rig.options.ErrorBeep = true;
    rig.pause.ActionContinue();
    EXPECT_EQ(rig.sound.warmUps, 1);
}

TEST_F(PauseAndContinue, TimeSpentStoppedIsNeitherTypingTimeNorAnInterval) {
    rig.pause.ActionContinue();
    rig.clock.Advance(200);
    rig.Type("a");
    rig.pause.ActionPause();
    for (int second = 0; second < 10; ++second) {
        rig.clock.Advance(1000);
        rig.pause.TimerSecTimer();
    }
    rig.pause.ActionContinue();
    rig.clock.Advance(300);
    rig.Type("b");

    EXPECT_EQ(rig.meter.lessonMs, 500);
    ASSERT_EQ(rig.meter.intervalCount, 2);
    EXPECT_EQ(rig.meter.intervals[0], 300);
    EXPECT_EQ(rig.meter.intervals[1], 200);
    EXPECT_EQ(rig.window.elapsed, "0:00");
}

TEST_F(PauseAndContinue, StartStopTwiceFromTypingStopsAndThenTypesAgain) {
    rig.pause.ActionContinue();
    rig.pause.ActionMenuPauseContinue();
    EXPECT_TRUE(rig.engine.stopMode);
    EXPECT_EQ(MenuCaption(), "&Pokračovat v psaní");
    rig.pause.ActionMenuPauseContinue();
    EXPECT_FALSE(rig.engine.stopMode);
    EXPECT_EQ(MenuCaption(), "&Přerušit psaní");
    EXPECT_EQ(rig.commands.executed.back(), "Continue");
}

TEST_F(PauseAndContinue, AutoStopPausesWhenAnotherApplicationTakesOver) {
    rig.options.AutoStop = true;
    rig.pause.ActionContinue();
    rig.pause.ApplicationDeactivated();
    EXPECT_TRUE(rig.engine.stopMode);
    EXPECT_EQ(rig.window.StatusUtf8(), "# STOP - stiskněte F9");
}

TEST_F(PauseAndContinue, WithoutAutoStopTypingGoesOnInTheBackground) {
    rig.options.AutoStop = false;
    rig.pause.ActionContinue();
    rig.pause.ApplicationDeactivated();
    EXPECT_FALSE(rig.engine.stopMode);
    EXPECT_EQ(rig.window.StatusUtf8(), "* PSANÍ");
}

TEST(ContinueWithoutText, AsksForALessonAndOpensTheLessonCommand) {
    TypingRig rig;
    rig.commands.onLekce = nullptr; // only see that the command is executed
    rig.window.pauseShown = true;
    rig.pause.ActionContinue();
    EXPECT_TRUE(rig.engine.stopMode);
    EXPECT_EQ(rig.window.StatusUtf8(), "# STOP - zvolte lekci!");
    EXPECT_EQ(Cp1250::ToUtf8(rig.window.menuCaption), "&Pokračovat v psaní");
    EXPECT_EQ(rig.commands.executed, std::vector<std::string>{"Lekce"});
    EXPECT_TRUE(rig.window.pauseShown);
}

TEST(ContinueWithoutText, LeavesThePauseAndContinueButtonsAsTheyWere) {
    TypingRig rig;
    rig.commands.onLekce = nullptr;
    rig.window.pauseShown = false;
    rig.pause.ActionContinue();
    EXPECT_FALSE(rig.window.pauseShown);
}

TEST(ContinueWithoutText, CancellingTheLessonDialogStaysInStopMode) {
    TypingRig rig;
    rig.pause.ActionContinue();
    EXPECT_EQ(rig.dialogs.lessonDialogsShown, 1);
    EXPECT_TRUE(rig.engine.stopMode);
    EXPECT_EQ(rig.window.StatusUtf8(), "# STOP - zvolte lekci!");
    EXPECT_EQ(rig.commands.executed, (std::vector<std::string>{"Lekce", "Pause"}));
}

TEST(ContinueWithoutText, ChoosingALessonLeavesItReadyInStopMode) {
    TypingRig rig;
    rig.dir.AddLesson(3, "intro", {"au"});
    rig.dialogs.lessonAnswer = FakeLessonDialogs::LessonChoice{3, true};
    rig.pause.ActionContinue();
    EXPECT_TRUE(rig.engine.stopMode);
    EXPECT_EQ(rig.window.StatusUtf8(), "# STOP - stiskněte F9");
    EXPECT_EQ(rig.PatternUtf8(), "au");
}

TEST(PauseWithoutText, AsksForALesson) {
    TypingRig rig;
    rig.pause.ActionPause();
    EXPECT_EQ(rig.window.StatusUtf8(), "# STOP - zvolte lekci!");
}

class TypingClock : public PauseAndContinue {};

TEST_F(TypingClock, RefreshesOnlyAfterMoreThanASecondWithoutAKeystroke) {
    rig.pause.ActionContinue();
    rig.Type("a");
    rig.window.elapsed = "unchanged";
    rig.clock.Advance(1000);
    rig.pause.TimerSecTimer();
    EXPECT_EQ(rig.window.elapsed, "unchanged");
    EXPECT_EQ(rig.meter.pendingMs, 0);
    rig.clock.Advance(1);
    rig.pause.TimerSecTimer();
    EXPECT_EQ(rig.meter.pendingMs, 1001);
    EXPECT_EQ(rig.window.elapsed, "0:01");
}

TEST_F(TypingClock, ElapsedTimeRunsOnWhileThePupilHesitates) {
    rig.pause.ActionContinue();
    rig.clock.Advance(2000);
    rig.Type("a");
    rig.clock.Advance(5000);
    rig.pause.TimerSecTimer();
    EXPECT_EQ(rig.window.elapsed, "0:07");
    EXPECT_EQ(rig.meter.lessonMs, 2000);
}

TEST_F(TypingClock, ShowsNothingInStopMode) {
    rig.window.elapsed = "unchanged";
    rig.clock.Advance(5000);
    rig.pause.TimerSecTimer();
    EXPECT_EQ(rig.window.elapsed, "unchanged");
    EXPECT_EQ(rig.meter.pendingMs, 5000);
}

TEST_F(TypingClock, CountsAcrossTheWrapOfTheTickCount) {
    rig.clock.Set(0xFFFFFF00u);
    rig.pause.ActionContinue();
    rig.Type("a");
    rig.window.elapsed = "unchanged";
    rig.clock.Set(0x00000200u); // 768 ms later
    rig.pause.TimerSecTimer();
    EXPECT_EQ(rig.window.elapsed, "unchanged");
    rig.clock.Set(0x00000400u); // 1280 ms later
    rig.pause.TimerSecTimer();
    EXPECT_NE(rig.window.elapsed, "unchanged");
}

TEST_F(TypingClock, BlinksTheStopMarkEverySecond) {
    std::vector<std::string> shown;
    for (int second = 0; second < 3; ++second) {
        rig.pause.TimerSecTimer();
        shown.push_back(rig.window.StatusUtf8());
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"  STOP - stiskněte F9", "# STOP - stiskněte F9",
                                               "  STOP - stiskněte F9"}));
}

TEST_F(TypingClock, BlinkTurnsAnyOtherFirstCharacterIntoTheMark) {
    rig.window.statusText = "x";
    rig.pause.TimerSecTimer();
    EXPECT_EQ(rig.window.statusText, "#");
}

TEST_F(TypingClock, LeavesAnEmptyStatusEmpty) {
    rig.window.statusText.clear();
    rig.pause.TimerSecTimer();
    EXPECT_EQ(rig.window.statusText, "");
}

TEST_F(TypingClock, DoesNotBlinkWhileTyping) {
    rig.pause.ActionContinue();
    rig.pause.TimerSecTimer();
    rig.pause.TimerSecTimer();
    rig.pause.TimerSecTimer();
    EXPECT_EQ(rig.window.StatusUtf8(), "* PSANÍ");
}

class Reset : public PauseAndContinue {};

TEST_F(Reset, StartsTheTextAgainFromTheFirstLineWithEverythingCleared) {
    rig.pause.ActionContinue();
    rig.clock.Advance(300);
    rig.Type("abcdef");
    rig.Enter();
    rig.Type("gx");

    rig.pause.ActionResetLekci();

    EXPECT_TRUE(rig.engine.stopMode);
    EXPECT_EQ(rig.window.StatusUtf8(), "# STOP - stiskněte F9");
    EXPECT_EQ(rig.store.LineNumber, 1);
    EXPECT_EQ(rig.window.lineNumber, 1);
    EXPECT_EQ(rig.PatternUtf8(), "abcdef");
    EXPECT_EQ(rig.Pos(), 0);
    EXPECT_EQ(rig.meter.lessonKeystrokes, 0);
    EXPECT_EQ(rig.meter.lessonErrors, 0);
    EXPECT_EQ(rig.meter.lessonMs, 0);
    EXPECT_EQ(rig.meter.intervalCount, 0);
    EXPECT_EQ(rig.window.lineErrors, 0);
    EXPECT_EQ(rig.window.lessonErrors, 0);
    EXPECT_EQ(rig.window.frequency, "0,0");
    EXPECT_EQ(rig.window.avgSpeed, "");
    EXPECT_EQ(rig.window.elapsed, "0:00");
    EXPECT_EQ(rig.window.timeLeft, "-?-");
}

TEST_F(Reset, WaitsForContinueBeforeTypingCounts) {
    rig.pause.ActionContinue();
    rig.pause.ActionResetLekci();
    rig.Type("a");
    EXPECT_EQ(rig.Pos(), 0);
    EXPECT_EQ(rig.meter.lessonKeystrokes, 0);
}

TEST(ResetWithoutText, OnlyPauses) {
    TypingRig rig;
    rig.meter.lessonErrors = 4;
    rig.pause.ActionResetLekci();
    EXPECT_TRUE(rig.engine.stopMode);
    EXPECT_EQ(rig.window.StatusUtf8(), "# STOP - zvolte lekci!");
    EXPECT_EQ(rig.meter.lessonErrors, 4);
}

TEST(SpeedPanel, HidingSetsTheOptionAndShowsTheButtonInstead) {
    TypingRig rig;
    rig.pause.ButtonNoSpeedClick();
    EXPECT_FALSE(rig.options.Speed);
    EXPECT_FALSE(rig.window.speedPanelVisible);
    EXPECT_TRUE(rig.window.showSpeedButtonVisible);
    EXPECT_EQ(rig.window.focusRequests, 1);
}

TEST(SpeedPanel, ShowingSetsTheOptionAndHidesTheButton) {
    TypingRig rig;
    rig.pause.ButtonNoSpeedClick();
    rig.pause.ButtonShowSpeedClick();
    EXPECT_TRUE(rig.options.Speed);
    EXPECT_TRUE(rig.window.speedPanelVisible);
    EXPECT_FALSE(rig.window.showSpeedButtonVisible);
    EXPECT_EQ(rig.window.focusRequests, 2);
}

} // namespace
