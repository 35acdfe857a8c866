#pragma once
// The letters of Czech words in code page 1250: a-z, áčďéěíňóřšťúůýž and their capitals.

class CzechLetters {
public:
    [[nodiscard]] static bool IsLetter(unsigned char c);
    [[nodiscard]] static bool IsSmall(unsigned char c);
    [[nodiscard]] static bool IsCapital(unsigned char c);
    // The other case of a letter; any other byte unchanged.
    [[nodiscard]] static unsigned char ToSmall(unsigned char c);
    [[nodiscard]] static unsigned char ToCapital(unsigned char c);
};
