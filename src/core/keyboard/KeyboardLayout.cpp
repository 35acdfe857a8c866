#include "KeyboardLayout.h"

#include "Cp1250.h"

#include <algorithm>

namespace {

// The layouts are those of xkb-data's symbols/cz, variants "basic" (QWERTZ) and "qwerty", as
// xkbcomp resolves them with "pc" and "latin"; levels that write nothing in code page 1250
// are left out. Fingers follow the usual chart, as the lessons teach it: each little finger
// takes its column and everything outward, the index fingers two columns each (6 and 7 on
// the number row are the right index finger's), the thumbs the space bar and AltGr.

constexpr char32_t kDeadBit = 0x40000000;
constexpr char32_t Dead(char32_t accent) {
    return accent | kDeadBit;
}

// The accents of the dead keys, as their spacing characters.
constexpr char32_t kAcute = U'\u00B4';
constexpr char32_t kCaron = U'\u02C7';
constexpr char32_t kDiaeresis = U'\u00A8';
constexpr char32_t kRing = U'\u02DA';
constexpr char32_t kCircumflex = U'^';
constexpr char32_t kBreve = U'\u02D8';
constexpr char32_t kOgonek = U'\u02DB';
constexpr char32_t kDoubleAcute = U'\u02DD';
constexpr char32_t kCedilla = U'\u00B8';
constexpr char32_t kDotAbove = U'\u02D9';
constexpr char32_t kTilde = U'~';
constexpr char32_t kGrave = U'`';
constexpr char32_t kMacron = U'\u00AF';

using F = Finger;

Key Char(Finger finger, char32_t plain, char32_t shift, char32_t altGr = 0, char32_t both = 0) {
    Key key;
    key.role = KeyRole::Character;
    key.finger = finger;
    const std::array<char32_t, kLevels> levels{plain, shift, altGr, both};
    for (int level = 0; level < kLevels; ++level) {
        key.dead[level] = (levels[level] & kDeadBit) != 0;
        key.levels[level] = levels[level] & ~kDeadBit;
    }
    return key;
}

Key Special(KeyRole role, double width, Finger finger, std::string_view label, double height = 1) {
    Key key;
    key.role = role;
    key.width = width;
    key.height = height;
    key.finger = finger;
    key.label = label;
    if (role == KeyRole::Space) {
        key.levels = {U' ', U' ', U' ', U' '};
    }
    return key;
}

std::vector<std::vector<Key>> QwertzRows() {
    return {
        {
            Char(F::LeftLittle, U';', Dead(kRing), U'`', U'~'),
            Char(F::LeftLittle, U'+', U'1', U'!', Dead(kTilde)),
            Char(F::LeftRing, U'ě', U'2', U'@', Dead(kCaron)),
            Char(F::LeftMiddle, U'š', U'3', U'#', Dead(kCircumflex)),
            Char(F::LeftIndex, U'č', U'4', U'$', Dead(kBreve)),
            Char(F::LeftIndex, U'ř', U'5', U'%', Dead(kRing)),
            Char(F::RightIndex, U'ž', U'6', U'^', Dead(kOgonek)),
            Char(F::RightIndex, U'ý', U'7', U'&', Dead(kGrave)),
            Char(F::RightMiddle, U'á', U'8', U'*', Dead(kDotAbove)),
            Char(F::RightRing, U'í', U'9', U'{', Dead(kAcute)),
            Char(F::RightLittle, U'é', U'0', U'}', Dead(kDoubleAcute)),
            Char(F::RightLittle, U'=', U'%', U'\\', Dead(kDiaeresis)),
            Char(F::RightLittle, Dead(kAcute), Dead(kCaron), Dead(kMacron), Dead(kCedilla)),
            Special(KeyRole::Backspace, 2, F::RightLittle, "Backspace"),
        },
        {
            Special(KeyRole::Other, 1.75, F::LeftLittle, "Tab"),
            Char(F::LeftLittle, U'q', U'Q', U'\\'),
            Char(F::LeftRing, U'w', U'W', U'|', U'§'),
            Char(F::LeftMiddle, U'e', U'E', U'€', U'E'),
            Char(F::LeftIndex, U'r', U'R', U'¶', U'®'),
            Char(F::LeftIndex, U't', U'T'),
            Char(F::RightIndex, U'z', U'Z'),
            Char(F::RightIndex, U'u', U'U'),
            Char(F::RightMiddle, U'i', U'I'),
            Char(F::RightRing, U'o', U'O'),
            Char(F::RightLittle, U'p', U'P'),
            Char(F::RightLittle, U'ú', U'/', U'[', U'÷'),
            Char(F::RightLittle, U')', U'(', U']', U'×'),
            Special(KeyRole::Enter, 1.25, F::RightLittle, "Enter", 2),
        },
        {
            Special(KeyRole::Other, 1.75, F::LeftLittle, "Caps Lock"),
            Char(F::LeftLittle, U'a', U'A', U'~'),
            Char(F::LeftRing, U's', U'S', U'đ'),
            Char(F::LeftMiddle, U'd', U'D', U'Đ'),
            Char(F::LeftIndex, U'f', U'F', U'['),
            Char(F::LeftIndex, U'g', U'G', U']'),
            Char(F::RightIndex, U'h', U'H', U'`'),
            Char(F::RightIndex, U'j', U'J', U'\''),
            Char(F::RightMiddle, U'k', U'K', U'ł', U'&'),
            Char(F::RightRing, U'l', U'L', U'Ł', U'Ł'),
            Char(F::RightLittle, U'ů', U'"', U'$', Dead(kDoubleAcute)),
            Char(F::RightLittle, U'§', U'!', U'\'', U'ß'),
            Char(F::RightLittle, Dead(kDiaeresis), U'\'', U'\\', U'|'),
        },
        {
            Special(KeyRole::Shift, 1.25, F::LeftLittle, "Shift"),
            Char(F::LeftLittle, U'\\', U'|', U'/', U'¦'),
            Char(F::LeftLittle, U'y', U'Y', U'°', U'<'),
            Char(F::LeftRing, U'x', U'X', U'#', U'>'),
            Char(F::LeftMiddle, U'c', U'C', U'&', U'©'),
            Char(F::LeftIndex, U'v', U'V', U'@', U'‚'),
            Char(F::LeftIndex, U'b', U'B', U'{', U'‘'),
            Char(F::RightIndex, U'n', U'N', U'}', U'’'),
            Char(F::RightIndex, U'm', U'M', U'^'),
            Char(F::RightMiddle, U',', U'?', U'<', U'×'),
            Char(F::RightRing, U'.', U':', U'>', U'÷'),
            Char(F::RightLittle, U'-', U'_', U'*', Dead(kDotAbove)),
            Special(KeyRole::Shift, 2.75, F::RightLittle, "Shift"),
        },
        {
            Special(KeyRole::Other, 1.5, F::LeftLittle, "Ctrl"),
            Special(KeyRole::Other, 1.25, F::Thumb, ""),
            Special(KeyRole::Other, 1.25, F::Thumb, "Alt"),
            Special(KeyRole::Space, 6, F::Thumb, ""),
            Special(KeyRole::AltGr, 1.25, F::Thumb, "AltGr"),
            Special(KeyRole::Other, 1.25, F::Thumb, ""),
            Special(KeyRole::Other, 1.25, F::Thumb, ""),
            Special(KeyRole::Other, 1.25, F::RightLittle, "Ctrl"),
        },
    };
}

std::vector<std::vector<Key>> QwertyRows() {
    std::vector<std::vector<Key>> rows = QwertzRows();
    rows[0][9] = Char(F::RightRing, U'í', U'9', U'(', Dead(kAcute));
    rows[0][10] = Char(F::RightLittle, U'é', U'0', U')', Dead(kDoubleAcute));
    rows[1][6] = Char(F::RightIndex, U'y', U'Y');
    rows[1][11] = Char(F::RightLittle, U'ú', U'/', U'[', U'{');
    rows[1][12] = Char(F::RightLittle, U')', U'(', U']', U'}');
    rows[2][10] = Char(F::RightLittle, U'ů', U'"', U';', U':');
    rows[3][2] = Char(F::LeftLittle, U'z', U'Z', U'°', U'<');
    return rows;
}

// What a dead key followed by a base character writes, as far as code page 1250 holds it.
struct Composition {
    char32_t accent;
    std::u32string_view bases;
    std::u32string_view results;
};

constexpr std::array<Composition, 11> kCompositions{{
    {kAcute, U"aeiouylrszncAEIOUYLRSZNC ", U"áéíóúýĺŕśźńćÁÉÍÓÚÝĹŔŚŹŃĆ´"},
    {kCaron, U"cdenrstzlCDENRSTZL ", U"čďěňřšťžľČĎĚŇŘŠŤŽĽˇ"},
    {kDiaeresis, U"aeouAEOU ", U"äëöüÄËÖÜ¨"},
    {kRing, U"uU", U"ůŮ"},
    {kCircumflex, U"aioAIO", U"âîôÂÎÔ"},
    {kBreve, U"aA ", U"ăĂ˘"},
    {kOgonek, U"aeAE ", U"ąęĄĘ˛"},
    {kDoubleAcute, U"ouOU ", U"őűŐŰ˝"},
    {kCedilla, U"cstCST ", U"çşţÇŞŢ¸"},
    {kDotAbove, U"zZ ", U"żŻ˙"},
    {kMacron, U"", U""},
}};

} // namespace

