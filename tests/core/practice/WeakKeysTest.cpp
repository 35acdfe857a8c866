// The ranking of the evaluation's "Nejčastější chyby".

#include "WeakKeys.h"

#include <gtest/gtest.h>

namespace {

void Strike(KeyErrorCounts& counts, unsigned char expected, int right, int wrong,
            unsigned char instead) {
    for (int i = 0; i < right; ++i) {
        counts.Add(expected, expected, true);
    }
    for (int i = 0; i < wrong; ++i) {
        counts.Add(expected, instead, false);
    }
}

TEST(WeakKeys, RanksByRateThenErrorsAmongCharactersTypedOftenEnough) {
    KeyErrorCounts counts;
    Strike(counts, 0xF8, 2, 2, 0xE8); // ř 2 of 4
    Strike(counts, 0xEC, 3, 3, 0x9A); // ě 3 of 6: the same rate, more errors
    Strike(counts, 'k', 5, 1, 'l');
    counts.Add('k', 'j', false);    // k: 2 of 7, l struck once and j once
    Strike(counts, 'x', 0, 2, 'c'); // two attempts only
    Strike(counts, 'a', 9, 1, 's');
    Strike(counts, 'b', 1, 0, 'b');
    Strike(counts, 10, 5, 1, ' ');    // Enter
    Strike(counts, 'e', 299, 1, 'r'); // 1 of 300: the sixth

    const std::vector<WeakKey> expected = {
        {0xEC, 6, 3, 500, 0x9A}, {0xF8, 4, 2, 500, 0xE8}, {'k', 7, 2, 285, 'j'},
        {10, 6, 1, 166, ' '},    {'a', 10, 1, 100, 's'},
    };
    EXPECT_EQ(WeakKeys::Rank(counts), expected);
    EXPECT_EQ(WeakKeys::Rank(counts, 2).size(), 2u);
}

TEST(WeakKeys, ATextWithoutErrorsShowsNothing) {
    KeyErrorCounts counts;
    Strike(counts, 'a', 50, 0, 'a');
    EXPECT_TRUE(WeakKeys::Rank(counts).empty());
    EXPECT_TRUE(WeakKeys::Rank(KeyErrorCounts()).empty());
}

} // namespace
