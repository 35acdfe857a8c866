#include "Cp1250.h"

#include <gtest/gtest.h>

TEST(Cp1250, CzechLettersRoundTripThroughUtf8) {
    const std::string czech = "Příliš žluťoučký kůň úpěl ďábelské ódy. ŘŠČŽÝÁÍÉŮÚĎŤŇÓ";
    const std::string bytes = Cp1250::FromUtf8(czech);
    EXPECT_EQ(bytes.size(), 54u); // one byte a letter
    EXPECT_EQ(Cp1250::ToUtf8(bytes), czech);
}

TEST(Cp1250, KnownBytesOfCzechLetters) {
    EXPECT_EQ(Cp1250::FromUtf8("ř"), "\xF8");
    EXPECT_EQ(Cp1250::FromUtf8("ě"), "\xEC");
    EXPECT_EQ(Cp1250::FromUtf8("Š"), "\x8A");
    EXPECT_EQ(Cp1250::FromUtf8("ů"), "\xF9");
    EXPECT_EQ(Cp1250::FromUtf8("§"), "\xA7");
}

TEST(Cp1250, CharactersOutsideTheCodePageBecomeTheUnmappableByte) {
    const std::string unmappable(1, static_cast<char>(Cp1250::kUnmappable));
    EXPECT_EQ(Cp1250::FromUtf8("ñ"), unmappable);
    EXPECT_EQ(Cp1250::FromUtf8("€"), "\x80");
    EXPECT_EQ(Cp1250::FromUtf8("😀"), unmappable);
    EXPECT_EQ(Cp1250::FromUnicode(0x3A9), Cp1250::kUnmappable);
}

TEST(Cp1250, BrokenUtf8NeverReadsPastTheEnd) {
    const std::string unmappable(1, static_cast<char>(Cp1250::kUnmappable));
    EXPECT_EQ(Cp1250::FromUtf8("\xC5"), unmappable);
    EXPECT_EQ(Cp1250::FromUtf8("a\xE2\x82"), "a" + unmappable + unmappable);
    EXPECT_EQ(Cp1250::FromUtf8("\xFFz"), unmappable + "z");
}

TEST(Cp1250, UnmappableByteIsNeverAPrintableLetter) {
    EXPECT_EQ(Cp1250::ToUnicode(Cp1250::kUnmappable), U'\uFFFD');
}
