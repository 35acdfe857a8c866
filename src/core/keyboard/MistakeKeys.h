#pragma once
// Which key of a character's key sequence the pupil got wrong, so that the error table names
// its finger and the heat map colours it: a Shift or AltGr left out or held needlessly, a dead
// key left out or struck needlessly, or else the character's own key.

#include <optional>

class KeyboardLayout;
struct KeyStroke;

class MistakeKeys {
public:
    explicit MistakeKeys(const KeyboardLayout& layout) : layout_(layout) {}

    // The key that writes the character: the letter's key after a dead key, the dead key for an
    // accent on its own (followed by the space bar); -1 when the layout cannot write it.
    [[nodiscard]] int OwnKey(unsigned char c) const;

    // The key of the step of `expected`'s keys that went wrong when `struck` was typed: C typed
    // as c the Shift that was due, ď typed as d the dead key (or the Shift held with it), a
    // wrong key the key that was due (OwnKey). Without a key struck (0), or for one the layout
    // cannot write, OwnKey.
    [[nodiscard]] int Of(unsigned char expected, unsigned char struck) const;

private:
    // The first difference between two chords on the same key, the modifiers due first;
    // nullopt when they are the same chord.
    [[nodiscard]] static std::optional<int> ModifierMistake(const KeyStroke& due,
                                                            const KeyStroke& typed);

    const KeyboardLayout& layout_;
};
