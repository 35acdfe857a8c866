#include "PracticeTextMaker.h"

#include "Cp1250.h"
#include "KeyboardLayout.h"
#include "WordList.h"

#include <algorithm>
#include <array>
#include <random>
#include <set>
#include <string_view>

namespace {

constexpr std::string_view kIntroEndUtf8 = "slova s Vašimi nejčastějšími chybami";
constexpr int kLineAttempts = 40; // tries for a line not typed before
constexpr int kWordAttempts = 12; // tries for a word that still fits the line

struct Candidate {
    std::string_view word;
    int weight; // weak characters in the word
};

} // namespace

unsigned char PracticeTextMaker::ToLower(unsigned char c) {
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> t{};
        for (int i = 0; i < 256; ++i) {
            t[i] = static_cast<unsigned char>(i);
        }
        for (char c = 'A'; c <= 'Z'; ++c) {
            t[static_cast<unsigned char>(c)] = static_cast<unsigned char>(c - 'A' + 'a');
        }
        const std::string upper = Cp1250::FromUtf8("ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ");
        const std::string lower = Cp1250::FromUtf8("áčďéěíňóřšťúůýž");
        for (size_t i = 0; i < upper.size(); ++i) {
            t[static_cast<unsigned char>(upper[i])] = static_cast<unsigned char>(lower[i]);
        }
        return t;
    }();
    return table[c];
}

PracticeText PracticeTextMaker::Make(const WordList& words, const std::string& weak,
                                     const std::string& allowed, bool qwertz, uint32_t seed) {
    std::array<bool, 256> allowedKey{};
    allowedKey.fill(allowed.empty());
    for (const char c : allowed) {
        allowedKey[static_cast<unsigned char>(c)] = true;
    }

    PracticeText text;
    std::array<bool, 256> isWeak{};
    for (const char c : weak) {
        const unsigned char letter = ToLower(static_cast<unsigned char>(c));
        if (WordList::IsWordCharacter(letter) && allowedKey[letter] && !isWeak[letter]) {
            isWeak[letter] = true;
            text.practised += static_cast<char>(letter);
        }
    }
    if (text.practised.empty()) {
        return text;
    }
    std::array<bool, 256> isTarget = isWeak;
    const KeyboardLayout& layout = KeyboardLayout::Of(qwertz);
    for (const char c : text.practised) {
        for (const char n : layout.Neighbours(static_cast<unsigned char>(c))) {
            isTarget[static_cast<unsigned char>(n)] = true;
        }
    }

    std::vector<Candidate> candidates;
    for (const std::string_view word : words.Words()) {
        if (word.size() < 2 || word.size() > static_cast<size_t>(kMaxLineLength)) {
            continue;
        }
        int weakCount = 0;
        int targetCount = 0;
        bool fits = true;
        for (const char ch : word) {
            const auto c = static_cast<unsigned char>(ch);
            if (!allowedKey[c]) {
                fits = false;
                break;
            }
            weakCount += isWeak[c] ? 1 : 0;
            targetCount += isTarget[c] ? 1 : 0;
        }
        // A word that with its space holds a third of targets keeps every line at a third.
        if (fits && weakCount > 0 && 3 * targetCount >= static_cast<int>(word.size()) + 1) {
            candidates.push_back({word, weakCount});
        }
    }
    if (candidates.size() < kMinimumWords) {
        text.status = PracticeText::Status::TooFewWords;
        return text;
    }

    std::mt19937 random(seed);
    std::vector<int> weights;
    weights.reserve(candidates.size());
    for (const Candidate& c : candidates) {
        weights.push_back(c.weight);
    }
    std::discrete_distribution<size_t> pick(weights.begin(), weights.end());

    std::set<std::string> made;
    while (static_cast<int>(text.lines.size()) < kLines) {
        std::string line;
        for (int attempt = 0; attempt < kLineAttempts; ++attempt) {
            line.clear();
            int misses = 0;
            std::string_view last;
            while (misses < kWordAttempts) {
                const std::string_view word = candidates[pick(random)].word;
                const size_t length = line.size() + (line.empty() ? 0 : 1) + word.size();
                if (length > static_cast<size_t>(kMaxLineLength) || word == last) {
                    ++misses;
                    continue;
                }
                if (!line.empty()) {
                    line += ' ';
                }
                line += word;
                last = word;
            }
            if (made.insert(line).second) {
                break;
            }
        }
        text.lines.push_back(line);
    }

    std::string shown;
    for (const char c : text.practised) {
        shown += shown.empty() ? "" : " ";
        shown += c;
    }
    text.introLine = Cp1250::FromUtf8(kIntroPrefixUtf8) + shown + Cp1250::FromUtf8(kIntroTailUtf8) +
                     Cp1250::FromUtf8(kIntroEndUtf8);
    text.status = PracticeText::Status::Ready;
    return text;
}
