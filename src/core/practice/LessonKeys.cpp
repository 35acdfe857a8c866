#include "LessonKeys.h"

#include "Cp1250.h"

#include <array>
#include <string_view>

namespace {

// Lessons 12 and 21 bring the letter of the bottom-left and the top row, which the layouts swap;
// they are marked '*' and '#' here. Capital Y and Z wait for lesson 30, the capitals with
// diacritics other than Š Ď Ž for lesson 43, after which every capital can be typed.
constexpr std::array<std::string_view, 44> kIntroducedUtf8 = {"dfjk",
                                                              "sl",
                                                              "aů",
                                                              "gh",
                                                              "ru",
                                                              "ei,",
                                                              "",
                                                              "o.",
                                                              "p",
                                                              "",
                                                              "t",
                                                              "*",
                                                              "úq",
                                                              "",
                                                              "",
                                                              "v",
                                                              "m",
                                                              "",
                                                              "c",
                                                              "xw",
                                                              "#",
                                                              "",
                                                              "b",
                                                              "n",
                                                              "",
                                                              "QWERTASDFGXCVB",
                                                              "UIOPHJKLNM",
                                                              "ř",
                                                              "á",
                                                              "YZ",
                                                              "č",
                                                              "í",
                                                              "",
                                                              "š",
                                                              "é",
                                                              "ě",
                                                              "",
                                                              "",
                                                              "ž",
                                                              "ý",
                                                              "ďťňó",
                                                              "ŠĎŽ",
                                                              "?:!/()ÁČÉĚÍŇÓŘŤÚŮÝ",
                                                              "0123456789%-"};

} // namespace

std::string LessonKeys::Introduced(int lesson, bool qwertz) {
    if (lesson < 1 || lesson > kLessons) {
        return {};
    }
    std::string keys = Cp1250::FromUtf8(kIntroducedUtf8[lesson - 1]);
    if (keys == "*") {
        keys = qwertz ? "y" : "z";
    } else if (keys == "#") {
        keys = qwertz ? "z" : "y";
    }
    return keys;
}

std::string LessonKeys::Taught(int lesson, bool qwertz) {
    std::string keys = " ";
    for (int n = 1; n <= lesson && n <= kLessons; ++n) {
        keys += Introduced(n, qwertz);
    }
    return keys;
}
