// The fingers the evaluation names come from the keyboard's table, and the practice text's
// row table (CzechKeyRows, kept for its neighbours) never names another finger.

#include "KeyboardFingerNames.h"
#include "Cp1250.h"
#include "CzechKeyRows.h"
#include "KeyboardLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Name(const char* utf8) {
    return Cp1250::FromUtf8(utf8);
}

} // namespace

TEST(KeyboardFingerNames, NamesTheFingerThatStrikesTheCharactersKey) {
    const KeyboardFingerNames fingers(KeyboardLayout::Qwertz());
    struct Case {
        const char* characterUtf8;
        const char* fingerUtf8;
    };
    const std::vector<Case> cases = {
        {"f", "levý ukazováček"},    {"J", "pravý ukazováček"},
        {"ř", "levý ukazováček"},    {"ž", "pravý ukazováček"},
        {"ů", "pravý malíček"},      {"ó", "pravý prsteníček"},
        {"Ď", "levý prostředníček"}, {" ", "palec"},
        {"1", "levý malíček"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fingers.FingerOf(static_cast<unsigned char>(Name(c.characterUtf8)[0])),
                  Name(c.fingerUtf8))
            << c.characterUtf8;
    }
    EXPECT_EQ(fingers.FingerOf('\n'), Name("pravý malíček")) << "Enter";
    EXPECT_EQ(fingers.FingerOf('\t'), "") << "no key writes a tab";
}

TEST(KeyboardFingerNames, TheRowTableAgreesWithTheKeyboardForEveryCharacterItKnows) {
    for (const bool isQwertz : {true, false}) {
        const CzechKeyRows rows(isQwertz);
        const KeyboardFingerNames keyboard(KeyboardLayout::Of(isQwertz));
        int known = 0;
        for (int c = 1; c < 256; ++c) {
            const auto byte = static_cast<unsigned char>(c);
            const std::string fromRows = rows.FingerOf(byte);
            if (fromRows.empty()) {
                continue;
            }
            ++known;
            EXPECT_EQ(fromRows, keyboard.FingerOf(byte))
                << "byte " << c << (isQwertz ? " QWERTZ" : " QWERTY");
        }
        // Letters, digits, their punctuation, the accented letters, space and Enter.
        EXPECT_GT(known, 100);
    }
}
