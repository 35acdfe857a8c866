#include "TextDecoder.h"

#include "Cp1250.h"
#include "TypableForm.h"

#include <cstdio>
#include <utility>

namespace {

constexpr char32_t kBroken = 0xFFFD; // a malformed sequence, replaced like any other

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// A character the pupil could not see in the message (a space of another width, a mark
// without width, a control character) is named by its code.
std::string Shown(char32_t codePoint, std::string_view form) {
    std::string shown;
    if (codePoint < 0xA1 || form == " " || form.empty()) {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(codePoint));
        return code;
    }
    Cp1250::AppendUtf8(shown, codePoint);
    return shown;
}

std::string ShownForm(const std::string& form) {
    if (form.empty()) {
        return "vypuštěno";
    }
    return form == " " ? "mezera" : form;
}

} // namespace

void TextDecoder::Decode(std::string_view bytes, std::string& out) {
    switch (encoding_) {
    case TextEncoding::Cp1250:
        out += bytes;
        atStart_ = false;
        break;
    case TextEncoding::Utf8:
        DecodeUtf8(bytes, out);
        break;
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE:
        DecodeUtf16(bytes, out);
        break;
    }
}

void TextDecoder::Finish(std::string& out) {
    if (pending_ > 0 || oddByte_ >= 0 || highSurrogate_ != 0) {
        Put(kBroken, out);
    }
    pending_ = 0;
    oddByte_ = -1;
    highSurrogate_ = 0;
}

void TextDecoder::DecodeUtf8(std::string_view bytes, std::string& out) {
    for (std::size_t i = 0; i < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (pending_ > 0) {
            if (!IsContinuation(byte)) {
                // The sequence broke off; the byte that broke it starts afresh.
                pending_ = 0;
                Put(kBroken, out);
                continue;
            }
            partial_ = (partial_ << 6) | (byte & 0x3F);
            ++i;
            if (--pending_ == 0) {
                Put(partial_, out);
            }
            continue;
        }
        ++i;
        if (byte < 0x80) {
            Put(byte, out);
        } else if ((byte & 0xE0) == 0xC0) {
            pending_ = 1;
            partial_ = byte & 0x1F;
        } else if ((byte & 0xF0) == 0xE0) {
            pending_ = 2;
            partial_ = byte & 0x0F;
        } else if ((byte & 0xF8) == 0xF0) {
            pending_ = 3;
            partial_ = byte & 0x07;
        } else {
            Put(kBroken, out);
        }
    }
}

void TextDecoder::DecodeUtf16(std::string_view bytes, std::string& out) {
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (oddByte_ < 0) {
            oddByte_ = byte;
            continue;
        }
        const char32_t unit = encoding_ == TextEncoding::Utf16LE
                                  ? char32_t(oddByte_) | (char32_t(byte) << 8)
                                  : (char32_t(oddByte_) << 8) | char32_t(byte);
        oddByte_ = -1;
        if (highSurrogate_ != 0) {
            const char32_t high = highSurrogate_;
            highSurrogate_ = 0;
            if (unit >= 0xDC00 && unit <= 0xDFFF) {
                Put(0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00), out);
                continue;
            }
            Put(kBroken, out);
        }
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            highSurrogate_ = unit;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            Put(kBroken, out);
        } else {
            Put(unit, out);
        }
    }
}

void TextDecoder::Put(char32_t codePoint, std::string& out) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
        atStart_ = false;
        return;
    }
    // The byte order mark says how the file is encoded; it is no part of the text.
    if (std::exchange(atStart_, false) && codePoint == 0xFEFF) {
        return;
    }
    const auto form = TypableForm::For(codePoint);
    if (!form) {
        out += static_cast<char>(Cp1250::FromUnicode(codePoint));
        return;
    }
    const auto [it, added] = index_.try_emplace(codePoint, replacements_.size());
    if (added) {
        replacements_.push_back({codePoint, Cp1250::FromUtf8(*form), 0});
    }
    Replacement& replacement = replacements_[it->second];
    ++replacement.count;
    out += replacement.form;
}

std::string TextDecoder::ListUtf8() const {
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
        const std::string form = Cp1250::ToUtf8(r.form);
        list += Shown(r.codePoint, form) + " → " + ShownForm(form) + " (" +
                std::to_string(r.count) + "×)";
    }
    if (others > 0) {
        list += ", další znaky (" + std::to_string(others) + "×)";
    }
    return list;
}
