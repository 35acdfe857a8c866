#pragma once
// Says in Czech which fingers write the next character: "pravý ukazováček – j".

#include <string>

class KeyboardLayout;

// The words under the keyboard for a code page 1250 byte (10 is Enter, 0 no character), UTF-8.
// Each chord names the striking finger and the key's symbol, then the fingers that hold
// Shift or AltGr; the chords of a dead-key sequence are joined by ", pak ".
[[nodiscard]] std::string FingerText(const KeyboardLayout& layout, unsigned char byte);
