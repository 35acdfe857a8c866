#include "MistakeKeys.h"

#include "KeyboardLayout.h"

#include <algorithm>

int MistakeKeys::OwnKey(unsigned char c) const {
    const KeySequence& sequence = layout_.SequenceFor(c);
    if (!sequence.Writable()) {
        return -1;
    }
    // An accent on its own is its dead key followed by the space bar: the dead key is the one
    // to learn.
    const std::vector<KeyStroke>& strokes = sequence.strokes;
    size_t last = strokes.size() - 1;
    if (last > 0 && layout_.Keys()[static_cast<size_t>(strokes[last].key)].role == KeyRole::Space &&
        strokes[last - 1].dead) {
        --last;
    }
    return strokes[last].key;
}

int MistakeKeys::Of(unsigned char expected, unsigned char struck) const {
    const KeySequence& due = layout_.SequenceFor(expected);
    const KeySequence& typed = layout_.SequenceFor(struck);
    if (struck == 0 || !due.Writable() || !typed.Writable() ||
        due.strokes.back().key != typed.strokes.back().key) {
        return OwnKey(expected);
    }
    // The character's own key was struck: the chord around it, or the dead key before it,
    // went wrong.
    if (auto key = ModifierMistake(due.strokes.back(), typed.strokes.back())) {
        return *key;
    }
    const KeyStroke* dueDead = due.strokes.size() > 1 ? &due.strokes.front() : nullptr;
    const KeyStroke* typedDead = typed.strokes.size() > 1 ? &typed.strokes.front() : nullptr;
    if (dueDead != nullptr && typedDead != nullptr) {
        if (dueDead->key != typedDead->key) {
            return dueDead->key;
        }
        return ModifierMistake(*dueDead, *typedDead).value_or(OwnKey(expected));
    }
    if (dueDead != nullptr) {
        return dueDead->key;
    }
    if (typedDead != nullptr) {
        return typedDead->key;
    }
    return OwnKey(expected);
}

std::optional<int> MistakeKeys::ModifierMistake(const KeyStroke& due, const KeyStroke& typed) {
    const auto missing = [](const KeyStroke& from, const KeyStroke& in) -> int {
        for (const int modifier : from.modifiers) {
            if (std::find(in.modifiers.begin(), in.modifiers.end(), modifier) ==
                in.modifiers.end()) {
                return modifier;
            }
        }
        return -1;
    };
    if (const int left = missing(due, typed); left >= 0) {
        return left;
    }
    if (const int needless = missing(typed, due); needless >= 0) {
        return needless;
    }
    return std::nullopt;
}
