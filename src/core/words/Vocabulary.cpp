#include "Vocabulary.h"

#include "CzechLetters.h"

#include <array>

namespace {

// The focus character's occurrences in `word`, or -1 when the word does not train it: a word
// trains a capital by holding it, or by starting with its small letter at a sentence's start.
int FocusCount(std::string_view word, unsigned char focus, bool& startsSentence) {
    startsSentence = false;
    int count = 0;
    for (const char c : word) {
        count += static_cast<unsigned char>(c) == focus ? 1 : 0;
    }
    if (count == 0 && CzechLetters::IsCapital(focus) &&
        static_cast<unsigned char>(word.front()) == CzechLetters::ToSmall(focus)) {
        startsSentence = true;
        count = 1;
    }
    return count > 0 ? count : -1;
}

bool Writable(std::string_view word, const std::array<bool, 256>& allowed) {
    for (const char c : word) {
        if (!allowed[static_cast<unsigned char>(c)]) {
            return false;
        }
    }
    return true;
}

} // namespace

Vocabulary::Vocabulary(const std::vector<std::string_view>& wordsByRank) {
    size_t size = 0;
    for (const std::string_view word : wordsByRank) {
        size += word.size();
    }
    text_.reserve(size);
    for (const std::string_view word : wordsByRank) {
        text_ += word;
    }
    words_.reserve(wordsByRank.size());
    size_t start = 0;
    for (const std::string_view word : wordsByRank) {
        words_.emplace_back(text_.data() + start, word.size());
        start += word.size();
    }
}

std::vector<VocabularyWord> Vocabulary::Find(const VocabularyQuery& query) const {
    std::array<bool, 256> allowed{};
    allowed.fill(query.keys.empty());
    for (const char c : query.keys) {
        allowed[static_cast<unsigned char>(c)] = true;
    }
    std::vector<VocabularyWord> found;
    for (size_t rank = 0; rank < words_.size() && found.size() < query.limit; ++rank) {
        const std::string_view word = words_[rank];
        if (word.empty() || word.size() < query.minLength) {
            continue;
        }
        bool startsSentence = false;
        if (query.focus != 0) {
            const int count = FocusCount(word, query.focus, startsSentence);
            if (count < 0 || 100 * count > query.maxFocusPercent * static_cast<int>(word.size())) {
                continue;
            }
        }
        const unsigned char first =
            startsSentence ? CzechLetters::ToCapital(static_cast<unsigned char>(word[0]))
                           : static_cast<unsigned char>(word[0]);
        if (!allowed[first] || !Writable(word.substr(1), allowed)) {
            continue;
        }
        std::string text(word);
        text[0] = static_cast<char>(first);
        found.push_back({std::move(text), static_cast<int>(rank), startsSentence});
    }
    return found;
}
