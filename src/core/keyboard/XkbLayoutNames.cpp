#include "XkbLayoutNames.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

// Layouts whose basic variant has Z beside T; the Czech one first among them.
constexpr std::array<std::string_view, 10> kQwertz = {"cz", "sk", "de", "at", "ch",
                                                      "hu", "si", "hr", "ba", "lu"};
constexpr std::array<std::string_view, 19> kQwerty = {"us", "gb", "pl", "it",    "es", "pt", "nl",
                                                      "dk", "no", "se", "fi",    "ee", "lv", "lt",
                                                      "ro", "ie", "br", "latam", "is"};
// Variants with another order of the letters, or none of their own.
constexpr std::array<std::string_view, 7> kOtherOrder = {"dvorak", "colemak", "workman", "azerty",
                                                         "bepo",   "neo",     "ucw"};

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    while (true) {
        const std::size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) {
            return parts;
        }
        text.remove_prefix(at + 1);
    }
}

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

} // namespace

std::optional<bool> XkbLayoutNames::QwertzOf(std::string_view layout, std::string_view variant) {
    if (std::any_of(kOtherOrder.begin(), kOtherOrder.end(),
                    [&](std::string_view other) { return Contains(variant, other); })) {
        return std::nullopt;
    }
    if (Contains(variant, "qwerty")) {
        return false;
    }
    if (Contains(variant, "qwertz")) {
        return true;
    }
    if (std::find(kQwertz.begin(), kQwertz.end(), layout) != kQwertz.end()) {
        return true;
    }
    if (std::find(kQwerty.begin(), kQwerty.end(), layout) != kQwerty.end()) {
        return false;
    }
    return std::nullopt;
}

std::optional<bool> XkbLayoutNames::Qwertz(std::string_view rulesNames, int group) {
    const std::vector<std::string_view> names = Split(rulesNames, '\0');
    if (names.size() < 4 || group < 0) {
        return std::nullopt;
    }
    const std::vector<std::string_view> layouts = Split(names[2], ',');
    const std::vector<std::string_view> variants = Split(names[3], ',');
    const auto index = static_cast<std::size_t>(group);
    if (index >= layouts.size() || layouts[index].empty()) {
        return std::nullopt;
    }
    return QwertzOf(layouts[index], index < variants.size() ? variants[index] : std::string_view());
}
