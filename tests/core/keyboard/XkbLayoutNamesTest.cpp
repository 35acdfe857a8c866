// The letter order of the desktop's layout, from the names the X server keeps.

#include "XkbLayoutNames.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using namespace std::string_literals;

TEST(XkbLayoutNames, TheActiveLayoutsOrderIsReadFromTheRootWindowsNames) {
    // As setxkbmap writes them: "setxkbmap cz", "setxkbmap -layout cz,us -variant qwerty,".
    const std::string czech = "evdev\0pc105\0cz\0\0\0"s;
    const std::string two = "evdev\0pc105\0cz,us\0qwerty,\0grp:alt_shift_toggle\0"s;
    const std::string three = "evdev\0pc105\0us,cz,fr\0,,\0\0"s;
    EXPECT_EQ(XkbLayoutNames::Qwertz(czech, 0), std::optional<bool>(true));
    EXPECT_EQ(XkbLayoutNames::Qwertz(two, 0), std::optional<bool>(false));
    EXPECT_EQ(XkbLayoutNames::Qwertz(two, 1), std::optional<bool>(false));
    EXPECT_EQ(XkbLayoutNames::Qwertz(three, 1), std::optional<bool>(true));
    EXPECT_EQ(XkbLayoutNames::Qwertz(three, 2), std::nullopt) << "AZERTY is neither";
    // Names that cannot be read tell nothing.
    for (const std::string& broken :
         {""s, "evdev"s, "evdev\0pc105\0"s, "evdev\0pc105\0\0\0"s, "\0\0cz,\0\0"s}) {
        EXPECT_EQ(XkbLayoutNames::Qwertz(broken, 1), std::nullopt) << broken.size();
    }
    EXPECT_EQ(XkbLayoutNames::Qwertz(czech, 1), std::nullopt);
    EXPECT_EQ(XkbLayoutNames::Qwertz(czech, -1), std::nullopt);
}

TEST(XkbLayoutNames, VariantsDecideBeforeTheLayout) {
    EXPECT_EQ(XkbLayoutNames::QwertzOf("cz", ""), std::optional<bool>(true));
    EXPECT_EQ(XkbLayoutNames::QwertzOf("cz", "qwerty"), std::optional<bool>(false));
    EXPECT_EQ(XkbLayoutNames::QwertzOf("cz", "qwerty_bksl"), std::optional<bool>(false));
    EXPECT_EQ(XkbLayoutNames::QwertzOf("sk", "qwerty"), std::optional<bool>(false));
    EXPECT_EQ(XkbLayoutNames::QwertzOf("de", ""), std::optional<bool>(true));
    EXPECT_EQ(XkbLayoutNames::QwertzOf("pl", "qwertz"), std::optional<bool>(true));
    EXPECT_EQ(XkbLayoutNames::QwertzOf("us", ""), std::optional<bool>(false));
    EXPECT_EQ(XkbLayoutNames::QwertzOf("us", "dvorak"), std::nullopt);
    EXPECT_EQ(XkbLayoutNames::QwertzOf("cz", "dvorak-ucw"), std::nullopt);
    EXPECT_EQ(XkbLayoutNames::QwertzOf("ru", ""), std::nullopt);
}

} // namespace
