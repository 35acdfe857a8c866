#include "FingerNames.h"

#include "Cp1250.h"
#include "KeyboardLayout.h"

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
    return Cp1250::FromUtf8(FingerName(key(last).finger));
}
