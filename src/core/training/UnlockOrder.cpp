#include "UnlockOrder.h"

#include "CzechLetters.h"
#include "KeyboardLayout.h"
#include "LessonKeys.h"

#include <algorithm>
#include <array>

namespace {

enum class Group { Small, Capital, Punctuation, Digit, DeadKey };

Group GroupOf(unsigned char c, const KeyboardLayout& layout) {
    const KeySequence& sequence = layout.SequenceFor(c);
    const bool dead = std::any_of(sequence.strokes.begin(), sequence.strokes.end(),
                                  [](const KeyStroke& stroke) { return stroke.dead; });
    if (dead || sequence.strokes.size() > 1) {
        return Group::DeadKey;
    }
    if (c >= '0' && c <= '9') {
        return Group::Digit;
    }
    if (CzechLetters::IsCapital(c)) {
        return Group::Capital;
    }
    return CzechLetters::IsSmall(c) ? Group::Small : Group::Punctuation;
}

} // namespace

std::string UnlockOrder::For(bool qwertz) {
    const KeyboardLayout& layout = KeyboardLayout::Of(qwertz);
    const std::string taught = LessonKeys::Taught(LessonKeys::kLessons, qwertz);
    std::string order;
    for (const Group group :
         {Group::Small, Group::Capital, Group::Punctuation, Group::Digit, Group::DeadKey}) {
        for (const char c : taught) {
            const auto byte = static_cast<unsigned char>(c);
            if (c != ' ' && layout.SequenceFor(byte).Writable() && GroupOf(byte, layout) == group) {
                order += c;
            }
        }
    }
    return order;
}
