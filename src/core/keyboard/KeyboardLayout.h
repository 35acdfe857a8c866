#pragma once
// One Czech keyboard layout (QWERTZ or QWERTY): where each key lies, what it writes on each
// level, which finger strikes it, and which keys to press for each code page 1250 character.

#include "Finger.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

enum class KeyRole { Character, Shift, AltGr, Enter, Space, Backspace, Other };

// The levels of a key: plain, with Shift, with AltGr, with Shift and AltGr.
inline constexpr int kLevels = 4;

struct Key {
    KeyRole role = KeyRole::Other;
    // In key units: a letter key is 1 by 1; rows are counted from the number row.
    double x = 0;
    double row = 0;
    double width = 1;
    double height = 1;
    Finger finger = Finger::Thumb;
    // What each level writes (0: nothing); a dead key's level holds its accent.
    std::array<char32_t, kLevels> levels{};
    std::array<bool, kLevels> dead{};
    std::string_view label; // the caption of a key that writes no character, UTF-8
};

// One chord: the modifiers held down and the key struck with them.
struct KeyStroke {
    int key = -1;               // index into KeyboardLayout::Keys()
    std::vector<int> modifiers; // Shift and AltGr keys, indices into Keys()
    char32_t symbol = 0; // what the struck key writes in this chord (an accent for a dead key)
    bool dead = false;

    friend bool operator==(const KeyStroke&, const KeyStroke&) = default;
};

// The chords that write one character, in order; none when the layout cannot write it.
struct KeySequence {
    std::vector<KeyStroke> strokes;

    [[nodiscard]] bool Writable() const { return !strokes.empty(); }
    friend bool operator==(const KeySequence&, const KeySequence&) = default;
};

class KeyboardLayout {
public:
    [[nodiscard]] static const KeyboardLayout& Qwertz();
    [[nodiscard]] static const KeyboardLayout& Qwerty();
    [[nodiscard]] static const KeyboardLayout& Of(bool qwertz) {
        return qwertz ? Qwertz() : Qwerty();
    }

    [[nodiscard]] const std::vector<Key>& Keys() const { return keys_; }
    [[nodiscard]] bool IsQwertz() const { return qwertz_; }
    // The width and the height of the whole keyboard in key units.
    [[nodiscard]] double Width() const { return width_; }
    [[nodiscard]] double Rows() const { return rows_; }

    // What to press for a code page 1250 byte; TypingLine's end of line (10) is Enter.
    [[nodiscard]] const KeySequence& SequenceFor(unsigned char byte) const {
        return sequences_[byte];
    }
    // The key whose plain level writes the code point, or -1 (for tests and heat maps).
    [[nodiscard]] int KeyWriting(char32_t codePoint) const;
    [[nodiscard]] int KeyOfRole(KeyRole role, Hand hand = Hand::Either) const;
    // What the keys left and right of the key that writes `byte` write on their own, in code
    // page 1250: a capital or a letter written with a dead key counts as its letter's key (d
    // for Ď); empty when the layout cannot write the byte or no character key lies beside it.
    [[nodiscard]] std::string Neighbours(unsigned char byte) const;

private:
    explicit KeyboardLayout(bool qwertz);
    void Place(const std::vector<std::vector<Key>>& rows);
    [[nodiscard]] KeySequence Compose(char32_t codePoint) const;
    [[nodiscard]] bool Direct(char32_t codePoint, KeyStroke& stroke) const;
    [[nodiscard]] bool DeadKey(char32_t accent, KeyStroke& stroke) const;
    [[nodiscard]] std::vector<int> ModifiersFor(const Key& key, int level) const;

    bool qwertz_;
    std::vector<Key> keys_;
    double width_ = 0;
    double rows_ = 0;
    std::array<KeySequence, 256> sequences_{};
};
