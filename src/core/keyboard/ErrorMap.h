#pragma once
// The error heat map over the pupil's recent texts: each key's attempts and errors added up
// over the text being typed and the last texts finished, and its step from them.
//
// A key counts an attempt for every character whose key sequence uses it: C for the c key and
// the Shift, ď for the d key, the dead key and the Shift it is held with. An error counts for
// the key of the step that went wrong (MistakeKeys): C typed as c for the Shift that was due,
// not for the c key. Where the key struck is not known (the history keeps only how often each
// character went wrong), the error counts for the character's own key.

#include "HeatScale.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class KeyboardLayout;
class KeyErrorCounts;

// A finished text as the history keeps it: its wrong keystrokes by the character expected, and
// how often each character was due, worked out from the text's characters.
struct RecordedErrors {
    std::map<unsigned char, int> errors;
    std::array<int64_t, 256> attempts{};

    friend bool operator==(const RecordedErrors&, const RecordedErrors&) = default;
};

class ErrorMap {
public:
    explicit ErrorMap(const KeyboardLayout& layout);

    // A text whose every keystroke was counted, with the keys struck instead.
    void Add(const KeyErrorCounts& counts);
    void Add(const RecordedErrors& text);

    // Every key with an attempt, in key order, with its step; a character the layout cannot
    // write counts for no key.
    [[nodiscard]] std::vector<std::pair<int, HeatStep>> Steps() const;

    // What a finished text of `keystrokes` judged keystrokes over `lines` (code page 1250, each
    // ended by Enter) did, with `errors` per character: each character's attempts in the share
    // it has of the text, so that a text left early or with repeated lines still adds up to its
    // keystrokes. Nullopt when the lines cannot be that text: empty, or without a character
    // that went wrong (an own text's file changed since).
    [[nodiscard]] static std::optional<RecordedErrors>
    Recorded(const std::vector<std::string>& lines, int64_t keystrokes,
             const std::map<unsigned char, int>& errors);

private:
    void AddAttempts(unsigned char c, int64_t attempts);
    void AddErrors(int key, int64_t errors);

    const KeyboardLayout& layout_;
    // In 64 bits: a settings file's counts may each come near the largest int.
    std::vector<int64_t> attempts_;
    std::vector<int64_t> errors_;
};
