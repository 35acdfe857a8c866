#include "FingerNames.h"

#include "Cp1250.h"
#include "KeyboardLayout.h"

std::string FingerNames::FingerOf(unsigned char c) const {
    return NameOf(mistakes_.OwnKey(c));
}

std::string FingerNames::FingerOfMistake(unsigned char expected, unsigned char struck) const {
    return NameOf(mistakes_.Of(expected, struck));
}

std::string FingerNames::NameOf(int key) const {
    if (key < 0) {
        return {};
    }
    return Cp1250::FromUtf8(FingerName(layout_.Keys()[static_cast<size_t>(key)].finger));
}
