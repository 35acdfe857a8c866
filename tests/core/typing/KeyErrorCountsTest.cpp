// Section "Chyby" of the settings file: what is written is read back, whatever an earlier text
// left there, and a damaged value loses only its own character.

#include "KeyErrorCounts.h"
#include "IniFile.h"
#include "TempLessonDir.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyErrorCounts, ASavedTableReadsBackAsItWasAndForgetsAnEarlierText) {
    TempLessonDir dir;
    const std::string path = dir.Path() + "klaptos.ini";
    KeyErrorCounts earlier;
    earlier.Add('a', 's', false);
    earlier.Add(0xF8, 0xE8, false); // ř typed as č
    KeyErrorCounts current;
    for (int i = 0; i < 40; ++i) {
        current.Add(0xE8, static_cast<unsigned char>(0x80 + i), false); // more than are kept
    }
    current.Add(0xE8, 0x80, false);
    current.Add(0xE8, 0xE8, true);
    current.Add(10, 'x', false);
    current.Add(' ', ' ', true);
    {
        IniFile ini(path);
        earlier.Save(ini);
        current.Save(ini);
    }
    KeyErrorCounts loaded;
    const IniFile ini(path);
    loaded.Load(ini);

    EXPECT_EQ(loaded.Attempts('a'), 0);
    EXPECT_EQ(loaded.Attempts(0xF8), 0);
    EXPECT_EQ(loaded.Attempts(0xE8), 42);
    EXPECT_EQ(loaded.Errors(0xE8), 41);
    EXPECT_EQ(loaded.MostStruckInstead(0xE8), 0x80);
    EXPECT_EQ(loaded.Struck(0xE8, 0x80), 2);
    int kept = 0;
    for (int typed = 0; typed < 256; ++typed) {
        kept += loaded.Struck(0xE8, static_cast<unsigned char>(typed)) > 0 ? 1 : 0;
    }
    EXPECT_EQ(kept, KeyErrorCounts::kSavedWrongKeys);
    EXPECT_EQ(loaded.Struck(10, 'x'), 1);
    EXPECT_EQ(loaded.Attempts(' '), 1);
}

TEST(KeyErrorCounts, ADamagedValueLosesOnlyItsOwnCharacter) {
    TempLessonDir dir;
    const std::string path = dir.Path() + "klaptos.ini";
    {
        IniFile ini(path);
        ini.WriteString("Chyby", "Znaky", "616263646566zz");
        ini.WriteString("Chyby", "61", "5,2,73:2");
        ini.WriteString("Chyby", "62", "5,x");
        ini.WriteString("Chyby", "63", "2,3");      // more errors than attempts
        ini.WriteString("Chyby", "64", "4,2,73:3"); // more wrong keys than errors
        ini.WriteString("Chyby", "65", "4,1,7:1");  // a byte of one digit
        ini.WriteString("Chyby", "66", "7,0");
    }
    KeyErrorCounts expected;
    for (int i = 0; i < 3; ++i) {
        expected.Add('a', 'a', true);
    }
    expected.Add('a', 's', false);
    expected.Add('a', 's', false);
    for (int i = 0; i < 7; ++i) {
        expected.Add('f', 'f', true);
    }
    KeyErrorCounts loaded;
    const IniFile ini(path);
    loaded.Load(ini);
    EXPECT_EQ(loaded, expected);
}

// The table of keys struck instead is made with the first error and given back when the counts
// are cleared; counts compare the same however they came about.
TEST(KeyErrorCounts, TheSameCountsCompareEqualWhetherOrNotAnErrorWasEverCounted) {
    KeyErrorCounts clean;
    clean.Add('a', 'a', true);
    EXPECT_EQ(clean.Struck('a', 's'), 0);
    EXPECT_EQ(clean.MostStruckInstead('a'), 0);

    KeyErrorCounts taken;
    taken.Add('a', 'a', true);
    taken.Add('a', 's', false);
    EXPECT_NE(taken, clean);
    taken.Remove('a', 's', false);
    EXPECT_EQ(taken, clean);
    EXPECT_EQ(clean, taken);

    taken.Add('a', 's', false);
    taken.Clear();
    EXPECT_EQ(taken, KeyErrorCounts());
    EXPECT_EQ(taken.Struck('a', 's'), 0);
}

} // namespace
