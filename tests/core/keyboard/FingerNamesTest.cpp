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
