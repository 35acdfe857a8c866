#include "FingerNames.h"

#include "Cp1250.h"
#include "KeyboardLayout.h"

#include <algorithm>

std::string FingerNames::FingerOf(unsigned char c) const {
    const KeySequence& sequence = layout_.SequenceFor(c);
    if (!sequence.Writable()) {
        return {};
    }
    // An accent on its own is its dead key followed by the space bar: the dead key is the one
    // to learn.
    const std::vector<KeyStroke>& strokes = sequence.strokes;
    const auto key = [&](size_t i) -> const Key& {
        return layout_.Keys()[static_cast<size_t>(strokes[i].key)];
    };
    size_t last = strokes.size() - 1;
    if (last > 0 && key(last).role == KeyRole::Space && strokes[last - 1].dead) {
        --last;
    }
    return NameOf(strokes[last].key);
}

std::string FingerNames::FingerOfMistake(unsigned char expected, unsigned char struck) const {
    const KeySequence& due = layout_.SequenceFor(expected);
    const KeySequence& typed = layout_.SequenceFor(struck);
    if (struck == 0 || !due.Writable() || !typed.Writable() ||
        due.strokes.back().key != typed.strokes.back().key) {
        return FingerOf(expected);
    }
    // The character's own key was struck: the chord around it, or the dead key before it,
    // went wrong.
    if (auto finger = ModifierMistake(due.strokes.back(), typed.strokes.back())) {
        return *finger;
    }
    const KeyStroke* dueDead = due.strokes.size() > 1 ? &due.strokes.front() : nullptr;
    const KeyStroke* typedDead = typed.strokes.size() > 1 ? &typed.strokes.front() : nullptr;
    if (dueDead != nullptr && typedDead != nullptr) {
        if (dueDead->key != typedDead->key) {
            return NameOf(dueDead->key);
        }
        return ModifierMistake(*dueDead, *typedDead).value_or(FingerOf(expected));
    }
    if (dueDead != nullptr) {
        return NameOf(dueDead->key);
    }
    if (typedDead != nullptr) {
        return NameOf(typedDead->key);
    }
    return FingerOf(expected);
}

std::optional<std::string> FingerNames::ModifierMistake(const KeyStroke& due,
                                                        const KeyStroke& typed) const {
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
        return NameOf(left);
    }
    if (const int needless = missing(typed, due); needless >= 0) {
        return NameOf(needless);
    }
    return std::nullopt;
}

std::string FingerNames::NameOf(int key) const {
    return Cp1250::FromUtf8(FingerName(layout_.Keys()[static_cast<size_t>(key)].finger));
}
