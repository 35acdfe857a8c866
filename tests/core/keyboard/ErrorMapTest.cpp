// The heat map's steps, and the step of each key from the errors of the pupil's recent texts,
// each error on the key of the step that went wrong.

#include "ErrorMap.h"

#include "Cp1250.h"
#include "IniFile.h"
#include "KeyErrorCounts.h"
#include "KeyboardLayout.h"
#include "TempLessonDir.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

unsigned char Byte(const char* utf8) {
    return static_cast<unsigned char>(Cp1250::FromUtf8(utf8).at(0));
}

void Type(KeyErrorCounts& counts, const char* utf8, int right, int wrong,
          const char* struck = "x") {
    const unsigned char c = Byte(utf8);
    for (int i = 0; i < right; ++i) {
        counts.Add(c, c, true);
    }
    for (int i = 0; i < wrong; ++i) {
        counts.Add(c, Byte(struck), false);
    }
}

int KeyOf(const KeyboardLayout& layout, const char* utf8) {
    return layout.SequenceFor(Byte(utf8)).strokes.back().key;
}

std::map<int, HeatStep> StepsOf(const ErrorMap& map) {
    std::map<int, HeatStep> steps;
    for (const auto& [key, step] : map.Steps()) {
        steps[key] = step;
    }
    return steps;
}

TEST(HeatScale, StepsFollowTheRateFromTheThirdAttempt) {
    const std::vector<std::pair<std::pair<int, int>, HeatStep>> cases = {
        {{2, 2}, HeatStep::NoData},  {{3, 0}, HeatStep::Clean},   {{50, 1}, HeatStep::Low},
        {{49, 1}, HeatStep::Medium}, {{20, 1}, HeatStep::Medium}, {{19, 1}, HeatStep::High},
        {{10, 1}, HeatStep::High},   {{9, 1}, HeatStep::Severe},
    };
    for (const auto& [figures, step] : cases) {
        EXPECT_EQ(HeatScale::Step(figures.first, figures.second), step)
            << figures.first << " attempts, " << figures.second << " errors";
    }
}

// C typed as c is the Shift's error, ď typed as d the dead key's, a wrong key the key's own;
// every key of a character's sequence counts its attempts.
TEST(ErrorMap, EachErrorColoursTheStepThatWentWrong) {
    const KeyboardLayout& layout = KeyboardLayout::Qwertz();
    KeyErrorCounts counts;
    Type(counts, "C", 8, 2, "c");  // 2 in 10 on the right Shift
    Type(counts, "c", 40, 0);      // the c key: 50 attempts, no error
    Type(counts, "ď", 2, 1, "d");  // 1 in 3 on the dead key
    Type(counts, "d", 47, 0);      // the d key: 50 attempts, no error
    Type(counts, "a", 49, 1, "s"); // 1 in 50 on the a key itself
    Type(counts, "\n", 10, 0);     // Enter has its key

    ErrorMap map(layout);
    map.Add(counts);
    const std::map<int, HeatStep> steps = StepsOf(map);

    const KeySequence& capital = layout.SequenceFor('C');
    ASSERT_EQ(capital.strokes.back().modifiers,
              std::vector<int>{layout.KeyOfRole(KeyRole::Shift, Hand::Right)});
    const KeySequence& dWithCaron = layout.SequenceFor(Byte("ď"));
    ASSERT_EQ(dWithCaron.strokes.size(), 2U);
    const int deadKey = dWithCaron.strokes.front().key;
    std::map<int, HeatStep> expected{
        {KeyOf(layout, "c"), HeatStep::Clean},
        {layout.KeyOfRole(KeyRole::Shift, Hand::Right), HeatStep::Severe},
        {KeyOf(layout, "d"), HeatStep::Clean},
        {deadKey, HeatStep::Severe},
        {KeyOf(layout, "a"), HeatStep::Low},
        {layout.KeyOfRole(KeyRole::Enter), HeatStep::Clean},
    };
    for (const int modifier : dWithCaron.strokes.front().modifiers) {
        expected[modifier] = HeatStep::Clean; // held right, 3 attempts
    }
    EXPECT_EQ(steps, expected);
}

