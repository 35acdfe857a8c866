// What the layouts tell the practice texts: the keys beside a character's key.

#include "KeyboardLayout.h"
#include "Cp1250.h"

#include <gtest/gtest.h>

TEST(KeyboardLayout, NeighboursAreTheKeysBesideTheKeyThatWritesTheCharacter) {
    const KeyboardLayout& qwertz = KeyboardLayout::Qwertz();
    const KeyboardLayout& qwerty = KeyboardLayout::Qwerty();
    const auto neighbours = [](const KeyboardLayout& layout, const char* utf8) {
        return Cp1250::ToUtf8(
            layout.Neighbours(static_cast<unsigned char>(Cp1250::FromUtf8(utf8)[0])));
    };
    EXPECT_EQ(neighbours(qwertz, "ř"), "čž");
    EXPECT_EQ(neighbours(qwertz, "Ď"), "sf") << "a dead key's letter counts as its letter's key";
    EXPECT_EQ(neighbours(qwertz, "Ó"), "ip");
    EXPECT_EQ(neighbours(qwertz, "t"), "rz");
    EXPECT_EQ(neighbours(qwerty, "t"), "ry");
    EXPECT_EQ(neighbours(qwerty, "z"), "\\x") << "the key left of z writes a backslash";
    EXPECT_EQ(neighbours(qwertz, "a"), "s") << "Caps Lock writes nothing";
    EXPECT_EQ(neighbours(qwertz, "p"), "oú");
    EXPECT_EQ(neighbours(qwertz, "\t"), "") << "no key writes a tab";
}
