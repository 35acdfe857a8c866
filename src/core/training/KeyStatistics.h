#pragma once
// How fast and how surely the pupil writes each character: its last occurrences, each timed per
// key press (ď, three presses, is judged like d) and with the character struck instead when it
// went wrong. Old occurrences fall out, so a key measures the pupil as they type today.

#include <array>
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct KeyOccurrence {
    // Milliseconds per key press; 0 when untimed (the first keystroke of a text, after a pause).
    float msPerPress = 0;
    // The character struck instead; 0 when the character was right.
    unsigned char struck = 0;

    friend bool operator==(const KeyOccurrence&, const KeyOccurrence&) = default;
};

struct KeyMeasure {
    int occurrences = 0;
    int timed = 0;
    double speed = 0;     // key presses per minute over the timed occurrences; 0 without any
    double errorRate = 0; // the share of wrong occurrences, 0 to 1
};

class KeyStatistics {
public:
    // A key is measured over its last this many occurrences.
    static constexpr size_t kWindow = 50;

    void Add(unsigned char character, KeyOccurrence occurrence);
    [[nodiscard]] KeyMeasure Measure(unsigned char character) const;
    // The characters struck instead of this one, the most frequent first.
    [[nodiscard]] std::vector<std::pair<unsigned char, int>>
    StruckInstead(unsigned char character) const;
    [[nodiscard]] const std::deque<KeyOccurrence>& Occurrences(unsigned char character) const {
        return windows_[character];
    }

    // One line a character: its byte, then its occurrences ("ms" or "ms/struck"); Load reads
    // what Save wrote and skips what it cannot read.
    [[nodiscard]] std::string Save() const;
    void Load(std::string_view saved);

private:
    std::array<std::deque<KeyOccurrence>, 256> windows_{};
};
