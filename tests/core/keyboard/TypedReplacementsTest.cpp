// What a pupil types for the characters of an own text that the keyboard cannot write:
// afterwards every character has a key sequence on each layout.

#include "TypedReplacements.h"

#include "Cp1250.h"
#include "KeyboardLayout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TypedReplacements, EveryCharacterOfTheCodePageCanBeTypedAfterwards) {
    for (const bool qwertz : {true, false}) {
        const KeyboardLayout& layout = KeyboardLayout::Of(qwertz);
        TypedReplacements typed;
        std::string all;
        for (int byte = 0x20; byte < 0x100; ++byte) {
            if (byte != 0x7F) { // DEL goes with the other control characters
                all += static_cast<char>(byte);
            }
        }
        typed.Apply(all);
        for (const char c : all) {
            EXPECT_TRUE(layout.SequenceFor(static_cast<unsigned char>(c)).Writable())
                << (qwertz ? "QWERTZ " : "QWERTY ") << int(static_cast<unsigned char>(c));
        }
        // Letters, digits and the Czech letters stay as they are.
        for (const char c :
             Cp1250::FromUtf8("aZ09ěščřžýáíéúůťďňóĚŠČŘŽÝÁÍÉÚŮŤĎŇÓ.,;:?!()/%\"'-+=")) {
            EXPECT_FALSE(typed.FormOf(static_cast<unsigned char>(c)))
                << Cp1250::ToUtf8(std::string(1, c));
        }
    }
}

TEST(TypedReplacements, TypographicCharactersGetTheirPlainFormsEvenWhereAltGrWritesThem) {
    const KeyboardLayout& layout = KeyboardLayout::Qwertz();
    // ‚ ‘ ’ and × lie on AltGr with Shift there, yet a pupil copying a text types the plain key.
    ASSERT_TRUE(layout.SequenceFor(0x82).Writable());
    ASSERT_TRUE(layout.SequenceFor(0xD7).Writable());
    TypedReplacements typed;
    std::string text = Cp1250::FromUtf8("„A“ ‚b‘ ’c’ d–e—f × … ¤ ro\u00ADk");
    typed.Apply(text);
    EXPECT_EQ(text, "\"A\" 'b' 'c' d-e-f x ... ? rok");
    EXPECT_EQ(typed.Replacements().size(), 11u);
    EXPECT_EQ(typed.Replacements()[4], (TypedReplacements::Replacement{0x92, "'", 2}));
    // The message names the first twenty, then counts the rest.
    std::string many;
    for (int byte = 0x80; byte < 0x100; ++byte) {
        many += static_cast<char>(byte);
    }
    TypedReplacements list;
    list.Apply(many);
    ASSERT_GT(list.Replacements().size(), TypedReplacements::kListed);
    const std::string shown = list.ListUtf8();
    std::size_t named = 0;
    for (std::size_t at = shown.find(" → "); at != std::string::npos;
         at = shown.find(" → ", at + 1)) {
        ++named;
    }
    EXPECT_EQ(named, TypedReplacements::kListed) << shown;
    EXPECT_TRUE(shown.starts_with("U+FFFD → ? (1×), ‚ → ' (1×)")) << shown; // 0x81 is undefined
    EXPECT_NE(shown.find(", další znaky ("), std::string::npos) << shown;
}

} // namespace
