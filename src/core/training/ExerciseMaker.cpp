#include "ExerciseMaker.h"

#include "CzechLetters.h"
#include "LetterGroups.h"
#include "Vocabulary.h"

#include <algorithm>
#include <map>

namespace {

constexpr int kTriesForNewLine = 30;

bool Has(const std::string& keys, char c) {
    return keys.find(c) != std::string::npos;
}

template <class T> const T& Pick(const std::vector<T>& from, std::mt19937& random) {
    return from[random() % from.size()];
}

size_t Count(const std::string& text, char c) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), c));
}

} // namespace

struct ExerciseMaker::Material {
    std::string letters;     // the open small letters
    std::string punctuation; // the open characters that are neither letters nor digits
    std::string digits;      // the open digits
    std::string capitals;    // the open capitals
    unsigned char focus = 0;
    std::vector<std::string> focusTokens; // words (or groups) that train the focus key
    std::vector<std::string> spacers;     // words (or groups) without it
    bool groups = false;                  // the focus key is drilled in letter groups
    std::string partners;
    bool qwertz = true;
};

ExerciseMaker::Material ExerciseMaker::Gather(const ExerciseRequest& request) const {
    Material m;
    m.focus = request.focus;
    m.qwertz = request.qwertz;
    for (const char c : request.unlocked) {
        const auto byte = static_cast<unsigned char>(c);
        if (CzechLetters::IsSmall(byte)) {
            m.letters += c;
        } else if (CzechLetters::IsCapital(byte)) {
            m.capitals += c;
        } else if (c >= '0' && c <= '9') {
            m.digits += c;
        } else {
            m.punctuation += c;
        }
    }
    // A capital, a digit or a mark is trained by the words around it: any open word will do.
    const bool letterFocus = CzechLetters::IsSmall(m.focus);
    const auto letterOfFocus = static_cast<char>(letterFocus ? m.focus : 0);
    for (const VocabularyWord& word :
         vocabulary_.Find({.keys = m.letters, .minLength = 2, .limit = kSpacerChoice})) {
        if (letterOfFocus == 0 || !Has(word.text, letterOfFocus)) {
            m.spacers.push_back(word.text);
        }
    }
    const bool capitalFocus = CzechLetters::IsCapital(m.focus);
    if (letterFocus || capitalFocus) {
        // A capital is trained at the start of sentences, with words that may begin one.
        const std::string keys = capitalFocus ? m.letters + static_cast<char>(m.focus) : m.letters;
        for (VocabularyWord& word : vocabulary_.Find({.keys = keys,
                                    .focus = m.focus,
                                    .maxFocusPercent = 50,
                                    .minLength = 2,
                                    .limit = kWordChoice})) {
            m.focusTokens.push_back(std::move(word.text));
        }
    }
    if ((letterFocus || capitalFocus) && m.focusTokens.size() < kMinimumWords) {
        const auto small = static_cast<char>(CzechLetters::ToSmall(m.focus));
        std::string others = m.letters;
        others.erase(std::remove(others.begin(), others.end(), small), others.end());
        m.partners = LetterGroups::PartnersOf(m.focus, others, m.qwertz);
        m.groups = !m.partners.empty();
        m.focusTokens.clear();
    }
    return m;
}

namespace {

// A number of one to three open digits, the focus among them when it is a digit.
std::string Number(const std::string& digits, unsigned char focus, std::mt19937& random) {
    std::string number;
    const size_t length = 1 + random() % 3;
    for (size_t i = 0; i < length; ++i) {
        number += digits[random() % digits.size()];
    }
    if (focus >= '0' && focus <= '9') {
        number[random() % number.size()] = static_cast<char>(focus);
    }
    return number;
}

std::string Capitalised(std::string word, const std::string& capitals) {
    const auto capital =
        static_cast<char>(CzechLetters::ToCapital(static_cast<unsigned char>(word[0])));
    if (Has(capitals, capital)) {
        word[0] = capital;
    }
    return word;
}

// The token a mark is trained with: after a word, around it, or between two.
std::string Marked(char mark, const std::string& word, const std::string& other) {
    switch (mark) {
    case '(':
    case ')':
        return "(" + word + ")";
    case '/':
    case '-':
        return word + mark + other;
    case '"':
        return "\"" + word + "\"";
    default:
        return word + mark;
    }
}

} // namespace

