#include "TypableText.h"

#include "KeyboardLayout.h"
#include "TypedReplacements.h"

namespace TypableText {

std::optional<std::string_view> FormOf(unsigned char byte) {
    return TypedReplacements::FormOf(byte);
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
