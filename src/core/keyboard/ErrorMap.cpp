#include "ErrorMap.h"

#include "KeyErrorCounts.h"
#include "KeyboardLayout.h"
#include "MistakeKeys.h"
#include "TypingLine.h"

#include <algorithm>

ErrorMap::ErrorMap(const KeyboardLayout& layout)
    : layout_(layout), attempts_(layout.Keys().size()), errors_(layout.Keys().size()) {}

void ErrorMap::AddAttempts(unsigned char c, int64_t attempts) {
    const KeySequence& sequence = layout_.SequenceFor(c);
    // A key used twice in one sequence (a Shift held for the dead key and the letter) is one
    // step to learn, not two.
    std::vector<int> keys;
    for (const KeyStroke& stroke : sequence.strokes) {
        keys.push_back(stroke.key);
        keys.insert(keys.end(), stroke.modifiers.begin(), stroke.modifiers.end());
    }
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    for (const int key : keys) {
        attempts_[static_cast<std::size_t>(key)] += attempts;
    }
}

void ErrorMap::AddErrors(int key, int64_t errors) {
    if (key >= 0) {
        errors_[static_cast<std::size_t>(key)] += errors;
    }
}

void ErrorMap::Add(const KeyErrorCounts& counts) {
    const MistakeKeys mistakes(layout_);
    for (int byte = 1; byte < KeyErrorCounts::kBytes; ++byte) {
        const auto c = static_cast<unsigned char>(byte);
        if (counts.Attempts(c) <= 0 || !layout_.SequenceFor(c).Writable()) {
            continue;
        }
        AddAttempts(c, counts.Attempts(c));
        int64_t unexplained = counts.Errors(c);
        for (int typed = 0; typed < KeyErrorCounts::kBytes && unexplained > 0; ++typed) {
            const auto struck = static_cast<unsigned char>(typed);
            const int64_t n = std::min<int64_t>(counts.Struck(c, struck), unexplained);
            if (n > 0) {
                AddErrors(mistakes.Of(c, struck), n);
                unexplained -= n;
            }
        }
        AddErrors(mistakes.OwnKey(c), unexplained);
    }
}

void ErrorMap::Add(const RecordedErrors& text) {
    const MistakeKeys mistakes(layout_);
    for (int byte = 1; byte < KeyErrorCounts::kBytes; ++byte) {
        const auto c = static_cast<unsigned char>(byte);
        const auto found = text.errors.find(c);
        const int64_t errors = found != text.errors.end() ? std::max(found->second, 0) : 0;
        // No rate above all: a character cannot go wrong more often than it was due.
        const int64_t attempts = std::max(text.attempts[byte], errors);
        if (attempts <= 0 || !layout_.SequenceFor(c).Writable()) {
            continue;
        }
        AddAttempts(c, attempts);
        AddErrors(mistakes.OwnKey(c), errors);
    }
}

std::vector<std::pair<int, HeatStep>> ErrorMap::Steps() const {
    std::vector<std::pair<int, HeatStep>> steps;
    for (std::size_t key = 0; key < attempts_.size(); ++key) {
        if (attempts_[key] > 0) {
            steps.emplace_back(static_cast<int>(key),
                               HeatScale::Step(attempts_[key], errors_[key]));
        }
    }
    return steps;
}

std::optional<RecordedErrors> ErrorMap::Recorded(const std::vector<std::string>& lines,
                                                 int64_t keystrokes,
                                                 const std::map<unsigned char, int>& errors) {
    std::array<int64_t, 256> characters{};
    int64_t total = 0;
    for (const std::string& line : lines) {
        for (const char c : line) {
            ++characters[static_cast<unsigned char>(c)];
        }
        ++characters[TypingLine::kEndOfLine];
        total += static_cast<int64_t>(line.size()) + 1;
    }
    if (total == 0 || keystrokes <= 0) {
        return std::nullopt;
    }
    for (const auto& [c, count] : errors) {
        if (count > 0 && characters[c] == 0) {
            return std::nullopt;
        }
    }
    RecordedErrors text;
    text.errors = errors;
    for (std::size_t c = 0; c < characters.size(); ++c) {
        text.attempts[c] = (characters[c] * keystrokes + total / 2) / total;
    }
    return text;
}
