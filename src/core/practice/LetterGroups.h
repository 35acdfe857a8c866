#pragma once
// Groups of letters as the first lessons drill them ("fdf jkj dffd"), for a practised letter that
// too few words can train with the keys taught so far: the letter between the keys beside it.

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

class LetterGroups {
public:
    // The letters a practised letter is drilled with: those of `letters` on the keys beside its
    // key first, then the others in their order (the lessons teach the home row first); at most
    // three. `letters` holds no practised letter.
    [[nodiscard]] static std::string PartnersOf(unsigned char focus, std::string_view letters,
                                                bool qwertz);

    // A group of `focus` and one of its partners, at most half of its letters `focus`: "fdf",
    // "dffd", "df"; a capital leads its group, as a name does ("Cv", "Cvv").
    [[nodiscard]] static std::string Group(unsigned char focus, std::string_view partners,
                                           std::mt19937& random);
    // A group of the partners alone ("jkj", "kj"), to space the practised letter out.
    [[nodiscard]] static std::string PartnerGroup(std::string_view partners, std::mt19937& random);
};
