#pragma once
// The desktop's keyboard layout as the X server has it: the names of its layouts on the root
// window and the group now active. On any other desktop (Wayland) it cannot be told.

#include "DesktopLayout.h"

class QtDesktopLayout final : public DesktopLayout {
public:
    [[nodiscard]] std::optional<bool> Qwertz() const override;
};