KeyboardLayout::KeyboardLayout(bool qwertz) : qwertz_(qwertz) {
    Place(qwertz ? QwertzRows() : QwertyRows());
    for (int byte = 0; byte < 256; ++byte) {
        const auto cp = static_cast<unsigned char>(byte);
        if (cp == 10) {
            KeyStroke enter;
            enter.key = KeyOfRole(KeyRole::Enter);
            enter.symbol = U'\n';
            sequences_[cp].strokes.push_back(enter);
        } else if (cp >= 0x20) {
            const char32_t codePoint = Cp1250::ToUnicode(cp);
            if (codePoint != 0xFFFD) {
                sequences_[cp] = Compose(codePoint);
            }
        }
    }
}

const KeyboardLayout& KeyboardLayout::Qwertz() {
    static const KeyboardLayout layout(true);
    return layout;
}

const KeyboardLayout& KeyboardLayout::Qwerty() {
    static const KeyboardLayout layout(false);
    return layout;
}

void KeyboardLayout::Place(const std::vector<std::vector<Key>>& rows) {
    for (std::size_t row = 0; row < rows.size(); ++row) {
        double x = 0;
        for (Key key : rows[row]) {
            key.x = x;
            key.row = static_cast<double>(row);
            x += key.width;
            keys_.push_back(key);
        }
        width_ = std::max(width_, x);
    }
    rows_ = static_cast<double>(rows.size());
}

