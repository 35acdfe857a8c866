// The norm's keystroke count of every code page 1250 character, against a table written from
// the Czech keyboard by hand, and against the on-screen keyboard's key sequences.

#include "KeystrokeNorm.h"
#include "Cp1250.h"
#include "KeyboardLayout.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// The keys pressed for each character on the Czech QWERTZ keyboard, by groups (UTF-8).
const std::map<int, std::u32string>& ExpectedCounts() {
    static const std::map<int, std::u32string> counts{
        // Plain keys, the space and Enter.
        {1, U"abcdefghijklmnopqrstuvwxyz ěščřžýáíéúů;+=),.-§\\\n"},
        // With Shift; with AltGr; a dead key without Shift, then a letter or the space.
        {2, U"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789%(/\"!'|?:_"
            U"`@#$^&*{}€¶[]~đĐłŁ°<>"
            U"óäëöüĺŕśźńć´¨"},
        // Shift+ˇ then a letter (or the space); ´ or ¨ then a capital; Shift+AltGr.
        {3, U"ďťňľˇÁÉÍÓÚÝĹŔŚŹŃĆÄËÖÜ®÷×ß¦©‚‘’"},
        // Shift+ˇ then a capital; Shift+° then Ů; a Shift+AltGr dead key then a letter.
        {4, U"ČĎĚŇŘŠŤŽĽŮ˘˛¸˝˙ąęâîôăçşţőűż"},
        // A Shift+AltGr dead key then a capital.
        {5, U"ĄĘÂÎÔĂÇŞŢŐŰŻ"},
    };
    return counts;
}

int ExpectedCount(unsigned char byte) {
    const char32_t codePoint = byte == 10 ? U'\n' : Cp1250::ToUnicode(byte);
    for (const auto& [count, characters] : ExpectedCounts()) {
        if (characters.find(codePoint) != std::u32string::npos) {
            return count;
        }
    }
    return 0; // no key writes it: „ “ – — … and the like, control characters
}

int SequenceKeys(const KeyboardLayout& layout, unsigned char byte) {
    int keys = 0;
    for (const KeyStroke& stroke : layout.SequenceFor(byte).strokes) {
        keys += 1 + static_cast<int>(stroke.modifiers.size());
    }
    return keys;
}

TEST(KeystrokeNorm, EveryCodePageCharacterCountsAsTheCzechKeyboardTypesIt) {
    for (const bool qwertz : {true, false}) {
        const KeyboardLayout& layout = KeyboardLayout::Of(qwertz);
        const KeystrokeNorm norm(layout);
        for (int value = 0; value < 256; ++value) {
            const auto byte = static_cast<unsigned char>(value);
            const std::string shown = Cp1250::ToUtf8(std::string(1, static_cast<char>(byte)));
            EXPECT_EQ(norm.Of(byte), ExpectedCount(byte))
                << (qwertz ? "QWERTZ " : "QWERTY ") << "byte " << value << " '" << shown << "'";
            EXPECT_EQ(norm.Of(byte), SequenceKeys(layout, byte))
                << "the keyboard's sequence for byte " << value << " '" << shown << "'";
        }
    }
}

TEST(KeystrokeNorm, ATextCountsEveryCharacterAndAnUnwritableOneAsOneKey) {
    const KeystrokeNorm norm(KeyboardLayout::Qwertz());
    // Ď 4, á 1, b 1, e 1, l 1, space 1, Ó 3, 1 2, Enter 1, „ unwritable 1.
    EXPECT_EQ(norm.Count(Cp1250::FromUtf8("Ďábel Ó1\n„")), 16);
    EXPECT_EQ(norm.Count(""), 0);
}

} // namespace
