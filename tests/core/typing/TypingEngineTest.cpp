#include "TypingEngine.h"

#include "TypingObserver.h"
#include "TypingRig.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Call = RecordingDrawer::Call;

const std::string kLine69 = "abcdefghij"
                            "abcdefghij"
                            "abcdefghij"
                            "abcdefghij"
                            "abcdefghij"
                            "abcdefghij"
                            "abcdefghi";

// Lesson 1 of three short lines, started and typing.
class Keystrokes : public ::testing::Test {
protected:
    void SetUp() override {
        rig.dir.AddLesson(1, "Úvod k lekci", {"abc", "dě f", "ghi"});
        rig.StartLesson(1);
        rig.drawer.calls.clear();
    }

    TypingRig rig;
};

TEST_F(Keystrokes, RightCharacterMovesOnAndCountsAsCorrect) {
    EXPECT_EQ(rig.Type("a"), 1);
    EXPECT_EQ(rig.Pos(), 1);
    EXPECT_EQ(rig.meter.lineCorrect, 1);
    EXPECT_EQ(rig.meter.lessonCorrect, 1);
    EXPECT_EQ(rig.meter.lineKeystrokes, 1);
    EXPECT_EQ(rig.meter.lineErrors, 0);
    EXPECT_TRUE(rig.sound.played.empty());
}

TEST_F(Keystrokes, RightCharacterRedrawsItsCellTheCarriageAndTwoPatternCells) {
    rig.Type("a");
    const std::vector<Call> expected = {RecordingDrawer::Typed(0), RecordingDrawer::Carriage(),
                                        RecordingDrawer::Pattern(0), RecordingDrawer::Pattern(1)};
    EXPECT_EQ(rig.drawer.calls, expected);
}

TEST_F(Keystrokes, WrongCharacterStaysCountsAnErrorAndBeeps) {
    EXPECT_EQ(rig.Type("x"), 1);
    EXPECT_EQ(rig.Pos(), 0);
    EXPECT_EQ(rig.line.typedLine[0], 'x');
    EXPECT_EQ(rig.meter.lineErrors, 1);
    EXPECT_EQ(rig.meter.lessonErrors, 1);
    EXPECT_EQ(rig.meter.lineCorrect, 0);
    EXPECT_EQ(rig.sound.played, std::vector<SystemSound>{SystemSound::SimpleBeep});
}

TEST_F(Keystrokes, WrongCharacterRedrawsOnlyItsOwnCell) {
    rig.Type("x");
    EXPECT_EQ(rig.drawer.calls, std::vector<Call>{RecordingDrawer::Typed(0)});
}

TEST_F(Keystrokes, ErrorCountsAreShownAfterEveryCharacter) {
    rig.Type("ax");
    EXPECT_EQ(rig.window.lineErrors, 1);
    EXPECT_EQ(rig.window.lessonErrors, 1);
    EXPECT_EQ(rig.window.frequency, "50,0");
}

TEST_F(Keystrokes, KeystrokeIsTimedBeforeAnythingIsDrawn) {
    std::vector<int> keystrokesWhileDrawing;
    rig.drawer.onCall = [&](const Call&) {
        keystrokesWhileDrawing.push_back(rig.meter.lineKeystrokes);
    };
    rig.Type("a");
    ASSERT_FALSE(keystrokesWhileDrawing.empty());
    EXPECT_EQ(keystrokesWhileDrawing.front(), 1);
}

TEST_F(Keystrokes, ErrorSoundIsTheChosenOne) {
    rig.options.Sound = 3;
    rig.Type("x");
    EXPECT_EQ(rig.sound.played, std::vector<SystemSound>{SystemSound::CriticalStop});
}

TEST_F(Keystrokes, ErrorIsSilentWithErrorBeepOff) {
    rig.options.ErrorBeep = false;
    rig.Type("x");
    EXPECT_EQ(rig.meter.lineErrors, 1);
    EXPECT_TRUE(rig.sound.played.empty());
}

TEST_F(Keystrokes, EveryKeyAsksForTheFocusEvenWhenItIsIgnored) {
    rig.pause.ActionPause();
    const int before = rig.window.focusRequests;
    rig.Press('\t');
    rig.Type("a");
    rig.Enter();
    rig.KeyDown(VirtualKey::Left);
    EXPECT_EQ(rig.window.focusRequests - before, 4);
}