int KeyboardLayout::KeyWriting(char32_t codePoint) const {
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        if (keys_[i].role != KeyRole::Other && keys_[i].levels[0] == codePoint &&
            !keys_[i].dead[0]) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int KeyboardLayout::KeyOfRole(KeyRole role, Hand hand) const {
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        const Key& key = keys_[i];
        if (key.role == role && (hand == Hand::Either || HandOf(key.finger) == hand)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string KeyboardLayout::Neighbours(unsigned char byte) const {
    const KeySequence& sequence = SequenceFor(byte);
    if (!sequence.Writable()) {
        return {};
    }
    const auto key = static_cast<std::size_t>(sequence.strokes.back().key);
    std::string neighbours;
    for (const std::size_t side : {key - 1, key + 1}) {
        // Keys lie row by row: the one before the row's first key ends the row above.
        if (side >= keys_.size() || keys_[side].row != keys_[key].row ||
            keys_[side].role != KeyRole::Character) {
            continue;
        }
        const unsigned char written = Cp1250::FromUnicode(keys_[side].levels[0]);
        if (written != Cp1250::kUnmappable) {
            neighbours += static_cast<char>(written);
        }
    }
    return neighbours;
}

// Shift is held by the other hand than the one that strikes; AltGr by the right thumb.
std::vector<int> KeyboardLayout::ModifiersFor(const Key& key, int level) const {
    std::vector<int> modifiers;
    if (level % 2 == 1) {
        const Hand shiftHand = HandOf(key.finger) == Hand::Left ? Hand::Right : Hand::Left;
        modifiers.push_back(KeyOfRole(KeyRole::Shift, shiftHand));
    }
    if (level >= 2) {
        modifiers.push_back(KeyOfRole(KeyRole::AltGr));
    }
    return modifiers;
}

// The lowest level wins (a plain key before one with Shift), then the first key in the rows.
bool KeyboardLayout::Direct(char32_t codePoint, KeyStroke& stroke) const {
    for (int level = 0; level < kLevels; ++level) {
        for (std::size_t i = 0; i < keys_.size(); ++i) {
            const Key& key = keys_[i];
            if (key.levels[level] == codePoint && !key.dead[level]) {
                stroke = {static_cast<int>(i), ModifiersFor(key, level), codePoint, false};
                return true;
            }
        }
    }
    return false;
}

bool KeyboardLayout::DeadKey(char32_t accent, KeyStroke& stroke) const {
    for (int level = 0; level < kLevels; ++level) {
        for (std::size_t i = 0; i < keys_.size(); ++i) {
            const Key& key = keys_[i];
            if (key.levels[level] == accent && key.dead[level]) {
                stroke = {static_cast<int>(i), ModifiersFor(key, level), accent, true};
                return true;
            }
        }
    }
    return false;
}

KeySequence KeyboardLayout::Compose(char32_t codePoint) const {
    KeySequence sequence;
    KeyStroke stroke;
    if (Direct(codePoint, stroke)) {
        sequence.strokes.push_back(stroke);
        return sequence;
    }
    for (const Composition& composition : kCompositions) {
        const std::size_t at = composition.results.find(codePoint);
        KeyStroke accent;
        KeyStroke base;
        if (at != std::u32string_view::npos && DeadKey(composition.accent, accent) &&
            Direct(composition.bases[at], base)) {
            sequence.strokes = {accent, base};
            return sequence;
        }
    }
    return sequence;
}
