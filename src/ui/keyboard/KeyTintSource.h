#pragma once
// Colours for the keyboard's keys that another feature chooses (the training's speed per key),
// in place of the finger tints and the heat map while it has some; and what a click on a key
// means to it.

#include <QColor>
#include <QString>

#include <map>
#include <optional>
#include <utility>
#include <vector>

class KeyboardLayout;
class QPalette;

struct KeyTints {
    std::map<int, QColor> tints; // by key index of the layout
    std::vector<std::pair<QColor, QString>> legend;
};

class KeyTintSource {
public:
    virtual ~KeyTintSource() = default;
    // nullopt leaves the keyboard its own colours.
    [[nodiscard]] virtual std::optional<KeyTints> Tints(const KeyboardLayout& layout,
                                                        const QPalette& palette) const = 0;
    // The pupil clicked the key (an index into the layout's keys).
    virtual void KeyClicked(const KeyboardLayout& layout, int key) = 0;

protected:
    KeyTintSource() = default;
    KeyTintSource(const KeyTintSource&) = default;
    KeyTintSource& operator=(const KeyTintSource&) = default;
};
