// What a pupil types for the characters of a text on the Czech keyboard.

#include "TypableText.h"
#include "Cp1250.h"
#include "KeyboardLayout.h"

#include <gtest/gtest.h>

namespace {

TEST(TypableText, GivesTheTypedFormOfQuotesDashesAndSignsAndNamesWhatNoKeyWrites) {
    const auto made =
        TypableText::Make(Cp1250::FromUtf8("„Ahoj“ – řekl ‚tiše‘… ” — ‰ 5 ™ Ďábel\xC2\xA0×\x01"),
                          KeyboardLayout::Qwertz());
    EXPECT_EQ(Cp1250::ToUtf8(made.text),
              "\"Ahoj\" - řekl 'tiše'... \" - promile 5 (TM) Ďábel x\x01");
    // A control character has no typed form: the reader drops it before; here it is named.
    EXPECT_EQ(Cp1250::ToUtf8(made.untypable), "\x01");
    EXPECT_EQ(made.replaced, 12); // the no-break space too
}

TEST(TypableText, ReplacesOnlyWithWhatTheKeyboardWrites) {
    for (const bool qwertz : {true, false}) {
        const KeyboardLayout& layout = KeyboardLayout::Of(qwertz);
        for (int value = 0; value < 256; ++value) {
            if (const auto form = TypableText::FormOf(static_cast<unsigned char>(value))) {
                for (const char c : *form) {
                    EXPECT_TRUE(layout.SequenceFor(static_cast<unsigned char>(c)).Writable());
                }
            }
        }
    }
}

} // namespace
