// Practice texts from the word list beside the program: common words of the taught keys, with
// at most half of their letters from the weak characters, capitals where capitals went wrong,
// letter groups where words are too few; and the word list itself.

#include "PracticeTextMaker.h"
#include "Cp1250.h"
#include "CzechKeyRows.h"
#include "CzechLetters.h"
#include "LessonKeys.h"
#include "Vocabulary.h"
#include "WordList.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace {

std::string Text(std::string_view utf8) {
    return Cp1250::FromUtf8(utf8);
}

const WordList& Words() {
    static const WordList words = WordList::Load(std::string(KLAPTOS_BIN_DIR) + "/slova.txt");
    return words;
}

const Vocabulary& Vocabulary_() {
    static const Vocabulary vocabulary(Words().Words());
    return vocabulary;
}

// Forms pupils met in practice texts: rude, slang and rare words, non-words, and words written
// without the diacritics of a more common one.
const std::set<std::string>& Blocklist() {
    static const std::set<std::string> forms = [] {
        std::set<std::string> f;
        for (const char* utf8 :
             {"prď",     "nesmrď", "zasmrď", "feťák",  "frťan", "usmrťte", "ťunťa", "keťas", "aťsi",
              "buďsi",   "vúsť",   "hruť",   "čičiči", "číčo",  "čučme",   "čakře", "očař",  "more",
              "proteze", "cajky",  "neucel", "prdel",  "srát",  "posraný", "kurva"}) {
            f.insert(Text(utf8));
        }
        return f;
    }();
    return forms;
}

std::vector<std::string> Split(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> parts;
    for (std::string part; in >> part;) {
        parts.push_back(part);
    }
    return parts;
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

TEST(CzechKeyRows, NeighboursAndFingersFollowTheLayout) {
    const CzechKeyRows qwertz(true);
    const CzechKeyRows qwerty(false);
    EXPECT_EQ(Cp1250::ToUtf8(qwertz.Neighbours(Text("ř")[0])), "čž");
    EXPECT_EQ(Cp1250::ToUtf8(qwertz.Neighbours(Text("Ď")[0])), "sf");
    EXPECT_EQ(qwertz.Neighbours('t'), "rz");
    EXPECT_EQ(qwerty.Neighbours('t'), "ry");
    EXPECT_EQ(qwerty.Neighbours('z'), "x");
    EXPECT_EQ(Cp1250::ToUtf8(qwertz.FingerOf('y')), "levý malíček");
    EXPECT_EQ(Cp1250::ToUtf8(qwerty.FingerOf('y')), "pravý ukazováček");
    EXPECT_EQ(Cp1250::ToUtf8(qwertz.FingerOf(Text("ě")[0])), "levý prsteníček");
    EXPECT_EQ(Cp1250::ToUtf8(qwertz.FingerOf(' ')), "palec");
}

// The words of the program's own texts, as the list keeps them (a sentence's first word small).
std::set<std::string> VettedWords() {
    std::set<std::string> words;
    const std::filesystem::path root(KLAPTOS_SOURCE_DIR);
    for (const char* folder : {"tools/lessons", "tools/copytexts"}) {
        for (const auto& entry : std::filesystem::directory_iterator(root / folder)) {
            if (entry.path().extension() != ".txt") {
                continue;
            }
            std::ifstream file(entry.path(), std::ios::binary);
            std::stringstream utf8;
            utf8 << file.rdbuf();
            std::string word;
            for (const char c : Cp1250::FromUtf8(utf8.str()) + " ") {
                if (CzechLetters::IsLetter(static_cast<unsigned char>(c))) {
                    word += c;
                } else if (!word.empty()) {
                    words.insert(word);
                    word[0] = static_cast<char>(
                        CzechLetters::ToSmall(static_cast<unsigned char>(word[0])));
                    words.insert(word);
                    word.clear();
                }
            }
        }
    }
    return words;
}

TEST(WordListFile, HoldsTheProgramsOwnWordsFirstDictionaryWordsOnlyAndNoneOfTheBadForms) {
    ASSERT_EQ(Words().State(), WordList::Status::Ready);
    const std::vector<std::string_view>& words = Words().Words();
    ASSERT_GT(words.size(), 10000u);

    const std::set<std::string> vetted = VettedWords();
    for (size_t rank = 0; rank < 2000; ++rank) {
        EXPECT_TRUE(vetted.count(std::string(words[rank])) != 0)
            << Cp1250::ToUtf8(words[rank]) << " at " << rank << " is not in the lessons";
    }
    std::string all;
    for (const std::string_view word : words) {
        EXPECT_EQ(Blocklist().count(std::string(word)), 0u) << Cp1250::ToUtf8(word);
        all += Cp1250::ToUtf8(word) + "\n";
    }
    EXPECT_TRUE(Words().Contains("Praha")) << "proper nouns keep their capital";

    // -l lists the words the dictionary does not know.
    const std::filesystem::path dir = std::filesystem::temp_directory_path();
    const std::filesystem::path in = dir / "klaptos-word-list.txt";
    const std::filesystem::path out = dir / "klaptos-word-list-unknown.txt";
    std::ofstream(in, std::ios::binary) << all;
    const std::string command =
        "hunspell -d cs_CZ -i utf-8 -l < " + in.string() + " > " + out.string();
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream unknownFile(out);
    size_t unknown = 0;
    for (std::string line; std::getline(unknownFile, line);) {
        ++unknown;
    }
    std::filesystem::remove(in);
    std::filesystem::remove(out);
    EXPECT_LE(unknown * 100, words.size() * 5) << unknown << " words hunspell does not know";
}

struct Case {
    const char* name;
    int lesson; // 0: an own text
    bool qwertz;
    std::string_view weakUtf8;
    std::string_view practisedUtf8;
    bool capitals;     // sentences that start with a practised capital
    bool letterGroups; // too few words for a practised letter

    friend void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }
};

