#include "KeyTotals.h"

void KeyTotals::Add(unsigned char character, float msPerPress, bool wrong) {
    KeyTotal& total = totals_[character];
    total.character = character;
    ++total.occurrences;
    total.errors += wrong ? 1 : 0;
    if (msPerPress > 0) {
        ++total.timed;
        total.msPerPressSum += msPerPress;
    }
}

std::vector<KeyTotal> KeyTotals::Take() {
    std::vector<KeyTotal> taken;
    for (KeyTotal& total : totals_) {
        if (total.occurrences > 0) {
            taken.push_back(total);
            total = {};
        }
    }
    return taken;
}
