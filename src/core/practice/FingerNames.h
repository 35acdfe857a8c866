#pragma once
// Names the finger that strikes a character, for the pupil (Czech, code page 1250); the
// on-screen keyboard's finger table can stand behind it.

#include <string>

class FingerNames {
public:
    virtual ~FingerNames() = default;
    // Empty when the character has no key of its own on the Czech keyboard.
    [[nodiscard]] virtual std::string FingerOf(unsigned char c) const = 0;

protected:
    FingerNames() = default;
    FingerNames(const FingerNames&) = default;
    FingerNames& operator=(const FingerNames&) = default;
};
