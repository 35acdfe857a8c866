#include "KeystrokeNorm.h"

#include "KeyboardLayout.h"

KeystrokeNorm::KeystrokeNorm(const KeyboardLayout& layout) {
    for (int byte = 0; byte < 256; ++byte) {
        int keys = 0;
        for (const KeyStroke& stroke :
             layout.SequenceFor(static_cast<unsigned char>(byte)).strokes) {
            keys += 1 + static_cast<int>(stroke.modifiers.size());
        }
        counts_[static_cast<std::size_t>(byte)] = keys;
    }
}

int KeystrokeNorm::Count(std::string_view text) const {
    int keys = 0;
    for (const char c : text) {
        const int count = counts_[static_cast<unsigned char>(c)];
        keys += count > 0 ? count : 1;
    }
    return keys;
}