struct ComparisonCase {
    const char* name;
    std::string pattern; // code page 1250
    unsigned char typed;
    bool right;
};

class Comparison : public ::testing::TestWithParam<ComparisonCase> {};

TEST_P(Comparison, ComparesByteForByte) {
    TypingRig rig;
    rig.dir.AddLesson(1, "intro", {"x"});
    rig.StartLesson(1);
    const std::string pattern = GetParam().pattern;
    rig.engine.ShowLine(&pattern);
    rig.Press(GetParam().typed);
    EXPECT_EQ(rig.meter.lineCorrect, GetParam().right ? 1 : 0);
    EXPECT_EQ(rig.meter.lineErrors, GetParam().right ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    TypingEngine, Comparison,
    ::testing::Values(ComparisonCase{"SameLetter", "a", 'a', true},
                      ComparisonCase{"OtherCase", "a", 'A', false},
                      ComparisonCase{"CzechLetter", Cp1250::FromUtf8("ř"),
                                     static_cast<unsigned char>(Cp1250::FromUtf8("ř")[0]), true},
                      ComparisonCase{"LetterWithoutItsAccent", Cp1250::FromUtf8("á"), 'a', false},
                      ComparisonCase{"UnmappableCharacter", "a", Cp1250::kUnmappable, false},
                      ComparisonCase{"UnmappableCharacterOverTheSameByteInADamagedText",
                                     std::string(1, static_cast<char>(Cp1250::kUnmappable)),
                                     Cp1250::kUnmappable, false}),
    [](const auto& info) { return info.param.name; });

struct ControlCase {
    const char* name;
    unsigned char key;
};

class ControlCharacters : public ::testing::TestWithParam<ControlCase> {};

TEST_P(ControlCharacters, AreLeftUnconsumedAndChangeNothing) {
    TypingRig rig;
    rig.dir.AddLesson(1, "intro", {"abc"});
    rig.StartLesson(1);
    rig.Type("a");
    rig.drawer.calls.clear();
    EXPECT_FALSE(rig.Press(GetParam().key));
    EXPECT_EQ(rig.Pos(), 1);
    EXPECT_EQ(rig.meter.lineKeystrokes, 1);
    EXPECT_TRUE(rig.drawer.calls.empty());
}

INSTANTIATE_TEST_SUITE_P(TypingEngine, ControlCharacters,
                         ::testing::Values(ControlCase{"Tab", 9}, ControlCase{"CarriageReturn", 13},
                                           ControlCase{"Escape", 27}),
                         [](const auto& info) { return info.param.name; });

TEST_F(Keystrokes, StopModeSwallowsCharactersBackspaceAndEnterWithoutEffect) {
    rig.Type("a");
    rig.pause.ActionPause();
    rig.drawer.calls.clear();
    const int keystrokes = rig.meter.lessonKeystrokes;

    EXPECT_EQ(rig.Type("bx"), 2);
    EXPECT_TRUE(rig.Backspace());
    EXPECT_TRUE(rig.Enter());

    EXPECT_EQ(rig.Pos(), 1);
    EXPECT_EQ(rig.line.typedLine[1], ' ');
    EXPECT_EQ(rig.meter.lessonKeystrokes, keystrokes);
    EXPECT_EQ(rig.meter.lessonErrors, 0);
    EXPECT_TRUE(rig.drawer.calls.empty());
    EXPECT_TRUE(rig.sound.played.empty());
}

TEST_F(Keystrokes, BackspaceAtTheStartKeepsPositionZeroBlanksCellZeroAndCountsAKeystroke) {
    rig.Type("x"); // wrong, stays at 0
    rig.drawer.calls.clear();
    EXPECT_TRUE(rig.Backspace());
    EXPECT_EQ(rig.Pos(), 0);
    EXPECT_EQ(rig.line.typedLine[0], ' ');
    EXPECT_EQ(rig.meter.lineKeystrokes, 2);
    const std::vector<Call> expected = {RecordingDrawer::Erased(0), RecordingDrawer::Carriage(),
                                        RecordingDrawer::Pattern(1), RecordingDrawer::Pattern(0)};
    EXPECT_EQ(rig.drawer.calls, expected);
}

TEST_F(Keystrokes, BackspaceIsNeitherRightNorWrongAndTakesNoErrorBack) {
    rig.options.MoveOnError = true;
    rig.Type("ax");
    rig.Backspace();
    EXPECT_EQ(rig.Pos(), 1);
    EXPECT_EQ(rig.meter.lineCorrect, 1);
    EXPECT_EQ(rig.meter.lineErrors, 1);
    EXPECT_EQ(rig.meter.lineKeystrokes, 3);
}

TEST_F(Keystrokes, EnterInTheMiddleOfALineCountsAnErrorWithoutRedrawing) {
    rig.Type("a");
    rig.drawer.calls.clear();
    const int shownErrors = rig.window.lineErrors;
    const int invalidations = rig.window.invalidations;

    EXPECT_TRUE(rig.Enter());

    EXPECT_EQ(rig.meter.lineErrors, 1);
    EXPECT_EQ(rig.meter.lessonErrors, 1);
    EXPECT_EQ(rig.meter.lineKeystrokes, 2);
    EXPECT_EQ(rig.sound.played.size(), 1u);
    EXPECT_EQ(rig.Pos(), 1);
    EXPECT_EQ(rig.store.LineNumber, 1);
    EXPECT_TRUE(rig.drawer.calls.empty());
    EXPECT_EQ(rig.window.invalidations, invalidations);
    EXPECT_EQ(rig.window.lineErrors, shownErrors);
}

TEST_F(Keystrokes, ErrorOfAnEnterInTheMiddleIsShownWithTheNextKeystroke) {
    rig.Enter();
    rig.Type("a");
    EXPECT_EQ(rig.window.lineErrors, 1);
}

TEST_F(Keystrokes, EnterAtTheMarkerFinishesTheLineAsARightKeystroke) {
    rig.Type("abc");
    EXPECT_TRUE(rig.Enter());
    EXPECT_EQ(rig.store.LineNumber, 2);
    EXPECT_EQ(rig.PatternUtf8(), "dě f");
    EXPECT_EQ(rig.Pos(), 0);
    EXPECT_EQ(rig.meter.lessonCorrect, 4);
    EXPECT_EQ(rig.meter.lessonKeystrokes, 4);
    EXPECT_EQ(rig.meter.lineCorrect, 0);
    EXPECT_EQ(rig.meter.lineKeystrokes, 0);
}

TEST_F(Keystrokes, NextLineIsShownWithItsNumberAndAFullRepaint) {
    rig.Type("abc");
    const int invalidations = rig.window.invalidations;
    rig.Enter();
    EXPECT_EQ(rig.window.lineNumber, 2);
    EXPECT_EQ(rig.window.lineCount, 3);
    EXPECT_EQ(rig.window.invalidations, invalidations + 1);
    EXPECT_EQ(rig.line.typedLine[0], ' ');
}

TEST_F(Keystrokes, AnEmptyLineTakesOnlyEnter) {
    rig.engine.ShowLine(nullptr);
    EXPECT_EQ(rig.line.patternLen, 0);
    rig.Type("a");
    EXPECT_EQ(rig.meter.lineErrors, 1);
    EXPECT_EQ(rig.Pos(), 0);
    rig.Enter();
    EXPECT_EQ(rig.meter.lessonCorrect, 1);
    EXPECT_EQ(rig.store.LineNumber, 2);
}

// A line of 69 characters fills the typing line; the marker sits at 69.
class FullLine : public ::testing::Test {
protected:
    void SetUp() override {
        rig.dir.AddLesson(1, "intro", {kLine69, "next"});
        rig.StartLesson(1);
    }

    TypingRig rig;
};

TEST_F(FullLine, RightCharacterAt68MovesToTheMarker) {
    rig.Type(kLine69.substr(0, 68));
    EXPECT_EQ(rig.Pos(), 68);
    rig.Type("i");
    EXPECT_EQ(rig.Pos(), 69);
    EXPECT_EQ(rig.meter.lineErrors, 0);
}

TEST_F(FullLine, AnyCharacterAtTheMarkerIsWrong) {
    rig.Type(kLine69);
    rig.Type("a");
    EXPECT_EQ(rig.Pos(), 69);
    EXPECT_EQ(rig.meter.lineErrors, 1);
}

TEST_F(FullLine, EnterAtTheMarkerFinishesTheLine) {
    rig.Type(kLine69);
    rig.Enter();
    EXPECT_EQ(rig.PatternUtf8(), "next");
}

TEST_F(FullLine, BackspaceAt69BlanksCells69And68AndMovesTo68) {
    rig.options.MoveOnError = true;
    rig.Type(kLine69);
    rig.Type("x"); // at the marker: wrong, stays at 69 and overwrites it
    rig.drawer.calls.clear();
    rig.Backspace();
    EXPECT_EQ(rig.Pos(), 68);
    EXPECT_EQ(rig.line.typedLine[68], ' ');
    const std::vector<Call> expected = {RecordingDrawer::Erased(69), RecordingDrawer::Erased(68),
                                        RecordingDrawer::Carriage(), RecordingDrawer::Pattern(69),
                                        RecordingDrawer::Pattern(68)};
    EXPECT_EQ(rig.drawer.calls, expected);
}

// With MoveOnError a wrong character moves on, past the marker up to position 69.
class MoveOnError : public ::testing::Test {
protected:
    void SetUp() override {
        rig.dir.AddLesson(1, "intro", {"ab", "cd"});
        rig.options.MoveOnError = true;
        rig.StartLesson(1);
    }

    TypingRig rig;
};

TEST_F(MoveOnError, WrongCharacterMovesOnAndRedrawsTheCarriage) {
    rig.drawer.calls.clear();
    rig.Type("x");
    EXPECT_EQ(rig.Pos(), 1);
    EXPECT_EQ(rig.meter.lineErrors, 1);
    const std::vector<Call> expected = {RecordingDrawer::Typed(0), RecordingDrawer::Carriage(),
                                        RecordingDrawer::Pattern(0), RecordingDrawer::Pattern(1)};
    EXPECT_EQ(rig.drawer.calls, expected);
}

TEST_F(MoveOnError, CharactersPastTheMarkerAreWrongAndStopAt69) {
    rig.Type("ab");
    rig.Type(std::string(80, 'z'));
    EXPECT_EQ(rig.Pos(), 69);
    EXPECT_EQ(rig.meter.lineErrors, 80);
    EXPECT_EQ(rig.line.typedLine[69], 'z');
    rig.Type("q");
    EXPECT_EQ(rig.Pos(), 69);
    EXPECT_EQ(rig.line.typedLine[69], 'q');
    EXPECT_EQ(rig.line.typedLine[70], ' ');
}

TEST_F(MoveOnError, EnterPastTheMarkerFinishesTheLine) {
    rig.options.ErrIsRep = false;
    rig.Type("abzz");
    rig.Enter();
    EXPECT_EQ(rig.store.LineNumber, 2);
    EXPECT_EQ(rig.meter.lessonCorrect, 3);
}

struct RepeatCase {
    const char* name;
    bool errIsRep;
    int errRep;
    int wrongCharacters;
    int wrongEnters;
    bool repeated;
};

class LineRepeat : public ::testing::TestWithParam<RepeatCase> {};

TEST_P(LineRepeat, DecidesBetweenTheSameAndTheNextLine) {
    const RepeatCase& c = GetParam();
    TypingRig rig;
    rig.dir.AddLesson(1, "intro", {"ab", "cd"});
    rig.options.ErrIsRep = c.errIsRep;
    rig.options.ErrRep = c.errRep;
    rig.StartLesson(1);
    for (int i = 0; i < c.wrongEnters; ++i) {
        rig.Enter();
    }
    rig.Type(std::string(c.wrongCharacters, 'x') + "ab");
    rig.Enter();
    EXPECT_EQ(rig.store.LineNumber, c.repeated ? 1 : 2);
    EXPECT_EQ(rig.PatternUtf8(), c.repeated ? "ab" : "cd");
    EXPECT_EQ(rig.meter.lineErrors, 0);
    EXPECT_EQ(rig.meter.lessonErrors, c.wrongCharacters + c.wrongEnters);
}

INSTANTIATE_TEST_SUITE_P(
    TypingEngine, LineRepeat,
    ::testing::Values(RepeatCase{"ErrorsUpToTheLimitGoOn", true, 1, 1, 0, false},
                      RepeatCase{"ErrorsAboveTheLimitRepeat", true, 1, 2, 0, true},
                      RepeatCase{"LimitZeroRepeatsOnOneError", true, 0, 1, 0, true},
                      RepeatCase{"LimitZeroRepeatsOnOneWrongEnter", true, 0, 0, 1, true},
                      RepeatCase{"LimitZeroWithoutErrorsGoesOn", true, 0, 0, 0, false},
                      RepeatCase{"WrongEntersCountTowardsTheLimit", true, 1, 1, 1, true},
                      RepeatCase{"RuleOffNeverRepeats", false, 0, 5, 2, false}),
    [](const auto& info) { return info.param.name; });

class Arrows : public ::testing::Test {
protected:
    void SetUp() override {
        rig.dir.AddLesson(1, "intro", {"ab", "cd", "ef"});
        rig.StartLesson(1);
    }

    TypingRig rig;
};

TEST_F(Arrows, DownShowsTheNextLineAndConsumesTheKey) {
    EXPECT_TRUE(rig.KeyDown(VirtualKey::Down));
    EXPECT_EQ(rig.store.LineNumber, 2);
    EXPECT_EQ(rig.PatternUtf8(), "cd");
    EXPECT_EQ(rig.window.lineNumber, 2);
}

TEST_F(Arrows, UpShowsThePreviousLineAndConsumesTheKey) {
    rig.KeyDown(VirtualKey::Down);
    EXPECT_TRUE(rig.KeyDown(VirtualKey::Up));
    EXPECT_EQ(rig.store.LineNumber, 1);
    EXPECT_EQ(rig.PatternUtf8(), "ab");
}

TEST_F(Arrows, ZeroTheLineCountersButKeepWhatWasTyped) {
    rig.Type("ax");
    rig.KeyDown(VirtualKey::Down);
    EXPECT_EQ(rig.meter.lineErrors, 0);
    EXPECT_EQ(rig.meter.lineCorrect, 0);
    EXPECT_EQ(rig.meter.lineKeystrokes, 0);
    EXPECT_EQ(rig.meter.lessonErrors, 1);
    EXPECT_EQ(rig.meter.lessonCorrect, 1);
    EXPECT_EQ(rig.meter.lessonKeystrokes, 2);
    EXPECT_EQ(rig.window.lineErrors, 0);
    EXPECT_EQ(rig.window.lessonErrors, 1);
}

TEST_F(Arrows, UpZeroesTheLineCountersToo) {
    rig.KeyDown(VirtualKey::Down);
    rig.Type("cx");
    rig.KeyDown(VirtualKey::Up);
    EXPECT_EQ(rig.meter.lineErrors, 0);
    EXPECT_EQ(rig.meter.lineCorrect, 0);
    EXPECT_EQ(rig.meter.lessonErrors, 1);
    EXPECT_EQ(rig.window.lineErrors, 0);
}

TEST_F(Arrows, WorkInStopModeAndResetTheLineCounters) {
    rig.Type("x");
    rig.pause.ActionPause();
    EXPECT_TRUE(rig.KeyDown(VirtualKey::Down));
    EXPECT_EQ(rig.store.LineNumber, 2);
    EXPECT_EQ(rig.meter.lineErrors, 0);
    EXPECT_TRUE(rig.engine.stopMode);
}

TEST_F(Arrows, UpOnTheFirstLineIsLeftUnconsumed) {
    rig.Type("a");
    EXPECT_FALSE(rig.KeyDown(VirtualKey::Up));
    EXPECT_EQ(rig.store.LineNumber, 1);
    EXPECT_EQ(rig.Pos(), 1);
    EXPECT_EQ(rig.meter.lineCorrect, 1);
}

TEST_F(Arrows, DownOnTheLastLineIsLeftUnconsumed) {
    rig.KeyDown(VirtualKey::Down);
    rig.KeyDown(VirtualKey::Down);
    rig.Type("e");
    EXPECT_FALSE(rig.KeyDown(VirtualKey::Down));
    EXPECT_EQ(rig.store.LineNumber, 3);
    EXPECT_EQ(rig.Pos(), 1);
}

TEST(BeginText, StartsInStopModeOnTheFirstLineWithABlankSpeedDisplay) {
    TypingRig rig;
    rig.dir.AddLesson(1, "Úvod", {"ab", "cd"});
    rig.store.LoadLesson(1, true);
    rig.window.elapsed = "3:12";
    rig.window.avgSpeed = "120";

    rig.engine.BeginText();

    EXPECT_TRUE(rig.engine.stopMode);
    EXPECT_EQ(rig.window.StatusUtf8(), "# STOP - stiskněte F9");
    EXPECT_EQ(Cp1250::ToUtf8(rig.window.introLine), "Úvod");
    EXPECT_EQ(rig.PatternUtf8(), "ab");
    EXPECT_EQ(rig.window.lineNumber, 1);
    EXPECT_EQ(rig.window.elapsed, "0:00");
    EXPECT_EQ(rig.window.timeLeft, "-?-");
    EXPECT_EQ(rig.window.avgSpeed, "");
    EXPECT_EQ(rig.window.lineErrors, 0);
}

TEST(BeginText, WithAnEmptyStoreAsksForALessonAndClearsTheLine) {
    TypingRig rig;
    rig.dir.AddLesson(1, "intro", {"old", "lines"});
    rig.StartLesson(1);
    rig.store.Clear(); // as a failed load leaves it
    rig.engine.BeginText();
    EXPECT_TRUE(rig.engine.stopMode);
    EXPECT_EQ(rig.window.StatusUtf8(), "# STOP - zvolte lekci!");
    EXPECT_EQ(rig.PatternUtf8(), "");
    EXPECT_EQ(rig.window.lineNumber, 0);
    EXPECT_EQ(rig.window.lineCount, 0);
    EXPECT_EQ(rig.window.CaptionUtf8(), "Klaptos");
}

TEST(BeginText, TimeLeftAppearsAtTheHundredthKeystroke) {
    TypingRig rig;
    const std::string line(60, 'a');
    rig.dir.AddLesson(1, "intro", {line, line, line, line});
    rig.StartLesson(1);
    auto typeOne = [&](std::string_view text) {
        rig.clock.Advance(200);
        rig.Type(text);
    };
    for (int i = 0; i < 60; ++i) {
        typeOne("a");
    }
    rig.clock.Advance(200);
    rig.Enter();
    for (int i = 0; i < 38; ++i) {
        typeOne("a");
    }
    ASSERT_EQ(rig.meter.lessonKeystrokes, 99);
    EXPECT_EQ(rig.window.timeLeft, "-?-");
    typeOne("a");
    EXPECT_NE(rig.window.timeLeft, "-?-");
}

struct CaptionCase {
    const char* name;
    int currentLesson;
    bool qwertz;
    std::string displayFileName; // file-system bytes, UTF-8
    std::string caption;         // UTF-8
    std::string applicationTitle;
};

class Caption : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(Caption, NamesWhatIsBeingTyped) {
    const CaptionCase& c = GetParam();
    TypingRig rig;
    rig.store.CurrentLesson = c.currentLesson;
    rig.store.Qwertz = c.qwertz;
    rig.store.DisplayFileName = c.displayFileName;
    rig.engine.UpdateCaption();
    EXPECT_EQ(rig.window.CaptionUtf8(), c.caption);
    EXPECT_EQ(Cp1250::ToUtf8(rig.window.applicationTitle), c.applicationTitle);
}

INSTANTIATE_TEST_SUITE_P(
    TypingEngine, Caption,
    ::testing::Values(CaptionCase{"LessonOnQwertz", 5, true, "", "Klaptos lekce 5 (QWERTZ)",
                                  "KTOS lekce 5 (QWERTZ)"},
                      CaptionCase{"LessonOnQwerty", 44, false, "", "Klaptos lekce 44 (QWERTY)",
                                  "KTOS lekce 44 (QWERTY)"},
                      CaptionCase{"UserFile", -1, true, "/home/žák/čtení.txt",
                                  "Klaptos soubor: /home/žák/čtení.txt",
                                  "KTOS soubor: /home/žák/čtení.txt"},
                      CaptionCase{"Nothing", 0, true, "", "Klaptos", "Klaptos"}),
    [](const auto& info) { return info.param.name; });

// The last line of a text, typed up to its marker: Enter ends the text.
class EndOfText : public ::testing::Test {
protected:
    void Finish(int lesson, bool qwertz, EvaluationAnswer answer) {
        rig.StartLesson(lesson, qwertz);
        rig.window.nextEvaluationAnswer = answer;
        rig.Type("ab");
        rig.commands.executed.clear();
        rig.Enter();
    }

    TypingRig rig;
};

TEST_F(EndOfText, EntersStopModeAndShowsTheEvaluation) {
    rig.dir.AddLesson(1, "intro", {"ab"});
    Finish(1, true, EvaluationAnswer::Quit);
    EXPECT_EQ(rig.window.evaluationsShown, 1);
    EXPECT_TRUE(rig.engine.stopMode);
    EXPECT_EQ(rig.window.StatusUtf8(), "# STOP - stiskněte F9");
}

TEST_F(EndOfText, QuitClosesTheProgram) {
    rig.dir.AddLesson(1, "intro", {"ab"});
    Finish(1, true, EvaluationAnswer::Quit);
    EXPECT_EQ(rig.commands.executed, (std::vector<std::string>{"Pause", "Close"}));
}

TEST_F(EndOfText, NextAfterLesson43LoadsLesson44OnTheSameLayout) {
    rig.dir.AddLesson(43, "intro 43", {"ab"});
    rig.dir.AddLesson(44, "intro 44", {"čísla 0123"});
    Finish(43, false, EvaluationAnswer::Next);
    EXPECT_EQ(rig.store.CurrentLesson, 44);
    EXPECT_FALSE(rig.store.Qwertz);
    EXPECT_EQ(rig.PatternUtf8(), "čísla 0123");
    EXPECT_EQ(rig.window.CaptionUtf8(), "Klaptos lekce 44 (QWERTY)");
    EXPECT_TRUE(rig.engine.stopMode);
    EXPECT_EQ(rig.meter.lessonKeystrokes, 0);
    EXPECT_EQ(rig.meter.lessonCorrect, 0);
}

TEST_F(EndOfText, NextAfterLesson44OpensTheOwnTextCommand) {
    rig.dir.AddLesson(44, "intro", {"ab"});
    Finish(44, true, EvaluationAnswer::Next);
    EXPECT_EQ(rig.commands.executed.at(1), "OpenFile");
    EXPECT_EQ(rig.dialogs.fileDialogsShown, 1);
    EXPECT_EQ(rig.store.CurrentLesson, 44);
}

TEST_F(EndOfText, NextAfterAUserTextOpensTheOwnTextCommand) {
    const std::string path = rig.dir.WriteTextFile("own.txt", "intro", {"ab"});
    rig.store.LoadTextFile(path);
    rig.meter.Clear();
    rig.engine.BeginText();
    rig.pause.ActionContinue();
    rig.window.nextEvaluationAnswer = EvaluationAnswer::Next;
    rig.Type("ab");
    rig.Enter();
    EXPECT_EQ(rig.dialogs.fileDialogsShown, 1);
    EXPECT_EQ(rig.dialogs.lessonDialogsShown, 0);
}

TEST_F(EndOfText, NextWhenTheNextLessonIsMissingStaysOnTheOldTextInStopMode) {
    rig.dir.AddLesson(1, "intro", {"ab"});
    Finish(1, true, EvaluationAnswer::Next);
    ASSERT_EQ(rig.reporter.reports.size(), 1u);
    EXPECT_TRUE(rig.reporter.reports[0].isError);
    EXPECT_EQ(rig.store.CurrentLesson, 1);
    EXPECT_TRUE(rig.engine.stopMode);
    EXPECT_EQ(rig.meter.lessonKeystrokes, 0);
}

TEST_F(EndOfText, RepeatStartsTheSameTextAgainFromItsFirstLine) {
    rig.dir.AddLesson(1, "intro", {"xy", "ab"});
    rig.StartLesson(1);
    rig.window.nextEvaluationAnswer = EvaluationAnswer::Repeat;
    rig.Type("xy");
    rig.Enter();
    rig.Type("ab");
    rig.commands.executed.clear();
    rig.Enter();
    EXPECT_EQ(rig.commands.executed, (std::vector<std::string>{"Pause", "ResetLekci", "Pause"}));
    EXPECT_EQ(rig.store.LineNumber, 1);
    EXPECT_EQ(rig.PatternUtf8(), "xy");
    EXPECT_EQ(rig.meter.lessonKeystrokes, 0);
    EXPECT_TRUE(rig.engine.stopMode);
}

// Writes down what an observer hears, one short word per event.
struct EventLog final : TypingObserver {
    void StatisticsCleared() override { events.emplace_back("cleared"); }
    void TextBegun() override { events.emplace_back("begun"); }
    void LineBegun() override { events.emplace_back("line"); }
    void NextCharacter(unsigned char expected) override {
        events.push_back("next " + Name(expected));
    }
    void KeyJudged(unsigned char expected, unsigned char struck, bool right) override {
        events.push_back(Name(struck) + (right ? " for " : " wrong for ") + Name(expected));
    }
    void TextFinished() override { events.emplace_back("finished"); }
    static std::string Name(unsigned char c) {
        if (c == 0) {
            return "nothing";
        }
        return c == TypingLine::kEndOfLine ? "Enter" : std::string(1, static_cast<char>(c));
    }
    std::vector<std::string> events;
};

TEST(Observer, HearsEveryEventOfATextInOrder) {
    TypingRig rig;
    EventLog log;
    rig.engine.AddObserver(log);
    rig.dir.AddLesson(1, "intro", {"ab", "c"});
    rig.StartLesson(1);
    rig.Type("x"); // wrong: the next character stays
    rig.Type("a");
    rig.Backspace();
    rig.Type("ab");
    rig.Enter();
    rig.Enter(); // Enter where "c" is expected
    rig.Type("c");
    rig.window.nextEvaluationAnswer = EvaluationAnswer::Quit;
    rig.Enter();
    const std::vector<std::string> expected = {"cleared",
                                               "begun",
                                               "line",
                                               "next a",
                                               "x wrong for a",
                                               "a for a",
                                               "next b",
                                               "next a",
                                               "a for a",
                                               "next b",
                                               "b for b",
                                               "next Enter",
                                               "Enter for Enter",
                                               "line",
                                               "next c",
                                               "Enter wrong for c",
                                               "c for c",
                                               "next Enter",
                                               "Enter for Enter",
                                               "finished"};
    EXPECT_EQ(log.events, expected);

    rig.engine.RemoveObserver(log);
    rig.engine.BeginText();
    EXPECT_EQ(log.events.size(), expected.size());
}

// Starting again, a line chosen with the arrows, keys past the end of the line, and a text of
// the last session whose statistics hold no keystroke.
TEST(Observer, HearsTheTextStartAgainTheLinesChosenAndWhatIsOwedToEnter) {
    TypingRig rig;
    EventLog log;
    rig.engine.AddObserver(log);
    rig.options.MoveOnError = true;
    rig.dir.AddLesson(1, "intro", {"ab", "c"});
    rig.StartLesson(1);
    rig.Type("abx");
    rig.KeyDown(VirtualKey::Down);
    rig.pause.ActionResetLekci();
    const std::vector<std::string> expected = {
        "cleared",           "begun",        "line",    "next a",
        "a for a",           "next b",       "b for b", "next Enter",
        "x wrong for Enter", "next nothing", "line",    "next c",
        "cleared",           "begun",        "line",    "next a"};
    EXPECT_EQ(log.events, expected);

    // The text as a restart finds it again, its statistics without and with a keystroke.
    log.events.clear();
    rig.store.LoadLesson(1, true);
    rig.meter.lessonKeystrokes = 0;
    rig.engine.ResumeText();
    rig.store.LoadLesson(1, true);
    rig.meter.lessonKeystrokes = 5;
    rig.engine.ResumeText();
    EXPECT_EQ(log.events, (std::vector<std::string>{"cleared", "begun", "line", "next a", "begun",
                                                    "line", "next a"}));
}

} // namespace
