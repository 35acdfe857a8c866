#pragma once
// The key-down codes of the keys the program knows, numbered as the typing engine and its
// tests have always numbered them (the Windows virtual keys).

#include <cstdint>

enum class VirtualKey : uint16_t {
    None = 0, // a key the engine consumed
    Backspace = 8,
    Tab = 9,
    Return = 13,
    Shift = 16,
    Control = 17,
    Alt = 18,
    Escape = 27,
    Space = 32,
    Left = 37,
    Up = 38,
    Right = 39,
    Down = 40,
    Delete = 46,
    Digit0 = 48,  // to Digit0 + 9
    A = 65,       // to A + 25
    F1 = 112,     // to F1 + 23
    Other = 0xFF, // a key the engine has no use for
};
