#pragma once
// What one exercise added to each character's measure, for the history's daily summary.

#include <array>
#include <vector>

struct KeyTotal {
    unsigned char character = 0;
    int occurrences = 0;
    int errors = 0;
    int timed = 0;
    double msPerPressSum = 0; // over the timed occurrences

    friend bool operator==(const KeyTotal&, const KeyTotal&) = default;
};

class KeyTotals {
public:
    void Add(unsigned char character, float msPerPress, bool wrong);
    // The characters met since the last call, in byte order; starts afresh.
    [[nodiscard]] std::vector<KeyTotal> Take();

private:
    std::array<KeyTotal, 256> totals_{};
};
