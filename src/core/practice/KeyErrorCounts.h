#pragma once
// How often each character was expected, how often a wrong key was struck instead, and which.
// Characters are code page 1250 bytes; Enter is TypingLine::kEndOfLine.

#include <array>
#include <cstdint>
#include <vector>

class IniFile;

class KeyErrorCounts {
public:
    KeyErrorCounts();

    // One keystroke checked where `expected` was to be typed.
    void Add(unsigned char expected, unsigned char typed, bool right) {
        ++attempts_[expected];
        if (!right) {
            ++errors_[expected];
            ++struck_[expected * kBytes + typed];
        }
    }
    // Takes back one keystroke counted by Add.
    void Remove(unsigned char expected, unsigned char typed, bool right);
    void Clear();

    [[nodiscard]] int Attempts(unsigned char c) const { return attempts_[c]; }
    [[nodiscard]] int Errors(unsigned char c) const { return errors_[c]; }
    // How often `typed` was struck where `expected` was to be typed.
    [[nodiscard]] int Struck(unsigned char expected, unsigned char typed) const {
        return struck_[expected * kBytes + typed];
    }
    // The wrong key struck most often instead of `expected` (the lowest byte of a tie);
    // 0 when there was no error.
    [[nodiscard]] unsigned char MostStruckInstead(unsigned char expected) const;
    [[nodiscard]] bool Empty() const;
    [[nodiscard]] int64_t TotalErrors() const;

    // Whether a text can expect the character, so that it can be counted: Enter and the
    // printable characters of the code page.
    [[nodiscard]] static bool Countable(unsigned char c);

    // Section "Chyby": key "Znaky" lists the counted characters as hexadecimal bytes
    // ("0A6165"); each of them has a key named by its byte ("65") with the value
    // "attempts,errors" followed by ",byte:count" for the wrong keys struck instead, the most
    // frequent first, at most kSavedWrongKeys of them. Keys of characters counted by an
    // earlier text are emptied. Both do nothing without a settings file.
    void Save(IniFile& ini) const;
    // Reads what Save wrote. A damaged value loses only its own character, a damaged entry of
    // "Znaky" only itself; a character no text can expect is left out, and a wrong key no
    // keystroke can strike. No count is larger than the text's totals in [Statistika]: a
    // character's attempts than its keystrokes, its errors than its errors.
    void Load(const IniFile& ini);

    bool operator==(const KeyErrorCounts&) const = default;

    static constexpr int kBytes = 256;
    static constexpr int kSavedWrongKeys = 16;
    static constexpr const char* kSection = "Chyby";

private:
    std::array<int32_t, kBytes> attempts_{};
    std::array<int32_t, kBytes> errors_{};
    std::vector<int32_t> struck_; // kBytes × kBytes: [expected][typed]
};
