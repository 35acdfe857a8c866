// Which keys and fingers write a character, told in the words shown under the keyboard.

#include "FingerText.h"

#include "Cp1250.h"
#include "KeyboardLayout.h"

#include <gtest/gtest.h>

#include <array>
#include <string_view>

namespace {

struct Case {
    std::string_view name;
    bool qwertz;
    std::string_view character; // UTF-8; "\n" is Enter
    std::string_view text;
};

constexpr std::array<Case, 19> kCases{{
    {"PlainLetter", true, "j", "pravý ukazováček – j"},
    {"CapitalOfTheRightHandTakesTheLeftShift", true, "J",
     "pravý ukazováček – J (se Shiftem: levý malíček)"},
    {"CapitalOfTheLeftHandTakesTheRightShift", true, "A",
     "levý malíček – A (se Shiftem: pravý malíček)"},
    {"LetterOfTheNumberRow", true, "ř", "levý ukazováček – ř"},
    {"DigitIsShifted", true, "1", "levý malíček – 1 (se Shiftem: pravý malíček)"},
    {"CaronIsTheShiftedDeadKey", true, "ď",
     "pravý malíček – ˇ (se Shiftem: levý malíček), pak levý prostředníček – d"},
    {"CapitalWithCaronShiftsBothChords", true, "Ď",
     "pravý malíček – ˇ (se Shiftem: levý malíček), pak levý prostředníček – D (se Shiftem: "
     "pravý malíček)"},
    {"AcuteIsThePlainDeadKey", true, "ó", "pravý malíček – ´, pak pravý prsteníček – o"},
    {"CapitalWithAcute", true, "Ú",
     "pravý malíček – ´, pak pravý ukazováček – U (se Shiftem: levý malíček)"},
    {"CapitalRingTakesTheShiftedDeadKeyLeftOfOne", true, "Ů",
     "levý malíček – ˚ (se Shiftem: pravý malíček), pak pravý ukazováček – U (se Shiftem: levý "
     "malíček)"},
    {"DiaeresisDeadKey", true, "ä", "pravý malíček – ¨, pak levý malíček – a"},
    {"AltGrCharacter", true, "@", "levý prsteníček – @ (s AltGr: palec)"},
    {"ShiftAndAltGr", true, "ß", "pravý malíček – ß (se Shiftem a AltGr: levý malíček a palec)"},
    {"Space", true, " ", "palec – mezerník"},
    {"EndOfLine", true, "\n", "pravý malíček – Enter"},
    {"Unwritable", true, "–", "znak „–“ na české klávesnici nenapíšete"},
    {"QwertyZIsBottomLeft", false, "z", "levý malíček – z"},
    {"QwertyYIsTopRow", false, "Y", "pravý ukazováček – Y (se Shiftem: levý malíček)"},
    {"QwertyParenthesisPrefersShiftToAltGr", false, "(",
     "pravý malíček – ( (se Shiftem: levý malíček)"},
}};

TEST(FingerText, NamesEveryChordOfTheCharacter) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const std::string byte = Cp1250::FromUtf8(c.character);
        ASSERT_EQ(byte.size(), 1u);
        EXPECT_EQ(FingerText(KeyboardLayout::Of(c.qwertz), static_cast<unsigned char>(byte[0])),
                  c.text);
    }
}

} // namespace
