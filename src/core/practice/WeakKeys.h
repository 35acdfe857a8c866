#pragma once
// Ranks the characters of a text by how often the pupil struck a wrong key where they were due.

#include "KeyErrorCounts.h"

#include <vector>

struct WeakKey {
    unsigned char character; // code page 1250; Enter is TypingLine::kEndOfLine
    int attempts;
    int errors;
    int ratePerMille;            // errors per attempt, truncated
    unsigned char struckInstead; // the wrong key struck most often, 0 if none

    bool operator==(const WeakKey&) const = default;
};

class WeakKeys {
public:
    static constexpr int kShown = 5;
    static constexpr int kMinimumAttempts = KeyErrorCounts::kMinimumAttempts;

    // At most `limit` characters with at least kMinimumAttempts attempts and an error, the
    // highest rate first; at equal rates more errors first, then the lower byte. Empty after
    // a text without errors.
    [[nodiscard]] static std::vector<WeakKey> Rank(const KeyErrorCounts& counts,
                                                   int limit = kShown);
};
