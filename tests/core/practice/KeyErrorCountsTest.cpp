// Section "Chyby" of the settings file: what is written is read back, whatever an earlier text
// left there; a damaged value loses only its own character, a damaged entry only itself, and no
// count read is larger than the text's totals.

#include "KeyErrorCounts.h"
#include "IniFile.h"
#include "TempLessonDir.h"
#include "WeakKeys.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

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
        ini.WriteInteger("Statistika", "UhozyCelkem", 45);
        ini.WriteInteger("Statistika", "ChCelkem", 42);
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
        ini.WriteInteger("Statistika", "UhozyCelkem", 100);
        ini.WriteInteger("Statistika", "ChCelkem", 100);
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

// The text's totals as the speed meter saved them, and [Chyby] as a damaged file holds it.
KeyErrorCounts LoadedFrom(const std::string& path, int keystrokes, int errors,
                          const std::vector<std::pair<std::string, std::string>>& keys) {
    {
        IniFile ini(path);
        ini.WriteInteger("Statistika", "UhozyCelkem", keystrokes);
        ini.WriteInteger("Statistika", "ChCelkem", errors);
        for (const auto& [key, value] : keys) {
            ini.WriteString("Chyby", key, value);
        }
    }
    KeyErrorCounts loaded;
    loaded.Load(IniFile(path));
    return loaded;
}

TEST(KeyErrorCounts, NoCountIsLargerThanTheTextsTotals) {
    TempLessonDir dir;
    const KeyErrorCounts loaded = LoadedFrom(dir.Path() + "klaptos.ini", 50, 10,
                                             {{"Znaky", "614162"},
                                              {"61", "999999999,999999999,73:999999990,64:9"},
                                              {"41", "30,5,61:5"},
                                              {"62", "999999999,3,76:3"}});
    KeyErrorCounts expected;
    for (int i = 0; i < 40; ++i) {
        expected.Add('a', 'a', true);
    }
    for (int i = 0; i < 10; ++i) {
        expected.Add('a', 's', false); // the wrong keys share the ten errors, the most first
    }
    for (int i = 0; i < 25; ++i) {
        expected.Add('A', 'A', true);
    }
    for (int i = 0; i < 5; ++i) {
        expected.Add('A', 'a', false);
    }
    for (int i = 0; i < 47; ++i) {
        expected.Add('b', 'b', true);
    }
    for (int i = 0; i < 3; ++i) {
        expected.Add('b', 'v', false);
    }
    EXPECT_EQ(loaded, expected);
    EXPECT_EQ(loaded.TotalErrors(), 18);
}

TEST(KeyErrorCounts, OnlyCharactersATextCanExpectAreReadAndABadEntryLosesOnlyItself) {
    TempLessonDir dir;
    const std::string path = dir.Path() + "klaptos.ini";
    // Control bytes, a code page byte that is no character, DEL and a pair that is no byte
    // among real weak keys; one real key was also struck as a control byte.
    const KeyErrorCounts loaded = LoadedFrom(path, 1000, 100,
                                             {{"Znaky", "00061B66zz98617F0A"},
                                              {"00", "90,90"},
                                              {"06", "90,90,41:90"},
                                              {"1B", "90,90"},
                                              {"98", "90,90"},
                                              {"7F", "90,90"},
                                              {"66", "20,4,67:4"},
                                              {"61", "30,2,01:1,73:1"},
                                              {"0A", "10,1,78:1"}});
    EXPECT_EQ(std::vector<int>({loaded.Attempts('f'), loaded.Errors('f'), loaded.Struck('f', 'g')}),
              std::vector<int>({20, 4, 4}));
    // Of 'a' the error struck as a control byte counts, though its key is not told.
    EXPECT_EQ(std::vector<int>({loaded.Attempts('a'), loaded.Errors('a'), loaded.Struck('a', 's'),
                                loaded.Struck('a', 0x01)}),
              std::vector<int>({30, 2, 1, 0}));
    EXPECT_EQ(
        std::vector<int>({loaded.Attempts('\n'), loaded.Errors('\n'), loaded.Struck('\n', 'x')}),
        std::vector<int>({10, 1, 1}));
    for (const unsigned char c : {0x00, 0x06, 0x1B, 0x98, 0x7F}) {
        EXPECT_EQ(loaded.Attempts(c), 0) << int(c);
    }
    std::vector<unsigned char> weak;
    for (const WeakKey& key : WeakKeys::Rank(loaded)) {
        weak.push_back(key.character);
    }
    EXPECT_EQ(weak, (std::vector<unsigned char>{'f', '\n', 'a'}));

    // What was kept is written back as it was read: the close loses none of it.
    {
        IniFile ini(path);
        loaded.Save(ini);
    }
    KeyErrorCounts again;
    again.Load(IniFile(path));
    EXPECT_EQ(again, loaded);
    EXPECT_EQ(IniFile(path).ReadString("Chyby", "Znaky", ""), "0A6166");
}

} // namespace
