#pragma once
// Which characters each built-in lesson may use: those it introduces and all earlier lessons'.

#include <string>

class LessonKeys {
public:
    static constexpr int kLessons = 44;

    // The characters introduced by lesson n on the given layout (code page 1250); empty for a
    // review lesson and for a number outside 1..44.
    [[nodiscard]] static std::string Introduced(int lesson, bool qwertz);
    // Every character lesson n may use, the space included, once each in lesson order.
    [[nodiscard]] static std::string Taught(int lesson, bool qwertz);
};
