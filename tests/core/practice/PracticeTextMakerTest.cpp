// Practice texts from the real word list: lines rich in the weak characters and their
// neighbours, taught keys only, real words only.

#include "PracticeTextMaker.h"
#include "Cp1250.h"
#include "KeyboardLayout.h"
#include "LessonKeys.h"
#include "WordList.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>

namespace {

const WordList& Words() {
    static const WordList words = WordList::Load(std::string(KLAPTOS_BIN_DIR) + "/slova.txt");
    return words;
}

std::string Text(std::string_view utf8) {
    return Cp1250::FromUtf8(utf8);
}

TEST(LessonKeys, EachLessonAddsItsKeysToTheEarlierOnes) {
    const std::vector<std::tuple<int, bool, std::string_view>> cases = {
        {1, true, " dfjk"},
        {5, true, " dfjkslaůghru"},
        {12, true, " dfjkslaůghruei,o.pty"},
        {12, false, " dfjkslaůghruei,o.ptz"},
        {20, true, " dfjkslaůghruei,o.ptyúqvmcxw"},
        {21, false, " dfjkslaůghruei,o.ptzúqvmcxwy"},
        {30, true, " dfjkslaůghruei,o.ptyúqvmcxwzbnQWERTASDFGXCVBUIOPHJKLNMřáYZ"},
    };
    for (const auto& [lesson, qwertz, keys] : cases) {
        EXPECT_EQ(Cp1250::ToUtf8(LessonKeys::Taught(lesson, qwertz)), keys)
            << "lesson " << lesson << (qwertz ? " QWERTZ" : " QWERTY");
    }
    EXPECT_EQ(Cp1250::ToUtf8(LessonKeys::Taught(44, true)).find("0123456789%-") !=
                  std::string::npos,
              true);
}

struct Case {
    const char* name;
    int lesson; // 0: an own text
    bool qwertz;
    std::string_view weakUtf8;
};

class PracticeText_ : public ::testing::TestWithParam<Case> {};

TEST_P(PracticeText_, EveryLineIsRichInWeakKeysAndUsesTaughtKeysAndRealWordsOnly) {
    ASSERT_EQ(Words().State(), WordList::Status::Ready);
    const Case& c = GetParam();
    const std::string allowed = c.lesson > 0 ? LessonKeys::Taught(c.lesson, c.qwertz) : "";
    const std::string weak = Text(c.weakUtf8);
    const PracticeText text = PracticeTextMaker::Make(Words(), weak, allowed, c.qwertz, 7);
    ASSERT_EQ(text.status, PracticeText::Status::Ready);

    std::set<unsigned char> targets;
    const KeyboardLayout& layout = KeyboardLayout::Of(c.qwertz);
    for (const char w : text.practised) {
        targets.insert(static_cast<unsigned char>(w));
        for (const char n : layout.Neighbours(static_cast<unsigned char>(w))) {
            targets.insert(static_cast<unsigned char>(n));
        }
    }
    EXPECT_GE(text.lines.size(), 12u);
    EXPECT_LE(text.lines.size(), 15u);
    EXPECT_EQ(std::set<std::string>(text.lines.begin(), text.lines.end()).size(),
              text.lines.size());
    for (const std::string& line : text.lines) {
        SCOPED_TRACE(Cp1250::ToUtf8(line));
        EXPECT_LE(line.size(), 68u);
        int share = 0;
        for (const char ch : line) {
            share += targets.count(static_cast<unsigned char>(ch)) != 0 ? 1 : 0;
            if (!allowed.empty()) {
                EXPECT_NE(allowed.find(ch), std::string::npos)
                    << Cp1250::ToUtf8(std::string(1, ch));
            }
        }
        EXPECT_GE(3 * share, static_cast<int>(line.size()));
        std::istringstream words(line);
        for (std::string word; words >> word;) {
            EXPECT_TRUE(Words().Contains(word)) << Cp1250::ToUtf8(word);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lessons, PracticeText_,
    ::testing::Values(Case{"Lesson5", 5, true, "uR"}, Case{"Lesson12Qwertz", 12, true, "yo"},
                      Case{"Lesson12Qwerty", 12, false, "zp"}, Case{"Lesson20", 20, true, "cw,"},
                      Case{"Lesson30", 30, true, "řá"}, Case{"OwnText", 0, true, "ěŠ\nč"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PracticeText, Lesson5WordsAreAcceptedByHunspell) {
    const PracticeText text =
        PracticeTextMaker::Make(Words(), "ru", LessonKeys::Taught(5, true), true, 11);
    ASSERT_EQ(text.status, PracticeText::Status::Ready);
    std::string all;
    for (const std::string& line : text.lines) {
        all += Cp1250::ToUtf8(line) + "\n";
    }
    // -l lists the words the dictionary does not know.
    FILE* hunspell = popen("hunspell -d cs_CZ -i utf-8 -l > hunspell-unknown.txt", "w");
    ASSERT_NE(hunspell, nullptr);
    fwrite(all.data(), 1, all.size(), hunspell);
    ASSERT_EQ(pclose(hunspell), 0);
    FILE* unknown = fopen("hunspell-unknown.txt", "r");
    ASSERT_NE(unknown, nullptr);
    char buffer[256];
    const size_t read = fread(buffer, 1, sizeof buffer, unknown);
    fclose(unknown);
    std::remove("hunspell-unknown.txt");
    EXPECT_EQ(std::string(buffer, read), "");
}

TEST(PracticeText, WithoutLettersOrWordsThereIsNoText) {
    const WordList few = WordList::FromWords({"ruka", "kura", "duha"});
    EXPECT_EQ(PracticeTextMaker::Make(Words(), " ,.\n", "", true, 1).status,
              PracticeText::Status::NoLetters);
    EXPECT_EQ(PracticeTextMaker::Make(Words(), "ř", LessonKeys::Taught(5, true), true, 1).status,
              PracticeText::Status::NoLetters);
    EXPECT_EQ(PracticeTextMaker::Make(few, "u", "", true, 1).status,
              PracticeText::Status::TooFewWords);
}

} // namespace
