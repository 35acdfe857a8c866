#pragma once
// Names the finger that strikes a character, for the pupil (Czech, code page 1250), from the
// on-screen keyboard's own table, so that the evaluation's "Nejčastější chyby" and the keyboard
// never name different fingers.

#include <string>

class KeyboardLayout;

class FingerNames {
public:
    explicit FingerNames(const KeyboardLayout& layout) : layout_(layout) {}

    // The finger of the key that writes the character: the letter's key after a dead key,
    // the dead key for an accent on its own; Shift and AltGr are not named. Empty when the
    // layout cannot write the character.
    [[nodiscard]] std::string FingerOf(unsigned char c) const;

private:
    const KeyboardLayout& layout_;
};
