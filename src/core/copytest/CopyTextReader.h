#pragma once
// Reads a copy text from a file: the program's own (code page 1250, the title on the first
// line, an empty line, then one line per paragraph) or a pupil's (any encoding the own-text
// loader reads, paragraphs wrapped into short lines, with or without a title line).

#include "CopyText.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

class KeyboardLayout;

class CopyTextReader {
public:
    struct Result {
        std::optional<CopyText> text;
        std::string problem; // why there is no text, for the pupil; code page 1250
    };

    // A copy of a 20-minute test is some 10 kB; a file far larger is no copy text.
    static constexpr std::size_t kMaxFileBytes = 1 << 20;

    [[nodiscard]] static Result Read(const std::string& path, const KeyboardLayout& layout);
    // The file's bytes: without a title line, `fallbackTitle` (code page 1250) stands for one.
    [[nodiscard]] static Result Parse(std::string_view bytes, const std::string& fallbackTitle,
                                      const KeyboardLayout& layout);
    // The first line of the file, code page 1250; empty when it cannot be read.
    [[nodiscard]] static std::string TitleOf(const std::string& path);
};
