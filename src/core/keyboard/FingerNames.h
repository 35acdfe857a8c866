#pragma once
// Names the finger that strikes a character, for the pupil (Czech, code page 1250), from the
// on-screen keyboard's own table, so that the evaluation's "Nejčastější chyby" and the keyboard
// never name different fingers.

#include "MistakeKeys.h"

#include <string>

class KeyboardLayout;

class FingerNames {
public:
    explicit FingerNames(const KeyboardLayout& layout) : layout_(layout), mistakes_(layout) {}

    // The finger of the key that writes the character: the letter's key after a dead key,
    // the dead key for an accent on its own; Shift and AltGr are not named. Empty when the
    // layout cannot write the character.
    [[nodiscard]] std::string FingerOf(unsigned char c) const;

    // The finger to practise when `struck` was typed where `expected` was due: the finger of the
    // step of `expected`'s keys that went wrong (MistakeKeys). Shift or AltGr left out or held
    // needlessly names the finger that holds it (C typed as c: the right little finger on the
    // right Shift), a dead key left out or struck needlessly the dead key's finger (ď typed as
    // d: the right little finger), a wrong key the finger of the key that was due (FingerOf).
    [[nodiscard]] std::string FingerOfMistake(unsigned char expected, unsigned char struck) const;

private:
    [[nodiscard]] std::string NameOf(int key) const;

    const KeyboardLayout& layout_;
    MistakeKeys mistakes_;
};
