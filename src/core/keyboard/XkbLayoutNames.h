#pragma once
// Reads the letter order of an X keyboard layout from its names, as the X server keeps them in
// the root window's property _XKB_RULES_NAMES: the rules, the model, the layouts ("cz,us"),
// their variants (",qwerty") and the options, each ended by a NUL.

#include <optional>
#include <string_view>

class XkbLayoutNames {
public:
    // The order of the layout of `group` (the active one, counted from 0); nothing when the
    // property names no such layout or its order cannot be told.
    [[nodiscard]] static std::optional<bool> Qwertz(std::string_view rulesNames, int group);
    // True for QWERTZ, false for QWERTY, nothing for another order (AZERTY, Dvorak, ...) or a
    // layout without Latin letters.
    [[nodiscard]] static std::optional<bool> QwertzOf(std::string_view layout,
                                                      std::string_view variant);
};
