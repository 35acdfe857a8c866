#pragma once
// The four character rows of the Czech keyboard (QWERTZ or QWERTY) as a plain table: which keys
// lie side by side, and which finger strikes each, as the touch-typing chart assigns them.

#include "FingerNames.h"

#include <string>

class CzechKeyRows final : public FingerNames {
public:
    explicit CzechKeyRows(bool qwertz = true) : qwertz_(qwertz) {}

    // The unshifted characters of the keys left and right of the key that types `c` (a shifted
    // character or a letter typed with a dead key counts as its base key); empty when none.
    [[nodiscard]] std::string Neighbours(unsigned char c) const;
    [[nodiscard]] std::string FingerOf(unsigned char c) const override;

    // The key's unshifted character: 'a' for 'A', 'o' for 'ó', 'd' for 'Ď', '+' for '1';
    // 0 when no key of the table types it.
    [[nodiscard]] unsigned char BaseKey(unsigned char c) const;

private:
    struct Place {
        int row = -1;
        int column = -1;
    };
    [[nodiscard]] Place Find(unsigned char c) const;

    bool qwertz_;
};
