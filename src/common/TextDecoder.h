#pragma once
// Converts a pupil's own text from the encoding it was saved in to code page 1250, putting
// a typable form in place of every character the code page or the Czech keyboard lacks,
// and counts what it replaced so that the pupil can be told.

#include "TextEncodingDetector.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TextDecoder {
public:
    struct Replacement {
        char32_t codePoint;
        std::string form; // code page 1250; empty when the character was dropped
        int count;
        bool operator==(const Replacement&) const = default;
    };

    explicit TextDecoder(TextEncoding encoding) : encoding_(encoding) {}

    // Appends the code page 1250 form of the next bytes of the file to `out`. A character
    // split between two pieces is completed by the next call.
    void Decode(std::string_view bytes, std::string& out);
    // Ends the file: an incomplete character at its end becomes a replaced one.
    void Finish(std::string& out);

    // In the order the characters first occurred.
    [[nodiscard]] const std::vector<Replacement>& Replacements() const { return replacements_; }
    // The replacements for a message, in UTF-8: "… → ... (3×), ñ → n (1×)"; the first
    // `kListed` of them and then the number of the others.
    [[nodiscard]] std::string ListUtf8() const;
    static constexpr std::size_t kListed = 20;

private:
    void DecodeUtf8(std::string_view bytes, std::string& out);
    void DecodeUtf16(std::string_view bytes, std::string& out);
    void Put(char32_t codePoint, std::string& out);

    TextEncoding encoding_;
    bool atStart_ = true;
    // UTF-8: continuation bytes still expected and the code point so far.
    int pending_ = 0;
    char32_t partial_ = 0;
    // UTF-16: the first byte of a unit, and a high surrogate waiting for its partner.
    int oddByte_ = -1;
    char32_t highSurrogate_ = 0;

    std::vector<Replacement> replacements_;
    std::unordered_map<char32_t, std::size_t> index_;
};
