// A text typed to its end through the engine is recorded once, with its errors per character
// read before the evaluation's repeat clears them, and with the evaluation's own verdict.

#include "HistoryRecorder.h"
#include "ErrorCounter.h"
#include "ListHistoryStore.h"
#include "TypingRig.h"

#include <gtest/gtest.h>

namespace {

TEST(HistoryRecorderTyping, AFinishedLessonKeepsItsErrorsPerCharacterAfterTheRepeatClearsThem) {
    TypingRig rig;
    rig.dir.AddLesson(1, "Úvod", {"řeka", "ok"});
    ListHistoryStore history;
    ErrorCounter counter(rig.meter);
    HistoryRecorder recorder(history, rig.meter, rig.store,
                             {.keyErrors = &counter.Counts(), .practiceOf = {}, .now = [] {
                                  return int64_t{1741780800};
                              }});
    // The recorder hears the end first: the counter has nothing to do with the end.
    rig.engine.AddObserver(recorder);
    rig.engine.AddObserver(counter);
    rig.window.nextEvaluationAnswer = EvaluationAnswer::Repeat;
    rig.options.ErrIsRep = false; // two errors in a line do not repeat it
    rig.StartLesson(1);

    rig.Type("rřeka"); // r where ř was due
    rig.Enter();
    rig.Type("oxk"); // x where k was due
    rig.Type("y");   // a character at the end of the line is owed to Enter
    rig.Enter();

    ASSERT_EQ(rig.window.evaluationsShown, 1);
    ASSERT_EQ(history.records.size(), std::size_t{1});
    const HistoryRecord& text = history.records[0];
    EXPECT_EQ(text.keyErrors, (std::map<unsigned char, int>{
                                  {static_cast<unsigned char>(Cp1250::FromUtf8("ř")[0]), 1},
                                  {'k', 1},
                                  {TypingLine::kEndOfLine, 1}}));
    EXPECT_EQ(text.errors, 3);
    EXPECT_EQ(text.lesson, 1);
    // The repeat began the text again: the counts are gone, the record keeps them.
    EXPECT_TRUE(counter.Counts().Empty());

    // Without an error analysis the record has no counts.
    HistoryRecorder plain(history, rig.meter, rig.store);
    plain.TextFinished();
    EXPECT_TRUE(history.records.back().keyErrors.empty());
    EXPECT_FALSE(history.records.back().practiceOf);
}

// Ten keystrokes, Down to the last line, that line typed: the evaluation warns that only part
// was typed, so the history keeps the text as not passed, although every keystroke was quick and
// right.
TEST(HistoryRecorderTyping, ALessonSkippedThroughIsNotPassed) {
    TypingRig rig;
    const std::string line = "fjfj fjfj fjfj";
    rig.dir.AddLesson(1, "Úvod", {line, line, line, line, line, line});
    ListHistoryStore history;
    HistoryRecorder recorder(history, rig.meter, rig.store);
    rig.engine.AddObserver(recorder);
    rig.window.nextEvaluationAnswer = EvaluationAnswer::Repeat;
    rig.StartLesson(1);

    const auto type = [&rig](std::string_view text) {
        for (char c : text) {
            rig.clock.Advance(100); // 600 keystrokes a minute
            rig.Press(static_cast<unsigned char>(c));
        }
    };
    type(line.substr(0, 10));
    for (int i = 0; i < 5; ++i) {
        rig.KeyDown(VirtualKey::Down);
    }
    type(line);
    rig.clock.Advance(100);
    rig.Enter();

    ASSERT_EQ(rig.window.evaluationsShown, 1);
    ASSERT_EQ(history.records.size(), std::size_t{1});
    const HistoryRecord& text = history.records[0];
    EXPECT_EQ(text.keystrokes, 10 + 15);
    EXPECT_EQ(text.errors, 0);
    EXPECT_EQ(text.errorGrade, 1);
    EXPECT_EQ(text.speedGrade, 1);
    EXPECT_EQ(text.averageSpeed, text.absoluteSpeed);
    EXPECT_GT(text.absoluteSpeed, 75);
    EXPECT_FALSE(text.passed);

    // The same keystrokes over the whole text pass it.
    rig.StartLesson(1);
    for (int i = 0; i < 6; ++i) {
        type(line);
        rig.clock.Advance(100);
        rig.Enter();
    }
    ASSERT_EQ(history.records.size(), std::size_t{2});
    EXPECT_TRUE(history.records[1].passed);
}

} // namespace