class PracticeText_ : public ::testing::TestWithParam<Case> {};

TEST_P(PracticeText_, IsCommonWordsOfTaughtKeysAtMostHalfWeakWithCapitalsAndGroupsWhereDue) {
    const Case& c = GetParam();
    const PracticeRequest request{Text(c.weakUtf8),
                                  c.lesson > 0 ? LessonKeys::Taught(c.lesson, c.qwertz) : "",
                                  c.qwertz, c.lesson};
    const PracticeText text = PracticeTextMaker::Make(Vocabulary_(), request, 7);
    ASSERT_EQ(text.status, PracticeText::Status::Ready);
    EXPECT_EQ(text, PracticeTextMaker::Make(Vocabulary_(), request, 7)) << "the same seed";

    const std::string practised = Text(c.practisedUtf8);
    EXPECT_EQ(text.intro.practised, practised);
    EXPECT_EQ(text.intro.lesson, c.lesson);
    EXPECT_EQ(text.intro.letterGroups, c.letterGroups);
    EXPECT_EQ(PracticeIntro::Parse(text.introLine), text.intro);

    ASSERT_EQ(static_cast<int>(text.lines.size()), PracticeTextMaker::kLines);
    EXPECT_EQ(std::set<std::string>(text.lines.begin(), text.lines.end()).size(),
              text.lines.size());
    int weakLetters = 0;
    int letters = 0;
    bool groups = false;
    for (const std::string& line : text.lines) {
        SCOPED_TRACE(Cp1250::ToUtf8(line));
        EXPECT_LE(line.size(), static_cast<size_t>(PracticeTextMaker::kMaxLineLength));
        int lineWeak = 0;
        int lineLetters = 0;
        for (const char ch : line) {
            if (!request.allowed.empty()) {
                EXPECT_NE(request.allowed.find(ch), std::string::npos)
                    << Cp1250::ToUtf8(std::string(1, ch));
            }
            if (CzechLetters::IsLetter(static_cast<unsigned char>(ch))) {
                ++lineLetters;
                lineWeak += practised.find(ch) != std::string::npos ? 1 : 0;
            }
        }
        EXPECT_GT(lineWeak, 0);
        EXPECT_LE(2 * lineWeak, lineLetters);
        weakLetters += lineWeak;
        letters += lineLetters;

        bool sentenceStart = true;
        for (std::string word : Split(line)) {
            const bool ends = word.back() == '.';
            if (ends) {
                word.pop_back();
            }
            EXPECT_EQ(Blocklist().count(word), 0u) << Cp1250::ToUtf8(word);
            std::string listed = word;
            if (c.capitals && sentenceStart && !Words().Contains(word)) {
                listed[0] =
                    static_cast<char>(CzechLetters::ToSmall(static_cast<unsigned char>(word[0])));
            }
            if (!Words().Contains(listed)) {
                groups = true;
                EXPECT_TRUE(c.letterGroups) << Cp1250::ToUtf8(word) << " is no word of the list";
            }
            sentenceStart = ends;
        }
        if (c.capitals) {
            EXPECT_TRUE(CzechLetters::IsCapital(static_cast<unsigned char>(line[0])));
            EXPECT_EQ(line.back(), '.');
        }
    }
    EXPECT_EQ(groups, c.letterGroups);
    // The practised characters are there to practise, yet the text is mostly other letters.
    EXPECT_GE(20 * weakLetters, letters);
    EXPECT_LE(2 * weakLetters, letters);
}

