#pragma once
// Writes one training exercise: three short lines of common Czech words typed only with the
// open keys, at least every other word holding the focus key and no more than half of the
// letters the focus key. Capitals start sentences once they are open, punctuation and digits
// come in once open; a focus key too few words hold is drilled in letter groups, as the first
// lessons do. Lines met earlier in the session are written anew.

#include <cstddef>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

class Vocabulary;

struct ExerciseRequest {
    std::string unlocked; // the open keys (code page 1250), without the space
    unsigned char focus = 0;
    // Open letters not yet measured enough: the spacers write each kRareCount times where the
    // lines leave room.
    std::string rare;
    bool qwertz = true;
};

class ExerciseMaker {
public:
    static constexpr int kLines = 3;
    static constexpr size_t kLineLength = 48;
    static constexpr size_t kMaxLineLength = 64; // within the typing line
    static constexpr size_t kMinimumWords = 6;
    static constexpr size_t kWordChoice = 60;
    static constexpr size_t kSpacerChoice = 120;
    static constexpr int kRareCount = 3;

    explicit ExerciseMaker(const Vocabulary& vocabulary) : vocabulary_(vocabulary) {}

    // `usedLines`: the session's lines so far; the new ones are added.
    [[nodiscard]] std::vector<std::string> Make(const ExerciseRequest& request,
                                                std::set<std::string>& usedLines,
                                                std::mt19937& random) const;

private:
    struct Material;
    [[nodiscard]] Material Gather(const ExerciseRequest& request) const;
    [[nodiscard]] std::string Line(const Material& material, std::map<char, int>& owed,
                                   std::mt19937& random) const;
    [[nodiscard]] std::string Owed(const Material& material, std::map<char, int>& owed,
                                   std::mt19937& random) const;

    const Vocabulary& vocabulary_;
};
