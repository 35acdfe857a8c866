#include "TextEncodingDetector.h"

namespace {
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";
} // namespace

void TextEncodingDetector::Feed(std::string_view bytes) {
    if (head_.size() < kUtf8Mark.size()) {
        head_ += bytes.substr(0, kUtf8Mark.size() - head_.size());
    }
    for (const char c : bytes) {
        if (invalid_) {
            return;
        }
        const auto byte = static_cast<unsigned char>(c);
        if (pending_ > 0) {
            if (byte < low_ || byte > high_) {
                invalid_ = true;
                return;
            }
            low_ = 0x80;
            high_ = 0xBF;
            if (--pending_ == 0) {
                multibyte_ = true;
            }
            continue;
        }
        // The ranges of the second byte rule out overlong forms, surrogates and code
        // points beyond U+10FFFF, as strict UTF-8 does.
        if (byte < 0x80) {
            continue;
        }
        if (byte >= 0xC2 && byte <= 0xDF) {
            pending_ = 1;
        } else if (byte >= 0xE0 && byte <= 0xEF) {
            pending_ = 2;
            low_ = byte == 0xE0 ? 0xA0 : 0x80;
            high_ = byte == 0xED ? 0x9F : 0xBF;
        } else if (byte >= 0xF0 && byte <= 0xF4) {
            pending_ = 3;
            low_ = byte == 0xF0 ? 0x90 : 0x80;
            high_ = byte == 0xF4 ? 0x8F : 0xBF;
        } else {
            invalid_ = true;
        }
    }
}

TextEncoding TextEncodingDetector::FromMark() const {
    const std::string_view head = head_;
    if (head.starts_with(kUtf8Mark)) {
        return TextEncoding::Utf8;
    }
    if (head.starts_with(kUtf16LEMark)) {
        return TextEncoding::Utf16LE;
    }
    if (head.starts_with(kUtf16BEMark)) {
        return TextEncoding::Utf16BE;
    }
    return TextEncoding::Cp1250;
}

bool TextEncodingDetector::Decided() const {
    return (head_.size() >= kUtf8Mark.size() && FromMark() != TextEncoding::Cp1250) || invalid_;
}

TextEncoding TextEncodingDetector::Result() const {
    const TextEncoding marked = FromMark();
    if (marked != TextEncoding::Cp1250) {
        return marked;
    }
    // A sequence cut off by the end of the file does not undo the UTF-8 before it.
    return !invalid_ && multibyte_ ? TextEncoding::Utf8 : TextEncoding::Cp1250;
}
