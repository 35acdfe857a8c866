#pragma once
// The line being copied and what has been typed of it, byte for byte in code page 1250.
// Positions run 0..69: up to 69 characters and the end-of-line marker after them.

#include "LineWidth.h"

#include <array>
#include <cstdint>
#include <string_view>

struct TypingLine {
    static constexpr int kBufferSize = 128;
    static constexpr int kLastPos = kLineWidth;
    static constexpr unsigned char kEndOfLine = 10;

    // The line's characters, the marker at patternLen, then zero bytes.
    std::array<unsigned char, kBufferSize> patternLine{};
    int32_t patternLen = 0;
    // The character last typed at each position; spaces at the start of a line.
    std::array<unsigned char, kBufferSize> typedLine{};
    int32_t typedPos = 0; // the position to be typed next, 0..69

    void SetPattern(std::string_view text);
    void ClearPattern();
    void SetTypedLine(std::string_view text);
    void ClearTypedLine();
};

// The font sample, 68 characters: the line shown before any text and in the font preview.
[[nodiscard]] std::string_view FontSampleLine();
