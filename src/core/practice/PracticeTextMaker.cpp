#include "PracticeTextMaker.h"

#include "CzechLetters.h"
#include "LetterGroups.h"
#include "Vocabulary.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <random>
#include <set>

namespace {

constexpr int kLineAttempts = 40;    // tries for a line not made before
constexpr int kItemAttempts = 8;     // tries for an item the line has not had
constexpr int kMaxSentenceWords = 4; // a sentence's words besides its first, at most

// Every letter, the space and the full stop: the keys of a text after an own text.
std::string AnyKeys() {
    std::string keys = " .";
    for (int c = 0; c < 256; ++c) {
        if (CzechLetters::IsLetter(static_cast<unsigned char>(c))) {
            keys += static_cast<char>(c);
        }
    }
    return keys;
}

// One practised character and what trains it.
struct Source {
    unsigned char focus;
    std::vector<VocabularyWord> words; // the most common first
    std::string partners;              // for its letter groups

    [[nodiscard]] bool Drilled() const { return words.size() < PracticeTextMaker::kMinimumWords; }
};

class Composer {
public:
    Composer(const Vocabulary& vocabulary, const PracticeRequest& request,
             const std::string& practised, uint32_t seed)
        : random_(seed), practised_(practised) {
        const std::string allowed = request.allowed.empty() ? AnyKeys() : request.allowed;
        std::string spacerKeys;
        std::string partnerLetters;
        for (const char c : allowed) {
            if (IsPractised(static_cast<unsigned char>(c))) {
                continue;
            }
            spacerKeys += c;
            if (CzechLetters::IsSmall(static_cast<unsigned char>(c))) {
                partnerLetters += c;
            }
        }
        for (const char c : practised) {
            const auto focus = static_cast<unsigned char>(c);
            Source source{focus, WordsFor(vocabulary, allowed, focus),
                          LetterGroups::PartnersOf(focus, partnerLetters, request.qwertz)};
            sentences_ = sentences_ || (CzechLetters::IsCapital(focus) && !source.Drilled() &&
                                        allowed.find('.') != std::string::npos);
            sources_.push_back(std::move(source));
        }
        spacers_ = vocabulary.Find({.keys = spacerKeys, .limit = PracticeTextMaker::kSpacerChoice});
        spacerPartners_ = partnerLetters.substr(0, 3);
    }

    [[nodiscard]] bool CanDrill() const {
        return std::all_of(sources_.begin(), sources_.end(),
                           [](const Source& s) { return !s.Drilled() || !s.partners.empty(); });
    }

    std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        std::set<std::string> made;
        while (static_cast<int>(lines.size()) < PracticeTextMaker::kLines) {
            std::string line;
            for (int attempt = 0; attempt < kLineAttempts; ++attempt) {
                line = Line();
                if (made.insert(line).second) {
                    break;
                }
            }
            lines.push_back(line);
        }
        return lines;
    }

    [[nodiscard]] bool UsedWords() const { return usedWords_; }
    [[nodiscard]] bool UsedGroups() const { return usedGroups_; }

private:
    struct Item {
        std::string text;
        bool practises = false;
    };

    bool IsPractised(unsigned char c) const {
        return practised_.find(static_cast<char>(c)) != std::string::npos;
    }

    int PractisedLetters(std::string_view text) const {
        return static_cast<int>(std::count_if(text.begin(), text.end(), [this](char c) {
            return IsPractised(static_cast<unsigned char>(c));
        }));
    }

    // The words that train `focus`, in none of which the practised characters together are
    // more than half the letters.
    std::vector<VocabularyWord> WordsFor(const Vocabulary& vocabulary, const std::string& allowed,
                                         unsigned char focus) const {
        std::vector<VocabularyWord> words =
            vocabulary.Find({.keys = allowed,
                             .focus = focus,
                             .minLength = 2,
                             .limit = 4 * PracticeTextMaker::kWordChoice});
        std::erase_if(words, [this](const VocabularyWord& w) {
            return 2 * PractisedLetters(w.text) > static_cast<int>(w.text.size());
        });
        if (words.size() > PracticeTextMaker::kWordChoice) {
            words.resize(PracticeTextMaker::kWordChoice);
        }
        return words;
    }

    // An index below `size`, its chance falling evenly from the first to the last: the more
    // common words come up more often, and a short list does not repeat its first word.
    size_t Skewed(size_t size) {
        const double u = static_cast<double>(random_()) / 4294967296.0;
        return std::min(
            size - 1, static_cast<size_t>((1.0 - std::sqrt(1.0 - u)) * static_cast<double>(size)));
    }

    // A source, the weaker characters likelier: of n sources the weakest weighs n, the last 1.
    // `sentenceStart`: only a capital's source with words, whose words open sentences.
    Source* AnySource(bool sentenceStart) {
        std::vector<Source*> candidates;
        for (Source& source : sources_) {
            if (!sentenceStart || (CzechLetters::IsCapital(source.focus) && !source.Drilled())) {
                candidates.push_back(&source);
            }
        }
        const size_t n = candidates.size();
        if (n == 0) {
            return nullptr;
        }
        size_t ticket = random_() % (n * (n + 1) / 2);
        size_t i = 0;
        while (ticket >= n - i) {
            ticket -= n - i;
            ++i;
        }
        return candidates[i];
    }

