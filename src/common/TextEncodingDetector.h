#pragma once
// Tells from the bytes of a pupil's own text file which encoding it was saved in.

#include <string>
#include <string_view>

enum class TextEncoding { Cp1250, Utf8, Utf16LE, Utf16BE };

class TextEncodingDetector {
public:
    // Takes the file's bytes in order, in pieces of any size.
    void Feed(std::string_view bytes);
    // Whether more bytes can still change the result.
    [[nodiscard]] bool Decided() const;
    // A byte order mark decides; without one, text that is valid UTF-8 and holds at least
    // one multi-byte sequence is UTF-8 (a Czech text in code page 1250 practically never
    // is), everything else code page 1250. Pure ASCII reads the same either way.
    [[nodiscard]] TextEncoding Result() const;

private:
    [[nodiscard]] TextEncoding FromMark() const;

    std::string head_;                       // the first bytes, for the byte order mark
    int pending_ = 0;                        // continuation bytes the current sequence still needs
    unsigned char low_ = 0x80, high_ = 0xBF; // the range of the next continuation byte
    bool invalid_ = false;
    bool multibyte_ = false;
};
