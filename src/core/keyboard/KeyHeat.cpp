#include "KeyHeat.h"

#include "KeyErrorCounts.h"
#include "KeyboardLayout.h"

#include <cstdint>

std::vector<std::pair<int, HeatStep>> KeyHeat::ByKey(const KeyboardLayout& layout,
                                                     const KeyErrorCounts& counts) {
    // a and A, d and ď are one key: their attempts and errors add up before the step is taken,
    // so a rare capital does not hide the key's own record. In 64 bits: the counts of a few
    // characters may each come near the largest int.
    std::vector<int64_t> attempts(layout.Keys().size());
    std::vector<int64_t> errors(layout.Keys().size());
    for (int byte = 1; byte < KeyErrorCounts::kBytes; ++byte) {
        const auto c = static_cast<unsigned char>(byte);
        const KeySequence& sequence = layout.SequenceFor(c);
        if (counts.Attempts(c) == 0 || !sequence.Writable()) {
            continue;
        }
        const auto key = static_cast<std::size_t>(sequence.strokes.back().key);
        attempts[key] += counts.Attempts(c);
        errors[key] += counts.Errors(c);
    }
    std::vector<std::pair<int, HeatStep>> steps;
    for (std::size_t key = 0; key < attempts.size(); ++key) {
        if (attempts[key] > 0) {
            steps.emplace_back(static_cast<int>(key), HeatScale::Step(attempts[key], errors[key]));
        }
    }
    return steps;
}