    // A word or a group that trains a practised character. A word that starts sentences only
    // at `sentenceStart`.
    std::optional<Item> Practising(bool sentenceStart) {
        for (int attempt = 0; attempt < kItemAttempts; ++attempt) {
            Source* source = AnySource(sentenceStart);
            if (source == nullptr) {
                return std::nullopt;
            }
            // Each of a few words comes up about as often as it would among enough words.
            if (source->Drilled() &&
                random_() % (2 * PracticeTextMaker::kMinimumWords) >= source->words.size()) {
                usedGroups_ = true;
                return Item{LetterGroups::Group(source->focus, source->partners, random_), true};
            }
            const VocabularyWord& word = source->words[Skewed(source->words.size())];
            // Inside a sentence a capital comes with a proper noun; the few there are would
            // otherwise come up in every sentence.
            const bool capital = CzechLetters::IsCapital(source->focus);
            if (capital && !sentenceStart && (word.startsSentence || random_() % 3 != 0)) {
                continue;
            }
            usedWords_ = true;
            return Item{word.text, true};
        }
        return std::nullopt;
    }

    // A word or a group without practised characters, to space them out.
    Item Spacing() {
        if (spacers_.size() >= PracticeTextMaker::kMinimumWords) {
            usedWords_ = true;
            return {spacers_[Skewed(spacers_.size())].text, false};
        }
        if (!spacerPartners_.empty()) {
            usedGroups_ = true;
            return {LetterGroups::PartnerGroup(spacerPartners_, random_), false};
        }
        return Practising(false).value_or(Item{});
    }

    // Practising and spacing items in turn, practising first; one the line has not had yet, if
    // a few tries find one.
    Item Next(bool sentenceStart, const std::set<std::string>& inLine) {
        Item item;
        for (int attempt = 0; attempt < kItemAttempts; ++attempt) {
            std::optional<Item> practising;
            if (sentenceStart || practising_ <= spacing_) {
                practising = Practising(sentenceStart);
            }
            item = practising ? std::move(*practising) : Spacing();
            if (inLine.count(item.text) == 0) {
                break;
            }
        }
        return item;
    }

    // Items separated by spaces up to the line's length. With a capital practised, the line is
    // sentences: a capital's word and a few more, a full stop after the last.
    std::string Line() {
        const size_t room = PracticeTextMaker::kMaxLineLength - (sentences_ ? 1 : 0);
        std::string line;
        std::set<std::string> inLine;
        int sentenceWords = 0;
        int sentenceLength = 0;
        for (int misses = 0; misses < kItemAttempts;) {
            if (sentences_ && sentenceWords > 0 && sentenceWords == sentenceLength) {
                line += '.';
                sentenceWords = 0;
            }
            const bool sentenceStart = sentences_ && sentenceWords == 0;
            Item item = Next(sentenceStart, inLine);
            if (item.text.empty() ||
                line.size() + (line.empty() ? 0 : 1) + item.text.size() > room) {
                ++misses;
                continue;
            }
            line += line.empty() ? "" : " ";
            line += item.text;
            inLine.insert(item.text);
            ++(item.practises ? practising_ : spacing_);
            if (sentenceStart) {
                sentenceLength = 2 + static_cast<int>(random_() % kMaxSentenceWords);
            }
            ++sentenceWords;
        }
        if (sentences_ && !line.empty() && line.back() != '.') {
            line += '.';
        }
        return line;
    }

    std::mt19937 random_;
    std::string practised_;
    std::vector<Source> sources_;
    std::vector<VocabularyWord> spacers_;
    std::string spacerPartners_;
    bool sentences_ = false;
    int practising_ = 0;
    int spacing_ = 0;
    bool usedWords_ = false;
    bool usedGroups_ = false;
};

} // namespace

std::string PracticeTextMaker::Practised(const std::string& weak, const std::string& allowed) {
    auto allows = [&](unsigned char c) {
        return allowed.empty() || allowed.find(static_cast<char>(c)) != std::string::npos;
    };
    size_t letters = 0;
    for (const char c : allowed) {
        letters += CzechLetters::IsSmall(static_cast<unsigned char>(c)) ? 1 : 0;
    }
    const size_t most = allowed.empty() ? weak.size() : std::max<size_t>(1, letters / 2);
    std::string practised;
    for (const char w : weak) {
        auto c = static_cast<unsigned char>(w);
        if (CzechLetters::IsCapital(c) && !allows(c)) {
            c = CzechLetters::ToSmall(c);
        }
        if (CzechLetters::IsLetter(c) && allows(c) &&
            practised.find(static_cast<char>(c)) == std::string::npos && practised.size() < most) {
            practised += static_cast<char>(c);
        }
    }
    return practised;
}

PracticeText PracticeTextMaker::Make(const Vocabulary& vocabulary, const PracticeRequest& request,
                                     uint32_t seed) {
    PracticeText text;
    text.intro.practised = Practised(request.weak, request.allowed);
    text.intro.lesson = request.lesson;
    if (text.intro.practised.empty()) {
        return text;
    }
    Composer composer(vocabulary, request, text.intro.practised, seed);
    if (!composer.CanDrill()) {
        return text;
    }
    text.lines = composer.Lines();
    text.intro.words = composer.UsedWords();
    text.intro.letterGroups = composer.UsedGroups();
    text.introLine = text.intro.Line();
    text.status = PracticeText::Status::Ready;
    return text;
}
