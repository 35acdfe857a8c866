// Exercises from the word list beside the program, for open keys early and late in the order:
// only open characters, every other word training the focus key, no more than half of the
// letters the focus key, real words (or letter groups for the first keys), no line twice in a
// session.

#include "ExerciseMaker.h"
#include "Cp1250.h"
#include "CzechLetters.h"
#include "FakeClock.h"
#include "TrainingSession.h"
#include "UnlockOrder.h"
#include "Vocabulary.h"
#include "WordList.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const WordList& Words() {
    static const WordList words = WordList::Load(std::string(KLAPTOS_BIN_DIR) + "/slova.txt");
    return words;
}

const Vocabulary& Words_() {
    static const Vocabulary vocabulary(Words().Words());
    return vocabulary;
}

std::vector<std::string> Split(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> parts;
    for (std::string part; in >> part;) {
        parts.push_back(part);
    }
    return parts;
}

// The word a token writes: marks around it taken off, a sentence's capital made small.
std::string WordOf(std::string token) {
    std::erase_if(token,
                  [](char c) { return !CzechLetters::IsLetter(static_cast<unsigned char>(c)); });
    if (!token.empty()) {
        token[0] = static_cast<char>(CzechLetters::ToSmall(static_cast<unsigned char>(token[0])));
    }
    return token;
}

// Checks a whole session of exercises against the rules; `groups`: the focus is drilled in
// letter groups of open letters rather than words.
void CheckSession(size_t open, unsigned char focus, bool groups) {
    ASSERT_EQ(Words().State(), WordList::Status::Ready);
    const std::string order = UnlockOrder::For(true);
    ExerciseRequest request{
        .unlocked = order.substr(0, open), .focus = focus, .rare = "", .qwertz = true};
    const ExerciseMaker maker(Words_());
    std::set<std::string> used;
    std::vector<std::string> all;
    std::mt19937 random(7);
    for (int exercise = 0; exercise < 25; ++exercise) {
        const std::vector<std::string> lines = maker.Make(request, used, random);
        ASSERT_EQ(lines.size(), 3U);
        for (const std::string& line : lines) {
            SCOPED_TRACE(Cp1250::ToUtf8(line));
            EXPECT_LE(line.size(), ExerciseMaker::kMaxLineLength);
            for (const char c : line) {
                EXPECT_TRUE(c == ' ' || request.unlocked.find(c) != std::string::npos)
                    << Cp1250::ToUtf8(std::string(1, c));
            }
            size_t letters = 0;
            size_t focusLetters = 0;
            size_t focusWords = 0;
            const std::vector<std::string> tokens = Split(line);
            for (const std::string& token : tokens) {
                const std::string word = WordOf(token);
                letters += word.size();
                const bool trains = token.find(static_cast<char>(focus)) != std::string::npos;
                focusWords += trains ? 1 : 0;
                focusLetters += static_cast<size_t>(
                    std::count(token.begin(), token.end(), static_cast<char>(focus)));
                if (!groups && !word.empty()) {
                    std::string name = word;
                    name[0] = static_cast<char>(
                        CzechLetters::ToCapital(static_cast<unsigned char>(name[0])));
                    EXPECT_TRUE(Words().Contains(word) || Words().Contains(name))
                        << Cp1250::ToUtf8(word);
                }
            }
            EXPECT_GE(3 * focusWords, tokens.size());
            if (CzechLetters::IsSmall(focus)) {
                EXPECT_LE(2 * focusLetters, letters);
            }
            all.push_back(line);
        }
    }
    EXPECT_EQ(std::set<std::string>(all.begin(), all.end()).size(), all.size());
}

} // namespace

TEST(ExerciseMakerTest, FirstKeysAreDrilledInLetterGroups) {
    CheckSession(UnlockOrder::kStartKeys, 'j', true);
}

TEST(ExerciseMakerTest, LettersAreTrainedInRealWords) {
    CheckSession(24, 'r', false);
}

TEST(ExerciseMakerTest, CapitalsStartSentencesAndMarksFollowWords) {
    const std::string order = UnlockOrder::For(true);
    CheckSession(order.find('%') + 1, 'K', false);
    CheckSession(order.find('%') + 1, '.', false);
    CheckSession(order.find('9') + 1, '5', false);
}

TEST(ExerciseMakerTest, KeysNotYetMeasuredAreWritten) {
    const ExerciseMaker maker(Words_());
    std::set<std::string> used;
    std::mt19937 random(3);
    const std::string open = UnlockOrder::For(true).substr(0, UnlockOrder::kStartKeys);
    const std::vector<std::string> lines =
        maker.Make({.unlocked = open, .focus = 'f', .rare = open, .qwertz = true}, used, random);
    std::string text;
    for (const std::string& line : lines) {
        text += line;
    }
    for (const char key : open) {
        EXPECT_GE(std::count(text.begin(), text.end(), key), ExerciseMaker::kRareCount)
            << Cp1250::ToUtf8(std::string(1, key)) << " in " << Cp1250::ToUtf8(text);
    }
}

TEST(ExerciseMakerTest, SessionSavesWhatLasts) {
    FakeClock clock;
    TrainingSession session(clock, true);
    session.Plan().SetUnlockedCount(14);
    const Exercise first = session.Next(Words_(), 1);
    EXPECT_EQ(first.focus, 'i');
    for (const std::string& line : first.lines) {
        for (const char c : line) {
            clock.Advance(250);
            session.Timer().Judge(static_cast<unsigned char>(c), static_cast<unsigned char>(c),
                                  true);
        }
        session.Timer().Judge(10, 10, true);
    }
    const ExerciseSummary summary = session.Finish();
    EXPECT_EQ(summary.focus, 'i');
    EXPECT_NEAR(summary.speed, 240, 1e-9);
    EXPECT_EQ(summary.errors, 0);

    TrainingSession loaded(clock, true);
    loaded.Load(session.Save());
    EXPECT_EQ(loaded.Save(), session.Save());
    EXPECT_EQ(loaded.Plan().UnlockedCount(), 14U);
    EXPECT_EQ(loaded.Plan().Focus(), 'i');
}
