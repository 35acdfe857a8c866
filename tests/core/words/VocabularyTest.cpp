// The words a pupil can type with the keys taught so far, those that train one character, and
// capitals at a sentence's start, the most common first.

#include "Vocabulary.h"
#include "Cp1250.h"
#include "CzechLetters.h"

#include <gtest/gtest.h>

namespace {

std::string Text(std::string_view utf8) {
    return Cp1250::FromUtf8(utf8);
}

unsigned char Byte(std::string_view utf8) {
    return static_cast<unsigned char>(Text(utf8)[0]);
}

// The words found, in UTF-8, a sentence's start marked with '^'.
std::vector<std::string> Found(const Vocabulary& vocabulary, VocabularyQuery query) {
    query.keys = Text(query.keys);
    std::vector<std::string> found;
    int lastRank = -1;
    for (const VocabularyWord& word : vocabulary.Find(query)) {
        EXPECT_GT(word.rank, lastRank) << "the most common first";
        lastRank = word.rank;
        found.push_back((word.startsSentence ? "^" : "") + Cp1250::ToUtf8(word.text));
    }
    return found;
}

TEST(Vocabulary, FindsTheWordsOfTheKeysThatTrainTheFocusMostCommonFirst) {
    std::vector<std::string> words;
    for (const char* utf8 :
         {"a", "na", "čaj", "Cheb", "cesta", "řeč", "čeřič", "co", "Čech", "voda", "cena"}) {
        words.push_back(Text(utf8));
    }
    const Vocabulary vocabulary({words.begin(), words.end()});
    ASSERT_EQ(vocabulary.Size(), words.size());

    using Words = std::vector<std::string>;
    EXPECT_EQ(Found(vocabulary, {.keys = "acčjnř"}), (Words{"a", "na", "čaj"}));
    EXPECT_EQ(Found(vocabulary, {.keys = ""}).size(), words.size());
    // "čeřič" is two fifths č, "řeč" one third.
    EXPECT_EQ(Found(vocabulary, {.keys = "", .focus = Byte("č")}), (Words{"čaj", "řeč", "čeřič"}));
    EXPECT_EQ(Found(vocabulary, {.keys = "", .focus = Byte("č"), .maxFocusPercent = 35}),
              (Words{"čaj", "řeč"}));
    EXPECT_EQ(Found(vocabulary, {.keys = "", .focus = Byte("č"), .limit = 1}), (Words{"čaj"}));
    // A capital: proper nouns, and words that may begin a sentence when its key is taught.
    EXPECT_EQ(Found(vocabulary, {.keys = "", .focus = 'C'}),
              (Words{"Cheb", "^Cesta", "^Co", "^Cena"}));
    EXPECT_EQ(Found(vocabulary, {.keys = "acenost", .focus = 'C'}), Words{});
    EXPECT_EQ(Found(vocabulary, {.keys = "Cacenost", .focus = 'C', .minLength = 3}),
              (Words{"^Cesta", "^Cena"}));
}

TEST(CzechLetters, KnowsBothCasesOfEveryCzechLetter) {
    const std::string small = "az" + Text("áčďéěíňóřšťúůýž");
    const std::string capital = "AZ" + Text("ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ");
    for (size_t i = 0; i < small.size(); ++i) {
        const auto s = static_cast<unsigned char>(small[i]);
        const auto c = static_cast<unsigned char>(capital[i]);
        EXPECT_TRUE(CzechLetters::IsSmall(s) && !CzechLetters::IsCapital(s));
        EXPECT_TRUE(CzechLetters::IsCapital(c) && !CzechLetters::IsSmall(c));
        EXPECT_EQ(CzechLetters::ToCapital(s), c);
        EXPECT_EQ(CzechLetters::ToSmall(c), s);
    }
    for (const char c : std::string(" .,1") + Text("§ä")) {
        EXPECT_FALSE(CzechLetters::IsLetter(static_cast<unsigned char>(c))) << c;
        EXPECT_EQ(CzechLetters::ToCapital(static_cast<unsigned char>(c)),
                  static_cast<unsigned char>(c));
    }
}

} // namespace
