#include "LetterGroups.h"

#include "CzechKeyRows.h"
#include "CzechLetters.h"

#include <array>

namespace {

// 'F' the practised letter, 'o' its partner: none more than half 'F'.
constexpr std::array<std::string_view, 8> kSmallPatterns = {"oFo",  "Fo",  "oF",  "oFFo",
                                                            "FooF", "ooF", "Foo", "oFoF"};
constexpr std::array<std::string_view, 3> kCapitalPatterns = {"Fo", "Foo", "Fooo"};
// 'a' and 'b' two partners.
constexpr std::array<std::string_view, 4> kPartnerPatterns = {"aba", "ab", "abba", "aab"};

template <size_t N>
std::string_view Choose(const std::array<std::string_view, N>& patterns, std::mt19937& random) {
    return patterns[random() % N];
}

} // namespace

std::string LetterGroups::PartnersOf(unsigned char focus, std::string_view letters, bool qwertz) {
    constexpr size_t kPartners = 3;
    std::string partners;
    auto add = [&](char c) {
        if (partners.size() < kPartners && partners.find(c) == std::string::npos &&
            letters.find(c) != std::string_view::npos) {
            partners += c;
        }
    };
    for (const char n : CzechKeyRows(qwertz).Neighbours(focus)) {
        add(n);
    }
    for (const char c : letters) {
        add(c);
    }
    return partners;
}

std::string LetterGroups::Group(unsigned char focus, std::string_view partners,
                                std::mt19937& random) {
    const char partner = partners[random() % partners.size()];
    const std::string_view pattern = CzechLetters::IsCapital(focus)
                                         ? Choose(kCapitalPatterns, random)
                                         : Choose(kSmallPatterns, random);
    std::string group;
    for (const char p : pattern) {
        group += p == 'F' ? static_cast<char>(focus) : partner;
    }
    return group;
}

std::string LetterGroups::PartnerGroup(std::string_view partners, std::mt19937& random) {
    const char a = partners[random() % partners.size()];
    const char b =
        partners.size() > 1
            ? partners[(partners.find(a) + 1 + random() % (partners.size() - 1)) % partners.size()]
            : a;
    std::string group;
    for (const char p : Choose(kPartnerPatterns, random)) {
        group += p == 'a' ? a : b;
    }
    return group;
}
