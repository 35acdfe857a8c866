// The fingers the evaluation names come from the keyboard's table.

#include "FingerNames.h"
#include "Cp1250.h"
#include "KeyboardLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Name(const char* utf8) {
    return Cp1250::FromUtf8(utf8);
}

unsigned char Byte(const char* utf8) {
    return static_cast<unsigned char>(Name(utf8)[0]);
}

} // namespace

TEST(FingerNames, NamesTheFingerThatStrikesTheCharactersKeyOnEitherLayout) {
    struct Case {
        bool qwertz;
        const char* characterUtf8;
        const char* fingerUtf8;
    };
    const std::vector<Case> cases = {
        {true, "f", "levý ukazováček"},    {true, "J", "pravý ukazováček"},
        {true, "ř", "levý ukazováček"},    {true, "ž", "pravý ukazováček"},
        {true, "ů", "pravý malíček"},      {true, "ó", "pravý prsteníček"},
        {true, "Ď", "levý prostředníček"}, {true, " ", "palec"},
        {true, "1", "levý malíček"},       {true, "ě", "levý prsteníček"},
        {true, "y", "levý malíček"},       {false, "y", "pravý ukazováček"},
        {false, "z", "levý malíček"},      {true, "´", "pravý malíček"},
    };
    for (const Case& c : cases) {
        const FingerNames fingers(KeyboardLayout::Of(c.qwertz));
        EXPECT_EQ(fingers.FingerOf(Byte(c.characterUtf8)), Name(c.fingerUtf8))
            << c.characterUtf8 << (c.qwertz ? " QWERTZ" : " QWERTY");
    }
    const FingerNames fingers(KeyboardLayout::Qwertz());
    EXPECT_EQ(fingers.FingerOf('\n'), Name("pravý malíček")) << "Enter";
    EXPECT_EQ(fingers.FingerOf('\t'), "") << "no key writes a tab";
}

// What the evaluation names for a character typed wrong: the finger of the step that went
// wrong, not the finger of the character's key.
TEST(FingerNames, NameTheFingerOfTheStepThatWentWrong) {
    struct Case {
        bool qwertz;
        const char* expectedUtf8;
        const char* struckUtf8;
        const char* fingerUtf8;
    };
    const std::vector<Case> cases = {
        // the dead key with Shift (caron) left out: the dead key's finger
        {true, "ď", "d", "pravý malíček"},
        {true, "Ď", "D", "pravý malíček"},
        // the right Shift left out, or held needlessly
        {true, "C", "c", "pravý malíček"},
        {true, "c", "C", "pravý malíček"},
        // the left Shift, for a key of the right hand
        {true, "Ó", "ó", "levý malíček"},
        {false, "Z", "z", "pravý malíček"},
        // a dead key struck needlessly
        {true, "o", "ó", "pravý malíček"},
        // another accent on the same dead key: the missing AltGr (the thumb)
        {true, "ţ", "ť", "palec"},
        // a wrong key: the finger of the key that was due
        {true, "ř", "č", "levý ukazováček"},
        {true, "ď", "f", "levý prostředníček"},
        {true, "\n", " ", "pravý malíček"},
        // no key struck, or one the layout cannot write
        {true, "ě", "", "levý prsteníček"},
        {true, "y", "\t", "levý malíček"},
    };
    for (const Case& c : cases) {
        const FingerNames fingers(KeyboardLayout::Of(c.qwertz));
        const unsigned char struck = c.struckUtf8[0] == 0 ? 0 : Byte(c.struckUtf8);
        EXPECT_EQ(fingers.FingerOfMistake(Byte(c.expectedUtf8), struck), Name(c.fingerUtf8))
            << c.expectedUtf8 << " typed as " << c.struckUtf8 << (c.qwertz ? " QWERTZ" : " QWERTY");
    }
}
