#pragma once
// The error heat map of a keyboard: each key's step from the errors of every character written
// with it, a Shift or dead-key character counting for the key struck last (ď for d).

#include "HeatScale.h"

#include <utility>
#include <vector>

class KeyboardLayout;
class KeyErrorCounts;

class KeyHeat {
public:
    // The keys that wrote a counted character, in key order, with their steps; a character the
    // layout cannot write counts for no key.
    [[nodiscard]] static std::vector<std::pair<int, HeatStep>> ByKey(const KeyboardLayout& layout,
                                                                     const KeyErrorCounts& counts);
};
