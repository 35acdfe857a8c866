#include "TypableText.h"

#include "KeyboardLayout.h"

namespace TypableText {

std::optional<std::string_view> FormOf(unsigned char byte) {
    switch (byte) {
    case 0x84: // „
    case 0x93: // “
    case 0x94: // ”
    case 0xAB: // «
    case 0xBB: // »
        return "\"";
    case 0x82: // ‚
    case 0x91: // ‘
    case 0x92: // ’
    case 0x8B: // ‹
    case 0x9B: // ›
        return "'";
    case 0x96: // –
    case 0x97: // —
        return "-";
    case 0x85: // …
        return "...";
    case 0xA0: // no-break space
        return " ";
    case 0xAD: // soft hyphen: invisible, nobody types it
        return "";
    default:
        return std::nullopt;
    }
}

Result Make(std::string_view text, const KeyboardLayout& layout) {
    Result result;
    result.text.reserve(text.size());
    bool named[256] = {};
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (const auto form = FormOf(byte)) {
            result.text += *form;
            ++result.replaced;
            continue;
        }
        if (!layout.SequenceFor(byte).Writable() && !named[byte]) {
            named[byte] = true;
            result.untypable += c;
        }
        result.text += c;
    }
    return result;
}

} // namespace TypableText
