#include "CzechLetters.h"

#include "Cp1250.h"

#include <array>
#include <string>

namespace {

struct Cases {
    std::array<unsigned char, 256> small{};
    std::array<unsigned char, 256> capital{};
    std::array<bool, 256> isSmall{};
    std::array<bool, 256> isCapital{};
};

const Cases& Table() {
    static const Cases cases = [] {
        Cases t;
        for (int i = 0; i < 256; ++i) {
            t.small[i] = static_cast<unsigned char>(i);
            t.capital[i] = static_cast<unsigned char>(i);
        }
        const std::string small =
            "abcdefghijklmnopqrstuvwxyz" + Cp1250::FromUtf8("áčďéěíňóřšťúůýž");
        const std::string capital =
            "ABCDEFGHIJKLMNOPQRSTUVWXYZ" + Cp1250::FromUtf8("ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ");
        for (size_t i = 0; i < small.size(); ++i) {
            const auto s = static_cast<unsigned char>(small[i]);
            const auto c = static_cast<unsigned char>(capital[i]);
            t.isSmall[s] = true;
            t.isCapital[c] = true;
            t.small[c] = s;
            t.capital[s] = c;
        }
        return t;
    }();
    return cases;
}

} // namespace

bool CzechLetters::IsLetter(unsigned char c) {
    return Table().isSmall[c] || Table().isCapital[c];
}

bool CzechLetters::IsSmall(unsigned char c) {
    return Table().isSmall[c];
}

bool CzechLetters::IsCapital(unsigned char c) {
    return Table().isCapital[c];
}

unsigned char CzechLetters::ToSmall(unsigned char c) {
    return Table().small[c];
}

unsigned char CzechLetters::ToCapital(unsigned char c) {
    return Table().capital[c];
}