// The history's texts add their characters' attempts, counted from their lines and scaled to
// their keystrokes, and their errors on each character's own key; the text being typed adds
// its own.
TEST(ErrorMap, RecentTextsAndTheCurrentOneAddUp) {
    const KeyboardLayout& layout = KeyboardLayout::Qwertz();
    // Typed twice over: 16 keystrokes, f and j 6 times each, the space and Enter twice.
    const auto earlier = ErrorMap::Recorded({"fff jjj"}, 16, {{'f', 2}});
    ASSERT_TRUE(earlier.has_value());
    EXPECT_EQ(earlier->attempts['f'], 6);
    EXPECT_EQ(earlier->attempts['\n'], 2);
    // A text whose lines no longer hold a character that went wrong is not that text.
    EXPECT_FALSE(ErrorMap::Recorded({"jjj"}, 16, {{'f', 2}}).has_value());
    EXPECT_FALSE(ErrorMap::Recorded({}, 16, {}).has_value());

    KeyErrorCounts now;
    Type(now, "f", 4, 0);
    Type(now, "k", 2, 0);

    ErrorMap map(layout);
    map.Add(*earlier);
    map.Add(*earlier);
    map.Add(now);
    const std::map<int, HeatStep> steps = StepsOf(map);
    EXPECT_EQ(steps, (std::map<int, HeatStep>{
                         {KeyOf(layout, "f"), HeatStep::Severe}, // 4 in 16
                         {KeyOf(layout, "j"), HeatStep::Clean},
                         {KeyOf(layout, "k"), HeatStep::NoData}, // 2 attempts only
                         {layout.KeyOfRole(KeyRole::Space), HeatStep::Clean},
                         {layout.KeyOfRole(KeyRole::Enter), HeatStep::Clean},
                     }));
}

TEST(ErrorMap, TheSameCountsLandOnTheKeysOfEachLayout) {
    KeyErrorCounts counts;
    Type(counts, "z", 9, 1); // 10 %: high
    Type(counts, "y", 10, 0);
    for (const bool qwertz : {true, false}) {
        const KeyboardLayout& layout = KeyboardLayout::Of(qwertz);
        ErrorMap map(layout);
        map.Add(counts);
        EXPECT_EQ(StepsOf(map), (std::map<int, HeatStep>{{KeyOf(layout, "z"), HeatStep::High},
                                                         {KeyOf(layout, "y"), HeatStep::Clean}}))
            << (qwertz ? "QWERTZ" : "QWERTY");
    }
    EXPECT_NE(KeyOf(KeyboardLayout::Qwertz(), "z"), KeyOf(KeyboardLayout::Qwerty(), "z"));
}

TEST(ErrorMap, CountsNearTheLargestIntAddUpOnTheirKey) {
    // Three characters of the a key, each with all its keystrokes wrong, as a settings file
    // may hold them: their sum is larger than an int.
    TempLessonDir dir;
    const std::string path = dir.Path() + "klaptos.ini";
    {
        IniFile ini(path);
        ini.WriteInteger("Statistika", "UhozyCelkem", 2147483647);
        ini.WriteInteger("Statistika", "ChCelkem", 2147483647);
        ini.WriteString("Chyby", "Znaky", "6141E4");
        for (const char* key : {"61", "41", "E4"}) {
            ini.WriteString("Chyby", key, "999999999,999999999,78:999999999");
        }
    }
    KeyErrorCounts counts;
    counts.Load(IniFile(path));
    ASSERT_EQ(counts.TotalErrors(), int64_t{2999999997});
    const KeyboardLayout& layout = KeyboardLayout::Qwertz();
    ErrorMap map(layout);
    map.Add(counts);
    const std::map<int, HeatStep> steps = StepsOf(map);
    EXPECT_EQ(steps.at(KeyOf(layout, "a")), HeatStep::Severe);
}

} // namespace