INSTANTIATE_TEST_SUITE_P(
    Weak, PracticeText_,
    ::testing::Values(Case{"DAndTAfterLesson41", 41, true, "ďť", "ďť", false, false},
                      Case{"CAndRAfterLesson31", 31, true, "čř", "čř", false, false},
                      Case{"CapitalCAfterLesson30", 30, true, "C", "C", true, false},
                      Case{"AfterLesson2", 2, true, "dfjk", "dfj", false, true},
                      Case{"GAfterLesson4", 4, true, "g", "g", false, true},
                      Case{"Lesson5WithoutCapitals", 5, true, "uR", "ur", false, false},
                      Case{"Lesson12Qwerty", 12, false, "zp", "zp", false, false},
                      Case{"OwnText", 0, true, "ěŠ\nč", "ěŠč", true, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PracticeText, WithoutAWeakLetterTheKeysCanTypeThereIsNoText) {
    EXPECT_EQ(PracticeTextMaker::Make(Vocabulary_(), {" ,.\n", "", true, 0}, 1).status,
              PracticeText::Status::NoLetters);
    EXPECT_EQ(
        PracticeTextMaker::Make(Vocabulary_(), {Text("ř"), LessonKeys::Taught(5, true), true, 5}, 1)
            .status,
        PracticeText::Status::NoLetters);
}

TEST(PracticeIntro, NamesTheLessonAndTheCharactersAndIsReadBack) {
    const std::vector<std::pair<PracticeIntro, std::string_view>> cases = {
        {{Text("ďť"), 41, true, false},
         "Procvičení k lekci 41: ď ť – slova s Vašimi nejčastějšími chybami"},
        {{"C", 0, true, false}, "Procvičení: C – slova s Vašimi nejčastějšími chybami"},
        {{"df", 2, false, true},
         "Procvičení k lekci 2: d f – skupiny písmen s Vašimi nejčastějšími chybami"},
        {{"g", 4, true, true},
         "Procvičení k lekci 4: g – slova a skupiny písmen s Vašimi nejčastějšími chybami"},
    };
    for (const auto& [intro, utf8] : cases) {
        EXPECT_EQ(Cp1250::ToUtf8(intro.Line()), utf8);
        EXPECT_EQ(PracticeIntro::Parse(intro.Line()), intro) << utf8;
    }
    for (const char* other :
         {"Lekce 5: klávesy r u", "Procvičení k lekci 45: r – slova s Vašimi nejčastějšími chybami",
          "Procvičení: ru – slova s Vašimi nejčastějšími chybami", "Procvičení: r u – slova",
          "Procvičení: – slova s Vašimi nejčastějšími chybami"}) {
        EXPECT_FALSE(PracticeIntro::Parse(Text(other))) << other;
    }
}

} // namespace
