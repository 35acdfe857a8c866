#include "WeakKeys.h"

#include <algorithm>
#include <cstdint>

std::vector<WeakKey> WeakKeys::Rank(const KeyErrorCounts& counts, int limit) {
    std::vector<WeakKey> ranked;
    for (int i = 0; i < KeyErrorCounts::kBytes; ++i) {
        const auto c = static_cast<unsigned char>(i);
        const int attempts = counts.Attempts(c);
        const int errors = counts.Errors(c);
        if (attempts < kMinimumAttempts || errors <= 0) {
            continue;
        }
        const int rate = static_cast<int>(int64_t{errors} * 1000 / attempts);
        ranked.push_back({c, attempts, errors, rate, counts.MostStruckInstead(c)});
    }
    // Cross-multiplied so that rates truncated to the same per mille still order rightly.
    std::sort(ranked.begin(), ranked.end(), [](const WeakKey& a, const WeakKey& b) {
        const int64_t left = int64_t{a.errors} * b.attempts;
        const int64_t right = int64_t{b.errors} * a.attempts;
        if (left != right) {
            return left > right;
        }
        if (a.errors != b.errors) {
            return a.errors > b.errors;
        }
        return a.character < b.character;
    });
    if (ranked.size() > static_cast<size_t>(std::max(limit, 0))) {
        ranked.resize(static_cast<size_t>(std::max(limit, 0)));
    }
    return ranked;
}
