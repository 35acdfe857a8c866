// The heat map's step of each key, from the errors of every character written with it.

#include "KeyHeat.h"

#include "Cp1250.h"
#include "IniFile.h"
#include "KeyErrorCounts.h"
#include "KeyboardLayout.h"
#include "TempLessonDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

unsigned char Byte(const char* utf8) {
    return static_cast<unsigned char>(Cp1250::FromUtf8(utf8).at(0));
}

void Type(KeyErrorCounts& counts, const char* utf8, int right, int wrong) {
    const unsigned char c = Byte(utf8);
    for (int i = 0; i < right; ++i) {
        counts.Add(c, c, true);
    }
    for (int i = 0; i < wrong; ++i) {
        counts.Add(c, 'x', false);
    }
}

int KeyOf(const KeyboardLayout& layout, const char* utf8) {
    return layout.SequenceFor(Byte(utf8)).strokes.back().key;
}

TEST(KeyHeat, CapitalsAndDeadKeyLettersAddUpOnTheirBaseKey) {
    const KeyboardLayout& layout = KeyboardLayout::Qwertz();
    KeyErrorCounts counts;
    Type(counts, "d", 19, 0);
    Type(counts, "ď", 0, 1); // 1 in 20 on the d key: medium, though ď alone has no data
    Type(counts, "a", 50, 0);
    Type(counts, "A", 2, 1);   // 1 in 53 on the a key: low, where A alone would be severe
    Type(counts, "f", 2, 0);   // too few to say
    Type(counts, "\n", 10, 0); // Enter has its key
    Type(counts, " ", 10, 2);  // and so has the space
    Type(counts, "ž", 100, 1); // a letter of the number row: low

    std::vector<std::pair<int, HeatStep>> expected{
        {KeyOf(layout, "d"), HeatStep::Medium},
        {KeyOf(layout, "a"), HeatStep::Low},
        {KeyOf(layout, "f"), HeatStep::NoData},
        {layout.KeyOfRole(KeyRole::Enter), HeatStep::Clean},
        {layout.KeyOfRole(KeyRole::Space), HeatStep::Severe},
        {KeyOf(layout, "ž"), HeatStep::Low},
    };
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(KeyHeat::ByKey(layout, counts), expected);
    EXPECT_EQ(KeyOf(layout, "ď"), KeyOf(layout, "d"));
}

TEST(KeyHeat, TheSameCountsLandOnTheKeysOfEachLayout) {
    KeyErrorCounts counts;
    Type(counts, "z", 9, 1); // 10 %: high
    Type(counts, "y", 10, 0);
    for (const bool qwertz : {true, false}) {
        const KeyboardLayout& layout = KeyboardLayout::Of(qwertz);
        std::vector<std::pair<int, HeatStep>> expected{{KeyOf(layout, "z"), HeatStep::High},
                                                       {KeyOf(layout, "y"), HeatStep::Clean}};
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(KeyHeat::ByKey(layout, counts), expected) << (qwertz ? "QWERTZ" : "QWERTY");
    }
    EXPECT_NE(KeyOf(KeyboardLayout::Qwertz(), "z"), KeyOf(KeyboardLayout::Qwerty(), "z"));
}

TEST(KeyHeat, CountsNearTheLargestIntAddUpOnTheirKey) {
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
    EXPECT_EQ(KeyHeat::ByKey(layout, counts),
              (std::vector<std::pair<int, HeatStep>>{{KeyOf(layout, "a"), HeatStep::Severe}}));
}

} // namespace
