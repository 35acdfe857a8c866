#include "KeyErrorCounts.h"

#include "Cp1250.h"
#include "HexDigit.h"
#include "IniFile.h"
#include "Settings.h"
#include "TypingLine.h"

#include <algorithm>
#include <string>
#include <utility>

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

std::string ByteName(unsigned char c) {
    return {kHex[c >> 4], kHex[c & 15]};
}

// Reads one non-negative decimal number at `pos` and moves past it; -1 when there is none.
int ReadNumber(const std::string& text, size_t& pos) {
    const size_t start = pos;
    int64_t value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && pos - start < 9) {
        value = value * 10 + (text[pos] - '0');
        ++pos;
    }
    return pos == start ? -1 : static_cast<int>(value);
}

// Two hexadecimal digits at `pos`; -1 when they are not there.
int ReadByte(const std::string& text, size_t pos) {
    if (pos + 2 > text.size()) {
        return -1;
    }
    const int high = HexDigit(text[pos]);
    const int low = HexDigit(text[pos + 1]);
    return high < 0 || low < 0 ? -1 : high * 16 + low;
}

} // namespace

KeyErrorCounts::KeyErrorCounts() : struck_(kBytes * kBytes, 0) {}

void KeyErrorCounts::Remove(unsigned char expected, unsigned char typed, bool right) {
    --attempts_[expected];
    if (!right) {
        --errors_[expected];
        --struck_[expected * kBytes + typed];
    }
}

void KeyErrorCounts::Clear() {
    attempts_.fill(0);
    errors_.fill(0);
    std::fill(struck_.begin(), struck_.end(), 0);
}

unsigned char KeyErrorCounts::MostStruckInstead(unsigned char expected) const {
    const auto row = struck_.begin() + expected * kBytes;
    const auto most = std::max_element(row, row + kBytes);
    return *most > 0 ? static_cast<unsigned char>(most - row) : 0;
}

bool KeyErrorCounts::Empty() const {
    return std::all_of(attempts_.begin(), attempts_.end(), [](int32_t n) { return n == 0; });
}

int64_t KeyErrorCounts::TotalErrors() const {
    int64_t total = 0;
    for (const int32_t n : errors_) {
        total += n;
    }
    return total;
}

bool KeyErrorCounts::Countable(unsigned char c) {
    if (c == TypingLine::kEndOfLine) {
        return true;
    }
    return c >= 0x20 && c != 0x7F && c != Cp1250::kUnmappable && Cp1250::ToUnicode(c) != 0xFFFD;
}

void KeyErrorCounts::Save(IniFile& ini) const {
    const std::string previous = Settings::ErrorCharacters.ReadString(ini);
    std::string characters;
    for (int c = 0; c < kBytes; ++c) {
        if (attempts_[c] <= 0) {
            continue;
        }
        const auto byte = static_cast<unsigned char>(c);
        characters += ByteName(byte);
        std::string value = std::to_string(attempts_[c]) + "," + std::to_string(errors_[c]);
        std::vector<std::pair<int32_t, int>> wrong;
        for (int typed = 0; typed < kBytes; ++typed) {
            if (struck_[c * kBytes + typed] > 0) {
                wrong.emplace_back(-struck_[c * kBytes + typed], typed);
            }
        }
        std::sort(wrong.begin(), wrong.end());
        wrong.resize(std::min<size_t>(wrong.size(), kSavedWrongKeys));
        for (const auto& [negativeCount, typed] : wrong) {
            value += "," + ByteName(static_cast<unsigned char>(typed)) + ":" +
                     std::to_string(-negativeCount);
        }
        ini.WriteString(Settings::ErrorCharacters.section, ByteName(byte), value);
    }
    // IniFile cannot delete a key; an empty value reads as nothing counted.
    for (size_t i = 0; i + 1 < previous.size(); i += 2) {
        const int c = ReadByte(previous, i);
        if (c >= 0 && attempts_[c] <= 0) {
            ini.WriteString(Settings::ErrorCharacters.section,
                            ByteName(static_cast<unsigned char>(c)), "");
        }
    }
    Settings::ErrorCharacters.WriteString(ini, characters);
}

void KeyErrorCounts::Load(const IniFile& ini) {
    Clear();
    const int keystrokes = Settings::LessonKeystrokes.ReadInteger(ini);
    const int allErrors = Settings::LessonErrors.ReadInteger(ini);
    const std::string characters = Settings::ErrorCharacters.ReadString(ini);
    for (size_t i = 0; i + 1 < characters.size(); i += 2) {
        const int c = ReadByte(characters, i);
        if (c < 0 || !Countable(static_cast<unsigned char>(c))) {
            continue;
        }
        const std::string value = ini.ReadString(Settings::ErrorCharacters.section,
                                                 ByteName(static_cast<unsigned char>(c)), "");
        size_t pos = 0;
        const int attempts = ReadNumber(value, pos);
        if (attempts < 0 || pos >= value.size() || value[pos] != ',') {
            continue;
        }
        ++pos;
        const int errors = ReadNumber(value, pos);
        if (errors < 0 || errors > attempts) {
            continue;
        }
        std::vector<std::pair<int, int>> wrong;
        int64_t wrongTotal = 0;
        bool damaged = false;
        while (pos < value.size()) {
            const int typed = value[pos] == ',' ? ReadByte(value, pos + 1) : -1;
            pos += 3;
            if (typed < 0 || pos >= value.size() || value[pos] != ':') {
                damaged = true;
                break;
            }
            ++pos;
            const int count = ReadNumber(value, pos);
            if (count <= 0) {
                damaged = true;
                break;
            }
            // Struck: any character a key writes, or Enter where it was wrong.
            if (typed >= 0x20 || typed == TypingLine::kEndOfLine) {
                wrong.emplace_back(typed, count);
            }
            wrongTotal += count;
        }
        if (damaged || wrongTotal > errors) {
            continue;
        }
        attempts_[c] = std::min(attempts, keystrokes);
        errors_[c] = std::min({errors, allErrors, attempts_[c]});
        // The wrong keys share what is left of the errors, the most frequent first.
        std::stable_sort(wrong.begin(), wrong.end(),
                         [](const auto& a, const auto& b) { return a.second > b.second; });
        int left = errors_[c];
        for (const auto& [typed, count] : wrong) {
            const int kept = std::min(count, left);
            struck_[c * kBytes + typed] = kept;
            left -= kept;
        }
    }
}
