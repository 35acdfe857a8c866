#pragma once
// The fingers that strike the keys, in the order they lie on the keyboard, and their Czech names.

#include <array>
#include <string_view>

// Both thumbs share the space bar and AltGr, so they are one finger here: "palec".
enum class Finger {
    LeftLittle,
    LeftRing,
    LeftMiddle,
    LeftIndex,
    Thumb,
    RightIndex,
    RightMiddle,
    RightRing,
    RightLittle,
};

enum class Hand { Left, Right, Either };

inline constexpr std::array<Finger, 9> kAllFingers{
    Finger::LeftLittle, Finger::LeftRing,    Finger::LeftMiddle, Finger::LeftIndex,   Finger::Thumb,
    Finger::RightIndex, Finger::RightMiddle, Finger::RightRing,  Finger::RightLittle,
};

// The name the lessons' intro lines use ("levý malíček", "palec"), UTF-8.
[[nodiscard]] std::string_view FingerName(Finger finger);

[[nodiscard]] constexpr Hand HandOf(Finger finger) {
    if (finger == Finger::Thumb) {
        return Hand::Either;
    }
    return finger < Finger::Thumb ? Hand::Left : Hand::Right;
}
