#pragma once
// Tells the letter order of the keyboard layout the desktop types with, so that the lesson
// dialog can warn when a lesson is chosen for the other one.

#include <optional>

class DesktopLayout {
public:
    virtual ~DesktopLayout() = default;
    // True for QWERTZ, false for QWERTY; nothing when it cannot be told (another kind of
    // desktop, a layout of another letter order).
    [[nodiscard]] virtual std::optional<bool> Qwertz() const = 0;
};
