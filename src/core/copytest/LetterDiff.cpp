#include "LetterDiff.h"

#include <algorithm>

namespace LetterDiff {

std::vector<bool> WrongLetters(std::string_view typed, std::string_view copy) {
    const std::size_t n = typed.size();
    const std::size_t m = copy.size();
    std::vector<bool> wrong(n, false);
    // distance[i][j]: typed[0, i) against copy[0, j).
    std::vector<std::vector<int>> distance(n + 1, std::vector<int>(m + 1, 0));
    for (std::size_t i = 0; i <= n; ++i) {
        distance[i][0] = static_cast<int>(i);
    }
    for (std::size_t j = 0; j <= m; ++j) {
        distance[0][j] = static_cast<int>(j);
    }
    for (std::size_t i = 1; i <= n; ++i) {
        for (std::size_t j = 1; j <= m; ++j) {
            const int same = typed[i - 1] == copy[j - 1] ? 0 : 1;
            int best = std::min(
                {distance[i - 1][j - 1] + same, distance[i - 1][j] + 1, distance[i][j - 1] + 1});
            if (i > 1 && j > 1 && typed[i - 1] == copy[j - 2] && typed[i - 2] == copy[j - 1]) {
                best = std::min(best, distance[i - 2][j - 2] + 1);
            }
            distance[i][j] = best;
        }
    }
    // Back from the end, preferring a kept letter, then a swap, a wrong, an extra letter.
    std::size_t i = n;
    std::size_t j = m;
    const auto markGap = [&](std::size_t at) {
        if (n > 0) {
            wrong[std::min(at, n - 1)] = true;
        }
    };
    while (i > 0 || j > 0) {
        const int here = distance[i][j];
        if (i > 0 && j > 0 && typed[i - 1] == copy[j - 1] && distance[i - 1][j - 1] == here) {
            --i, --j;
        } else if (i > 1 && j > 1 && typed[i - 1] == copy[j - 2] && typed[i - 2] == copy[j - 1] &&
                   distance[i - 2][j - 2] + 1 == here) {
            wrong[i - 1] = wrong[i - 2] = true;
            i -= 2, j -= 2;
        } else if (i > 0 && j > 0 && distance[i - 1][j - 1] + 1 == here) {
            wrong[i - 1] = true;
            --i, --j;
        } else if (i > 0 && distance[i - 1][j] + 1 == here) {
            wrong[i - 1] = true;
            --i;
        } else {
            markGap(i);
            --j;
        }
    }
    return wrong;
}

} // namespace LetterDiff
