#include "CzechKeyRows.h"

#include "Cp1250.h"
#include "TypingLine.h"

#include <array>
#include <string_view>

namespace {

enum class Finger {
    LeftLittle,
    LeftRing,
    LeftMiddle,
    LeftIndex,
    RightIndex,
    RightMiddle,
    RightRing,
    RightLittle,
    Thumb
};

constexpr int kRows = 4;

// Unshifted and shifted characters of each row, QWERTZ; QWERTY swaps y and z.
constexpr std::array<std::string_view, kRows> kBaseUtf8 = {";+ěščřžýáíé=´", "qwertzuiopú)",
                                                           "asdfghjklů§", "yxcvbnm,.-"};
constexpr std::array<std::string_view, kRows> kShiftUtf8 = {"°1234567890%ˇ", "QWERTZUIOP/(",
                                                            "ASDFGHJKL\"!", "YXCVBNM?:_"};

using F = Finger;
constexpr std::array<std::array<Finger, 13>, kRows> kFingers = {{
    {F::LeftLittle, F::LeftLittle, F::LeftRing, F::LeftMiddle, F::LeftIndex, F::LeftIndex,
     F::RightIndex, F::RightIndex, F::RightMiddle, F::RightRing, F::RightLittle, F::RightLittle,
     F::RightLittle},
    {F::LeftLittle, F::LeftRing, F::LeftMiddle, F::LeftIndex, F::LeftIndex, F::RightIndex,
     F::RightIndex, F::RightMiddle, F::RightRing, F::RightLittle, F::RightLittle, F::RightLittle},
    {F::LeftLittle, F::LeftRing, F::LeftMiddle, F::LeftIndex, F::LeftIndex, F::RightIndex,
     F::RightIndex, F::RightMiddle, F::RightRing, F::RightLittle, F::RightLittle},
    {F::LeftLittle, F::LeftRing, F::LeftMiddle, F::LeftIndex, F::LeftIndex, F::RightIndex,
     F::RightIndex, F::RightMiddle, F::RightRing, F::RightLittle},
}};

constexpr std::array<std::string_view, 9> kFingerNamesUtf8 = {
    "levý malíček",     "levý prsteníček",  "levý prostředníček",
    "levý ukazováček",  "pravý ukazováček", "pravý prostředníček",
    "pravý prsteníček", "pravý malíček",    "palec"};

// Letters typed with a dead key, and the key they are typed on.
constexpr std::string_view kDeadKeyLettersUtf8 = "óďťňÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ";
constexpr std::string_view kDeadKeyBasesUtf8 = "odtnACDEEINORSTUUYZ";

struct Tables {
    std::array<std::string, kRows> base;
    std::array<std::string, kRows> shift;
    std::string deadLetters;
    std::string deadBases;
};

const Tables& Table() {
    static const Tables tables = [] {
        Tables t;
        for (int r = 0; r < kRows; ++r) {
            t.base[r] = Cp1250::FromUtf8(kBaseUtf8[r]);
            t.shift[r] = Cp1250::FromUtf8(kShiftUtf8[r]);
        }
        t.deadLetters = Cp1250::FromUtf8(kDeadKeyLettersUtf8);
        t.deadBases = Cp1250::FromUtf8(kDeadKeyBasesUtf8);
        return t;
    }();
    return tables;
}

unsigned char Swapped(unsigned char c, bool qwertz) {
    if (qwertz) {
        return c;
    }
    switch (c) {
    case 'y':
        return 'z';
    case 'z':
        return 'y';
    case 'Y':
        return 'Z';
    case 'Z':
        return 'Y';
    default:
        return c;
    }
}

} // namespace

CzechKeyRows::Place CzechKeyRows::Find(unsigned char c) const {
    const Tables& t = Table();
    const size_t dead = t.deadLetters.find(static_cast<char>(c));
    if (dead != std::string::npos) {
        c = static_cast<unsigned char>(t.deadBases[dead]);
    }
    // The table is QWERTZ; on QWERTY the letter y lies where QWERTZ has z.
    c = Swapped(c, qwertz_);
    for (int r = 0; r < kRows; ++r) {
        for (const std::string* level : {&t.base[r], &t.shift[r]}) {
            const size_t column = level->find(static_cast<char>(c));
            if (column != std::string::npos) {
                return {r, static_cast<int>(column)};
            }
        }
    }
    return {};
}

unsigned char CzechKeyRows::BaseKey(unsigned char c) const {
    const Place place = Find(c);
    if (place.row < 0) {
        return 0;
    }
    return Swapped(static_cast<unsigned char>(Table().base[place.row][place.column]), qwertz_);
}

std::string CzechKeyRows::Neighbours(unsigned char c) const {
    const Place place = Find(c);
    if (place.row < 0) {
        return {};
    }
    const std::string& row = Table().base[place.row];
    std::string neighbours;
    for (const int column : {place.column - 1, place.column + 1}) {
        if (column >= 0 && column < static_cast<int>(row.size())) {
            neighbours +=
                static_cast<char>(Swapped(static_cast<unsigned char>(row[column]), qwertz_));
        }
    }
    return neighbours;
}

std::string CzechKeyRows::FingerOf(unsigned char c) const {
    static const std::array<std::string, 9> names = [] {
        std::array<std::string, 9> n;
        for (size_t i = 0; i < n.size(); ++i) {
            n[i] = Cp1250::FromUtf8(kFingerNamesUtf8[i]);
        }
        return n;
    }();
    if (c == ' ') {
        return names[static_cast<int>(Finger::Thumb)];
    }
    if (c == TypingLine::kEndOfLine) {
        return names[static_cast<int>(Finger::RightLittle)];
    }
    const Place place = Find(c);
    if (place.row < 0) {
        return {};
    }
    return names[static_cast<int>(kFingers[place.row][place.column])];
}
