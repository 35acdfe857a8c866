#include "FingerText.h"

#include "Cp1250.h"
#include "KeyboardLayout.h"

namespace {

std::string Utf8(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

std::string SymbolText(const Key& key, const KeyStroke& stroke) {
    switch (key.role) {
    case KeyRole::Space:
        return "mezerník";
    case KeyRole::Enter:
        return "Enter";
    default:
        return Utf8(stroke.symbol);
    }
}

std::string ChordText(const KeyboardLayout& layout, const KeyStroke& stroke) {
    const std::vector<Key>& keys = layout.Keys();
    const Key& key = keys[static_cast<std::size_t>(stroke.key)];
    std::string text = std::string(FingerName(key.finger)) + " – " + SymbolText(key, stroke);
    std::string shift;
    bool altGr = false;
    for (const int modifier : stroke.modifiers) {
        const Key& held = keys[static_cast<std::size_t>(modifier)];
        if (held.role == KeyRole::Shift) {
            shift = FingerName(held.finger);
        } else {
            altGr = true;
        }
    }
    if (!shift.empty() && altGr) {
        text += " (se Shiftem a AltGr: " + shift + " a palec)";
    } else if (!shift.empty()) {
        text += " (se Shiftem: " + shift + ")";
    } else if (altGr) {
        text += " (s AltGr: palec)";
    }
    return text;
}

} // namespace

std::string FingerText(const KeyboardLayout& layout, unsigned char byte) {
    if (byte == 0) {
        return {};
    }
    const KeySequence& sequence = layout.SequenceFor(byte);
    if (!sequence.Writable()) {
        return "znak „" + Cp1250::ToUtf8(std::string(1, static_cast<char>(byte))) +
               "“ na české klávesnici nenapíšete";
    }
    std::string text;
    for (const KeyStroke& stroke : sequence.strokes) {
        if (!text.empty()) {
            text += ", pak ";
        }
        text += ChordText(layout, stroke);
    }
    return text;
}
