#pragma once
// The Czech words that texts for practice are made of, the most common first: the forms the
// program's own lessons and copy texts use, then other forms of the same words (the word list
// beside the program, tools/practice/make_word_list.py). Answers which words a pupil can type
// with the keys taught so far, and which of them train one character.

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

struct VocabularyWord {
    std::string text;            // as it is to be typed (code page 1250)
    int rank = 0;                // 0 the most common word of the vocabulary
    bool startsSentence = false; // written with a capital that only a sentence's first word takes

    friend bool operator==(const VocabularyWord&, const VocabularyWord&) = default;
};

struct VocabularyQuery {
    // The characters a word may use; empty for any.
    std::string keys;
    // A character every word holds; 0 for any word. A capital also matches the small first
    // letter of a word that may then start a sentence (when `keys` has the capital).
    unsigned char focus = 0;
    // The focus character's largest share of a word's letters, in per cent.
    int maxFocusPercent = 50;
    // Words of at least this many letters.
    size_t minLength = 1;
    size_t limit = std::numeric_limits<size_t>::max();
};

class Vocabulary {
public:
    // `wordsByRank`: words of Czech letters, the most common first; a capital first letter marks
    // a proper noun.
    explicit Vocabulary(const std::vector<std::string_view>& wordsByRank);

    // The words that fit the query, the most common first, at most `query.limit` of them.
    [[nodiscard]] std::vector<VocabularyWord> Find(const VocabularyQuery& query) const;

    [[nodiscard]] size_t Size() const { return words_.size(); }

private:
    std::string text_; // every word, one after the other
    std::vector<std::string_view> words_;
};
