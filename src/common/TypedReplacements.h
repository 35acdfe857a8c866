#pragma once
// Puts in place of each character of a pupil's own text that the Czech keyboard cannot write
// what a pupil types for it there: the typographic quotes become the straight ones, the dashes
// the hyphen, × the letter x, and so on; a character with no such form becomes "?". Counts what
// it replaced, so that the pupil can be told. Works on code page 1250 text.
//
// Both layouts, QWERTZ and QWERTY, write the same characters of the code page; the keyboard's
// tests check every byte against the key sequences of each.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TypedReplacements {
public:
    struct Replacement {
        unsigned char byte;
        std::string form; // code page 1250; empty when the character is dropped
        int count;
        bool operator==(const Replacement&) const = default;
    };

    // What a character without a typed form becomes: a key every layout has, so the pupil can
    // type past it and sees that something stood there.
    static constexpr std::string_view kUnknown = "?";

    // The typed form of one byte (code page 1250; empty when it is dropped), or nothing when
    // the byte stays. Control characters (below 32, DEL) stay: removing them is the line
    // cleaning's business. The typographic characters get their plain forms even where AltGr
    // writes them: a pupil copying a text types the plain key.
    [[nodiscard]] static std::optional<std::string_view> FormOf(unsigned char byte);

    // Replaces every byte that has a typed form, in place, and counts it.
    void Apply(std::string& text);

    // In the order the characters first occurred.
    [[nodiscard]] const std::vector<Replacement>& Replacements() const { return replacements_; }
    // The replacements for a message, in UTF-8: "„ → \" (3×), – → - (1×)"; the first
    // `kListed` of them and then the number of the others.
    [[nodiscard]] std::string ListUtf8() const;
    static constexpr std::size_t kListed = 20;

private:
    std::array<int, 256> index_ = [] {
        std::array<int, 256> none{};
        none.fill(-1);
        return none;
    }(); // into replacements_, -1 before the first
    std::vector<Replacement> replacements_;
};
