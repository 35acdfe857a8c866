#include "TypedReplacements.h"

#include "Cp1250.h"

#include <cstdio>

namespace {

struct TypedForm {
    unsigned char byte;
    std::string_view form; // ASCII, so the same in code page 1250 and UTF-8
};

// What a pupil types for the characters of code page 1250 that the Czech keyboard has no key
// for, and for the typographic ones it writes only with AltGr: the forms written with plain
// keys.
constexpr TypedForm kTyped[] = {
    {0x82, "'"},       // ‚ single low quotation mark
    {0x84, "\""},      // „ double low quotation mark
    {0x85, "..."},     // … ellipsis
    {0x86, "+"},       // † dagger, as a date of death is written without it
    {0x87, "+"},       // ‡ double dagger
    {0x89, "promile"}, // ‰ read as the word
    {0x8B, "'"},       // ‹
    {0x91, "'"},       // ‘
    {0x92, "'"},       // ’ also the typographic apostrophe
    {0x93, "\""},      // “
    {0x94, "\""},      // ”
    {0x95, "-"},       // • a list's bullet
    {0x96, "-"},       // – en dash
    {0x97, "-"},       // — em dash
    {0x99, "(TM)"},    // ™
    {0x9B, "'"},       // ›
    {0xA0, " "},       // no-break space: the pupil cannot tell it from a space
    {0xA4, "?"},       // ¤ has no typed form
    {0xAB, "\""},      // «
    {0xAC, "?"},       // ¬ neither
    {0xAD, ""},        // soft hyphen: invisible, nobody types it
    {0xB1, "+-"},      // ±
    {0xB5, "u"},       // µ as in µm
    {0xB7, "*"},       // · a multiplication dot
    {0xBB, "\""},      // »
    {0xD7, "x"},       // × multiplication sign, as "3 x 4" is typed
    {0xF7, ":"},       // ÷ division sign, written ":" in Czech
};

// A character the pupil would not see in the message (a space of another kind, an invisible
// one) is named by its code.
std::string Shown(unsigned char byte, std::string_view form) {
    const char32_t codePoint = Cp1250::ToUnicode(byte);
    if (byte == 0xA0 || byte == 0xAD || codePoint == 0xFFFD || form == " ") {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(codePoint));
        return code;
    }
    return Cp1250::ToUtf8(std::string(1, static_cast<char>(byte)));
}

std::string ShownForm(std::string_view form) {
    if (form.empty()) {
        return "vypuštěno";
    }
    return form == " " ? "mezera" : std::string(form);
}

// Every byte's form, looked up once per byte of a text of many megabytes.
const std::array<std::optional<std::string_view>, 256>& Forms() {
    static const std::array<std::optional<std::string_view>, 256> forms = [] {
        std::array<std::optional<std::string_view>, 256> table{};
        for (const TypedForm& typed : kTyped) {
            table[typed.byte] = typed.form;
        }
        // The bytes the code page leaves undefined stand for no character at all.
        for (int byte = 0x80; byte < 0x100; ++byte) {
            if (Cp1250::ToUnicode(static_cast<unsigned char>(byte)) == 0xFFFD) {
                table[static_cast<std::size_t>(byte)] = TypedReplacements::kUnknown;
            }
        }
        return table;
    }();
    return forms;
}

} // namespace

std::optional<std::string_view> TypedReplacements::FormOf(unsigned char byte) {
    return Forms()[byte];
}

void TypedReplacements::Apply(std::string& text) {
    const auto& forms = Forms();
    std::size_t at = 0;
    while (at < text.size()) {
        const auto byte = static_cast<unsigned char>(text[at]);
        const std::optional<std::string_view>& form = forms[byte];
        if (!form) {
            ++at;
            continue;
        }
        if (index_[byte] < 0) {
            index_[byte] = static_cast<int>(replacements_.size());
            replacements_.push_back({byte, std::string(*form), 0});
        }
        ++replacements_[static_cast<std::size_t>(index_[byte])].count;
        text.replace(at, 1, *form);
        at += form->size();
    }
}

std::string TypedReplacements::ListUtf8() const {
    std::string list;
    int others = 0;
    for (std::size_t i = 0; i < replacements_.size(); ++i) {
        const Replacement& r = replacements_[i];
        if (i >= kListed) {
            others += r.count;
            continue;
        }
        if (!list.empty()) {
            list += ", ";
        }
        list += Shown(r.byte, r.form) + " → " + ShownForm(r.form) + " (" + std::to_string(r.count) +
                "×)";
    }
    if (others > 0) {
        list += ", další znaky (" + std::to_string(others) + "×)";
    }
    return list;
}
