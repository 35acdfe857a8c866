#pragma once
// The desktop's keyboard layout as a test sets it.

#include "DesktopLayout.h"

class FakeDesktopLayout final : public DesktopLayout {
public:
    [[nodiscard]] std::optional<bool> Qwertz() const override { return qwertz; }

    std::optional<bool> qwertz;
};
