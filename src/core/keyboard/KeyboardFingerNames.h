#pragma once
// Names the finger that strikes a character from the on-screen keyboard's own table, so that
// the evaluation's "Nejčastější chyby" and the keyboard never name different fingers.

#include "FingerNames.h"

class KeyboardLayout;

class KeyboardFingerNames final : public FingerNames {
public:
    explicit KeyboardFingerNames(const KeyboardLayout& layout) : layout_(layout) {}

    // The finger of the key that writes the character: the letter's key after a dead key,
    // the dead key for an accent on its own; Shift and AltGr are not named.
    [[nodiscard]] std::string FingerOf(unsigned char c) const override;

private:
    const KeyboardLayout& layout_;
};