// A spacer that writes a key still owed, or else a group of it.
std::string ExerciseMaker::Owed(const Material& m, std::map<char, int>& owed,
                                std::mt19937& random) const {
    const auto due =
        std::find_if(owed.begin(), owed.end(), [](const auto& o) { return o.second > 0; });
    if (due == owed.end()) {
        return {};
    }
    const char key = due->first;
    const size_t start = m.spacers.empty() ? 0 : random() % m.spacers.size();
    for (size_t i = 0; i < m.spacers.size(); ++i) {
        const std::string& word = m.spacers[(start + i) % m.spacers.size()];
        if (Has(word, key)) {
            return word;
        }
    }
    std::string others = m.letters;
    std::erase_if(others, [&](char c) { return c == key || c == static_cast<char>(m.focus); });
    const std::string partners =
        LetterGroups::PartnersOf(static_cast<unsigned char>(key), others, m.qwertz);
    if (partners.empty() || !CzechLetters::IsLetter(static_cast<unsigned char>(key))) {
        due->second = 0;
        return {};
    }
    return LetterGroups::Group(static_cast<unsigned char>(key), partners, random);
}

std::string ExerciseMaker::Line(const Material& m, std::map<char, int>& owed,
                                std::mt19937& random) const {
    const bool markFocus = m.focus != 0 && Has(m.punctuation, static_cast<char>(m.focus));
    const bool digitFocus = m.focus >= '0' && m.focus <= '9';
    const bool sentences = Has(m.punctuation, '.');
    std::string line;
    bool sentenceStart = !m.capitals.empty();
    for (int index = 0; line.size() < ExerciseMaker::kLineLength; ++index) {
        const bool focusTurn = index % 2 == 0;
        std::string token;
        if (focusTurn && m.groups) {
            token = LetterGroups::Group(m.focus, m.partners, random);
        } else if (focusTurn && !m.focusTokens.empty()) {
            token = Pick(m.focusTokens, random);
        } else if (token = Owed(m, owed, random); !token.empty()) {
        } else if (!m.spacers.empty()) {
            token = Pick(m.spacers, random);
        } else if (!m.partners.empty()) {
            token = LetterGroups::PartnerGroup(m.partners, random);
        } else {
            token = LetterGroups::PartnerGroup(m.letters, random);
        }
        if (focusTurn && markFocus) {
            token = Marked(static_cast<char>(m.focus), token,
                           m.spacers.empty() ? token : Pick(m.spacers, random));
        }
        if (focusTurn && digitFocus) {
            token = Number(m.digits, m.focus, random);
        } else if (!m.digits.empty() && random() % 8 == 0) {
            token = Number(m.digits, 0, random);
        }
        if (sentenceStart) {
            token = Capitalised(token, m.capitals);
        }
        const auto last = static_cast<unsigned char>(token.back());
        const bool endsWord = CzechLetters::IsLetter(last) || (last >= '0' && last <= '9');
        if (endsWord && sentences && random() % 5 == 0) {
            token += '.';
        } else if (endsWord && Has(m.punctuation, ',') && random() % 6 == 0) {
            token += ',';
        }
        const char end = token.back();
        sentenceStart = !m.capitals.empty() && (end == '.' || end == '?' || end == '!');
        if (line.size() + 1 + token.size() > ExerciseMaker::kMaxLineLength) {
            break;
        }
        line += (line.empty() ? "" : " ") + token;
        for (auto& [key, count] : owed) {
            count -= static_cast<int>(Count(token, key));
        }
    }
    return line;
}

std::vector<std::string> ExerciseMaker::Make(const ExerciseRequest& request,
                                             std::set<std::string>& usedLines,
                                             std::mt19937& random) const {
    const Material material = Gather(request);
    std::map<char, int> owed;
    for (const char key : request.rare) {
        if (key != static_cast<char>(request.focus) &&
            CzechLetters::IsSmall(static_cast<unsigned char>(key))) {
            owed[key] = kRareCount;
        }
    }
    std::vector<std::string> lines;
    for (int n = 0; n < kLines; ++n) {
        std::map<char, int> owedAfter = owed;
        std::string line = Line(material, owedAfter, random);
        for (int tries = 0; tries < kTriesForNewLine && usedLines.count(line) != 0; ++tries) {
            owedAfter = owed;
            line = Line(material, owedAfter, random);
        }
        owed = owedAfter;
        usedLines.insert(line);
        lines.push_back(line);
    }
    return lines;
}
