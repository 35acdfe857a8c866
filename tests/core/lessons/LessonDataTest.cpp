// The four lesson files as they are staged beside the program, read through the program's
// own loader: every lesson is there, loads without a report, fits the typing line, uses
// only the keys the pupil has been taught by then, drills its new keys in every line and
// a review the keys its introduction names, is long enough to be worth a sitting, and from
// lesson 17 on is written in words the Czech spelling dictionary knows.

#include "Lekce.h"

#include "Cp1250.h"
#include "RecordingReporter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h> // getpid

namespace {

constexpr int kLessons = 44;
constexpr int kMinLines = 14;
constexpr int kMaxLines = 20;
// A line of 69 would be indistinguishable from a longer one that the loader cut.
constexpr std::size_t kMaxTypedLength = LEKCE::kLineWidth - 1;
constexpr std::size_t kMinKeystrokes = 550; // each line's characters and its Enter
constexpr int kAverageFrom = 12;            // from here on lines average at least...
constexpr double kMinAverageLength = 38.0;  // ...this many characters
constexpr int kCapitalsFrom = 26;           // before it no line may end as a sentence does
constexpr int kWordsFrom = 17;              // from here on the text is dictionary words...
constexpr double kMinKnownShare = 0.95;     // ...of three or more letters, at this share
// A lesson that introduces keys has one of them in every line; from lesson 12 on, most of
// its lines hold them twice or more. Each new key, and each key a review stresses, is typed
// at least this often.
constexpr int kTwiceFrom = 12;
constexpr long kMinUses = 5;
// After lesson 42 has shown a capital with a caron, every Czech capital can be written
// with the dead keys; from lesson 43 on the lessons may use them without drilling each.
constexpr int kAllCapitalsFrom = 43;
constexpr std::string_view kDeadKeyCapitals = "ÁČÉĚÍŇÓŘŤÚÝ"; // UTF-8

enum class Layout { Qwertz, Qwerty };

// What each lesson introduces on each layout, as the lesson dialog names it. The space bar
// is always allowed. The two layouts differ only in where y and z sit: the bottom-left
// letter comes in lesson 12, the top-row letter in lesson 21. Lessons 26 and 27 serve both
// layouts, and Y and Z swap hands between them, so both capitals wait for lesson 30.
struct Introduces {
    int lesson;
    std::string_view qwertz; // UTF-8
    std::string_view qwerty; // UTF-8
};

constexpr std::array<Introduces, kLessons> kKeyTable{{
    {1, "dfjk", "dfjk"},
    {2, "sl", "sl"},
    {3, "aů", "aů"}, // the little fingers' home keys; plain u comes in lesson 5
    {4, "gh", "gh"},
    {5, "ru", "ru"},
    {6, "ei,", "ei,"},
    {7, "", ""},
    {8, "o.", "o."},
    {9, "p", "p"},
    {10, "", ""},
    {11, "t", "t"},
    {12, "y", "z"},
    {13, "úq", "úq"},
    {14, "", ""},
    {15, "", ""},
    {16, "v", "v"},
    {17, "m", "m"},
    {18, "", ""},
    {19, "c", "c"},
    {20, "xw", "xw"},
    {21, "z", "y"},
    {22, "", ""},
    {23, "b", "b"},
    {24, "n", "n"},
    {25, "", ""},
    {26, "QWERTASDFGXCVB", "QWERTASDFGXCVB"},
    {27, "UIOPHJKLNM", "UIOPHJKLNM"},
    {28, "ř", "ř"},
    {29, "á", "á"},
    {30, "YZ", "YZ"},
    {31, "č", "č"},
    {32, "í", "í"},
    {33, "", ""},
    {34, "š", "š"},
    {35, "é", "é"},
    {36, "ě", "ě"},
    {37, "", ""},
    {38, "", ""},
    {39, "ž", "ž"},
    {40, "ý", "ý"},
    {41, "ďťňó", "ďťňó"},
    {42, "ŠĎŽ", "ŠĎŽ"},
    {43, "?:!/()", "?:!/()"},
    {44, "0123456789%-", "0123456789%-"},
}};

using KeySet = std::set<unsigned char>;

// The review lessons (OPAKOVANÍ in the lesson dialog) and what their introductions name: the
// keys they stress, in UTF-8 ("," and "." are named "čárka" and "tečka"), and the lessons they
// go over, every letter of which they type; 0 where an introduction names no lessons.
struct ReviewOf {
    int lesson;
    std::string_view qwertz;
    std::string_view qwerty;
    int first;
    int last;
};

constexpr std::array kReviewOf{
    ReviewOf{7, "ei,", "ei,", 1, 6},     ReviewOf{10, "op.", "op.", 1, 9},
    ReviewOf{14, "tyúq", "tzúq", 1, 13}, ReviewOf{15, "y", "z", 1, 13},
    ReviewOf{18, "vm", "vm", 1, 17},     ReviewOf{22, "yz", "yz", 1, 21},
    ReviewOf{25, "bn", "bn", 1, 24},     ReviewOf{30, "řá", "řá", 0, 0},
    ReviewOf{33, "řáčí", "řáčí", 0, 0},  ReviewOf{37, "ěščřáéí", "ěščřáéí", 0, 0},
    ReviewOf{38, "", "", 0, 0},
};

KeySet IntroducedBy(int lesson, Layout layout) {
    const Introduces& row = kKeyTable.at(static_cast<std::size_t>(lesson - 1));
    const std::string bytes = Cp1250::FromUtf8(layout == Layout::Qwertz ? row.qwertz : row.qwerty);
    return {bytes.begin(), bytes.end()};
}

KeySet TaughtUpTo(int lesson, Layout layout) {
    KeySet keys{' '};
    for (int earlier = 1; earlier <= lesson; ++earlier) {
        keys.merge(IntroducedBy(earlier, layout));
    }
    if (lesson >= kAllCapitalsFrom) {
        const std::string capitals = Cp1250::FromUtf8(kDeadKeyCapitals);
        keys.insert(capitals.begin(), capitals.end());
    }
    return keys;
}

// A lesson kept in a file of both layouts must be typeable with what either has taught.
bool SharedByBothLayouts(int lesson) {
    return LEKCE::LessonFileName(lesson, true) == LEKCE::LessonFileName(lesson, false);
}

KeySet AllowedIn(int lesson, Layout layout) {
    KeySet allowed = TaughtUpTo(lesson, layout);
    if (SharedByBothLayouts(lesson)) {
        const KeySet other =
            TaughtUpTo(lesson, layout == Layout::Qwertz ? Layout::Qwerty : Layout::Qwertz);
        std::erase_if(allowed, [&](unsigned char key) { return !other.contains(key); });
    }
    return allowed;
}

std::string Utf8(unsigned char byte) {
    return Cp1250::ToUtf8(std::string(1, static_cast<char>(byte)));
}

std::string ReadFile(const std::string& name) {
    std::ifstream in(std::string(KLAPTOS_BIN_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::array<std::string, 4> kLessonFiles{"KTOSCA.DAT", "KTOSCBY.DAT", "KTOSCBZ.DAT",
                                              "KTOSCC.DAT"};

// --- the files as bytes ---------------------------------------------------------------

TEST(LessonFiles, EachHoldsTheMarkersOfItsOwnLessonsOnceAndInOrder) {
    for (const std::string& file : kLessonFiles) {
        SCOPED_TRACE(file);
        std::vector<int> expected;
        for (int n = 1; n <= kLessons; ++n) {
            if (LEKCE::LessonFileName(n, true) == file || LEKCE::LessonFileName(n, false) == file) {
                expected.push_back(n);
            }
        }
        std::vector<int> found;
        std::istringstream lines(ReadFile(file));
        for (std::string line; std::getline(lines, line);) {
            if (line.starts_with("$LEKCE:")) {
                found.push_back(std::stoi(line.substr(7, 2)));
                EXPECT_EQ(line.size(), 10u) << "a marker is nine characters and CR: " << line;
            }
        }
        EXPECT_EQ(found, expected);
    }
}

TEST(LessonFiles, AreCodePage1250TextWithCrLfLineEndsAndNoEmptyLine) {
    constexpr std::array<unsigned char, 5> kUndefined{0x81, 0x83, 0x88, 0x90, 0x98};
    for (const std::string& file : kLessonFiles) {
        SCOPED_TRACE(file);
        const std::string bytes = ReadFile(file);
        ASSERT_FALSE(bytes.empty()) << "not staged in " << KLAPTOS_BIN_DIR;
        EXPECT_TRUE(bytes.ends_with("\r\n"));
        EXPECT_EQ(bytes.find("\r\n\r\n"), std::string::npos) << "an empty line ends a lesson";
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const auto byte = static_cast<unsigned char>(bytes[i]);
            const bool lineEnd = (byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ||
                                 (byte == '\n' && i > 0 && bytes[i - 1] == '\r');
            EXPECT_FALSE(byte < 0x20 && !lineEnd)
                << "control character " << int{byte} << " at " << i;
            EXPECT_EQ(std::ranges::count(kUndefined, byte), 0)
                << "byte " << int{byte} << " is undefined in code page 1250, at " << i;
        }
    }
}

TEST(LessonKeys, TheTableNamesEveryLessonInOrder) {
    for (int n = 1; n <= kLessons; ++n) {
        EXPECT_EQ(kKeyTable.at(static_cast<std::size_t>(n - 1)).lesson, n);
    }
}

TEST(LessonKeys, CapitalsYAndZWaitForLesson30AndDeadKeyCapitalsForLesson43) {
    const unsigned char capitalC = static_cast<unsigned char>(Cp1250::FromUtf8("Č")[0]);
    const unsigned char capitalS = static_cast<unsigned char>(Cp1250::FromUtf8("Š")[0]);
    for (const Layout layout : {Layout::Qwertz, Layout::Qwerty}) {
        SCOPED_TRACE(layout == Layout::Qwertz ? "QWERTZ" : "QWERTY");
        const KeySet lesson27 = AllowedIn(27, layout);
        EXPECT_TRUE(lesson27.contains('Q') && lesson27.contains('M'));
        EXPECT_FALSE(lesson27.contains('Y') || lesson27.contains('Z'));
        EXPECT_TRUE(AllowedIn(30, layout).contains('Y') && AllowedIn(30, layout).contains('Z'));
        EXPECT_TRUE(AllowedIn(42, layout).contains(capitalS));
        EXPECT_FALSE(AllowedIn(42, layout).contains(capitalC));
        EXPECT_TRUE(AllowedIn(43, layout).contains(capitalC));
    }
    EXPECT_TRUE(AllowedIn(12, Layout::Qwertz).contains('y'));
    EXPECT_FALSE(AllowedIn(12, Layout::Qwertz).contains('z'));
    EXPECT_FALSE(AllowedIn(20, Layout::Qwerty).contains('y'));
}

const ReviewOf* ReviewFor(int lesson) {
    const auto found = std::ranges::find(kReviewOf, lesson, &ReviewOf::lesson);
    return found == kReviewOf.end() ? nullptr : &*found;
}

bool IsReview(int lesson) {
    return ReviewFor(lesson) != nullptr;
}

// Code page 1250 keeps Czech letters from 0xC0 on and a few between 0x8A and 0x9F, beside
// punctuation such as the dash of the introductions.
bool IsLetter(unsigned char byte) {
    constexpr std::string_view kLettersBelowC0 = "\x8A\x8C\x8D\x8E\x8F\x9A\x9C\x9D\x9E\x9F";
    return std::isalpha(byte) != 0 || byte >= 0xC0 ||
           kLettersBelowC0.find(static_cast<char>(byte)) != std::string_view::npos;
}

// Whether the introduction names a key as a word of its own ("zvlášť y a z"), the comma and
// the full stop by their Czech names.
bool NamesKey(const std::string& intro, unsigned char key) {
    const std::string word = key == ','   ? Cp1250::FromUtf8("čárka")
                             : key == '.' ? Cp1250::FromUtf8("tečka")
                                          : std::string(1, static_cast<char>(key));
    for (auto at = intro.find(word); at != std::string::npos; at = intro.find(word, at + 1)) {
        const auto end = at + word.size();
        if ((at == 0 || !IsLetter(static_cast<unsigned char>(intro[at - 1]))) &&
            (end == intro.size() || !IsLetter(static_cast<unsigned char>(intro[end])))) {
            return true;
        }
    }
    return false;
}

long Uses(const std::vector<std::string>& lines, unsigned char key) {
    long uses = 0;
    for (const std::string& line : lines) {
        uses += std::ranges::count(line, static_cast<char>(key));
    }
    return uses;
}

// What a review's introduction names and its text does not type.
std::vector<std::string> ReviewShortcomings(int lesson, Layout layout, const std::string& intro,
                                            const std::vector<std::string>& lines) {
    std::vector<std::string> found;
    const ReviewOf* review = ReviewFor(lesson);
    if (review == nullptr) {
        return found;
    }
    for (const char c :
         Cp1250::FromUtf8(layout == Layout::Qwertz ? review->qwertz : review->qwerty)) {
        const auto key = static_cast<unsigned char>(c);
        if (!NamesKey(intro, key)) {
            found.push_back("the introduction does not name '" + Utf8(key) + "'");
        }
        if (Uses(lines, key) < kMinUses) {
            found.push_back("the stressed key '" + Utf8(key) + "' typed " +
                            std::to_string(Uses(lines, key)) + " times");
        }
    }
    for (int earlier = review->first; earlier >= 1 && earlier <= review->last; ++earlier) {
        for (const unsigned char key : IntroducedBy(earlier, layout)) {
            if (IsLetter(key) && Uses(lines, key) == 0) {
                found.push_back("'" + Utf8(key) + "' of lesson " + std::to_string(earlier) +
                                " never typed");
            }
        }
    }
    return found;
}

// Everything a pupil would notice about a lesson's shape at once, so that one run names
// every shortcoming of a lesson rather than the first.
std::vector<std::string> ShortcomingsOf(int lesson, Layout layout, const std::string& intro,
                                        const std::vector<std::string>& lines) {
    std::vector<std::string> found;
    std::size_t keystrokes = 0;
    for (const std::string& line : lines) {
        keystrokes += line.size() + 1;
    }
    if (keystrokes < kMinKeystrokes) {
        found.push_back(std::to_string(keystrokes) + " keystrokes");
    }
    const double average =
        lines.empty() ? 0.0
                      : static_cast<double>(keystrokes) / static_cast<double>(lines.size()) - 1;
    if (lesson >= kAverageFrom && average < kMinAverageLength) {
        found.push_back("lines of " + std::to_string(average) + " characters on average");
    }
    KeySet fresh = IntroducedBy(lesson, layout);
    const KeySet allowed = AllowedIn(lesson, layout);
    std::erase_if(fresh, [&](unsigned char key) { return !allowed.contains(key); });
    std::size_t twice = 0;
    for (const std::string& line : lines) {
        if (lesson < kCapitalsFrom && line.ends_with('.')) {
            found.push_back("a sentence before capitals are taught: " + Cp1250::ToUtf8(line));
        }
        const auto newKeys = std::ranges::count_if(
            line, [&](char c) { return fresh.contains(static_cast<unsigned char>(c)); });
        twice += newKeys >= 2 ? 1 : 0;
        if (!fresh.empty() && newKeys == 0) {
            found.push_back("none of the new keys in: " + Cp1250::ToUtf8(line));
        }
    }
    if (!fresh.empty() && lesson >= kTwiceFrom && 2 * twice <= lines.size()) {
        found.push_back("the new keys twice or more in only " + std::to_string(twice) + " of " +
                        std::to_string(lines.size()) + " lines");
    }
    for (const unsigned char key : fresh) {
        if (Uses(lines, key) < kMinUses) {
            found.push_back("'" + Utf8(key) + "' typed " + std::to_string(Uses(lines, key)) +
                            " times");
        }
    }
    const std::vector<std::string> review = ReviewShortcomings(lesson, layout, intro, lines);
    found.insert(found.end(), review.begin(), review.end());
    const std::string introUtf8 = Cp1250::ToUtf8(intro);
    if (introUtf8.find("OPAKOVANÍ") != std::string::npos ||
        (IsReview(lesson) && introUtf8.find("OPAKOVÁNÍ") == std::string::npos)) {
        found.push_back("the introduction misspells or misses OPAKOVÁNÍ: " + introUtf8);
    }
    return found;
}

TEST(LessonMeasures, ShortcomingsAreFoundInAMadeUpLesson) {
    const std::vector<std::string> sentences{"jdu k lesu.", "jdu k sadu."};
    EXPECT_EQ(
        ShortcomingsOf(17, Layout::Qwertz, Cp1250::FromUtf8("Lekce 17: OPAKOVANÍ"), sentences),
        (std::vector<std::string>{
            "24 keystrokes", "lines of 11.000000 characters on average",
            "a sentence before capitals are taught: jdu k lesu.",
            "none of the new keys in: jdu k lesu.",
            "a sentence before capitals are taught: jdu k sadu.",
            "none of the new keys in: jdu k sadu.",
            "the new keys twice or more in only 0 of 2 lines", "'m' typed 0 times",
            "the introduction misspells or misses OPAKOVÁNÍ: Lekce 17: OPAKOVANÍ"}));
    EXPECT_EQ(ShortcomingsOf(38, Layout::Qwertz, "Lekce 38: review",
                             std::vector<std::string>(14, std::string(40, 'a'))),
              std::vector<std::string>{
                  "the introduction misspells or misses OPAKOVÁNÍ: Lekce 38: review"})
        << "a review lesson needs no new key but names itself";
    const std::string line40(40, 'm');
    EXPECT_EQ(ShortcomingsOf(17, Layout::Qwerty, "Lekce 17", std::vector<std::string>(14, line40)),
              std::vector<std::string>{});
    EXPECT_EQ(ShortcomingsOf(26, Layout::Qwerty, "Lekce 26",
                             std::vector<std::string>(14, "QWERT ASDFG XCVB " + line40 + ".")),
              std::vector<std::string>{})
        << "from lesson 26 on a line may end a sentence";
    EXPECT_EQ(ShortcomingsOf(5, Layout::Qwerty, "Lekce 5",
                             std::vector<std::string>(20, "ru ur ru ur ru ur ru ur ru ur")),
              std::vector<std::string>{})
        << "before lesson 12 short lines are fine when there are enough of them";
}

TEST(LessonMeasures, NewKeysAreCountedInEveryLineAndAReviewAgainstItsIntroduction) {
    const std::string five = Cp1250::FromUtf8("děti a dědové jdou do města na oběd a zpět");
    const std::string none = Cp1250::FromUtf8("deti a dedove jdou do mesta na obed a zpet");
    const std::string once = Cp1250::FromUtf8("deti a dedove jdou do mesta na oběd a zpet");
    std::vector<std::string> lesson36(14, five);
    EXPECT_EQ(ShortcomingsOf(36, Layout::Qwertz, "Lekce 36", lesson36), std::vector<std::string>{});
    lesson36[9] = none;
    EXPECT_EQ(ShortcomingsOf(36, Layout::Qwertz, "Lekce 36", lesson36),
              std::vector<std::string>{"none of the new keys in: " + Cp1250::ToUtf8(none)});
    EXPECT_EQ(ShortcomingsOf(36, Layout::Qwerty, "Lekce 36", std::vector<std::string>(14, once)),
              std::vector<std::string>{"the new keys twice or more in only 0 of 14 lines"});

    // Lesson 30 reviews but brings capital Y and Z in, so they too belong in every line.
    const std::string intro30 = Cp1250::FromUtf8("Lekce 30: OPAKOVÁNÍ – ř a á; nově Y a Z");
    std::vector<std::string> lesson30(
        14, Cp1250::FromUtf8("Zuzana a Yvona jely k moři a táta s nimi."));
    EXPECT_EQ(ShortcomingsOf(30, Layout::Qwerty, intro30, lesson30), std::vector<std::string>{});
    lesson30[0] = Cp1250::FromUtf8("Jana a Petr jeli k moři a táta s nimi.");
    EXPECT_EQ(ShortcomingsOf(30, Layout::Qwerty, intro30, lesson30),
              std::vector<std::string>{"none of the new keys in: Jana a Petr jeli k moři a táta "
                                       "s nimi."});

    // Lesson 7 goes over lessons 1 to 6 and stresses e, i and the comma.
    const std::string intro7 = Cp1250::FromUtf8("Lekce 7: OPAKOVÁNÍ – zvlášť e i a čárka.");
    const std::vector<std::string> lesson7(
        14, Cp1250::FromUtf8("asdf jklů gh ru ei, asdf jklů gh ru ei,"));
    EXPECT_EQ(ShortcomingsOf(7, Layout::Qwertz, intro7, lesson7), std::vector<std::string>{});
    EXPECT_EQ(ShortcomingsOf(7, Layout::Qwertz,
                             Cp1250::FromUtf8("Lekce 7: OPAKOVÁNÍ – zvlášť ei, tečka."), lesson7),
              (std::vector<std::string>{"the introduction does not name 'e'",
                                        "the introduction does not name 'i'",
                                        "the introduction does not name ','"}))
        << "a key inside a word or a name that is not its own does not count";
    EXPECT_EQ(ShortcomingsOf(7, Layout::Qwerty, intro7,
                             std::vector<std::string>(
                                 16, Cp1250::FromUtf8("asdf jklů hh ru ei asdf jklů hh ru ei"))),
              (std::vector<std::string>{"the stressed key ',' typed 0 times",
                                        "'g' of lesson 4 never typed"}));
}

// --- every lesson through the loader ----------------------------------------------------

struct LessonOnLayout {
    int lesson;
    Layout layout;
};

void PrintTo(const LessonOnLayout& param, std::ostream* out) {
    *out << "lesson " << param.lesson << (param.layout == Layout::Qwertz ? " QWERTZ" : " QWERTY");
}

std::string NameOf(const ::testing::TestParamInfo<LessonOnLayout>& info) {
    const int n = info.param.lesson;
    return std::string("Lesson") + (n < 10 ? "0" : "") + std::to_string(n) +
           (info.param.layout == Layout::Qwertz ? "Qwertz" : "Qwerty");
}

std::vector<LessonOnLayout> AllLessons() {
    std::vector<LessonOnLayout> all;
    for (int n = 1; n <= kLessons; ++n) {
        all.push_back({n, Layout::Qwertz});
        all.push_back({n, Layout::Qwerty});
    }
    return all;
}

class Lesson : public ::testing::TestWithParam<LessonOnLayout> {
protected:
    void SetUp() override {
        loaded = store.LoadLesson(GetParam().lesson, GetParam().layout == Layout::Qwertz);
    }

    RecordingReporter reporter;
    LEKCE store{KLAPTOS_BIN_DIR, reporter};
    bool loaded = false;
};

TEST_P(Lesson, LoadsWithoutAnyReport) {
    EXPECT_TRUE(loaded);
    for (const auto& report : reporter.reports) {
        ADD_FAILURE() << report.Utf8();
    }
    EXPECT_EQ(store.CurrentLesson, GetParam().lesson);
    EXPECT_FALSE(store.IntroLine.empty());
}

TEST_P(Lesson, HasFourteenToTwentyLinesThatFitTheTypingLineUncut) {
    EXPECT_GE(store.LineCount(), kMinLines);
    EXPECT_LE(store.LineCount(), kMaxLines);
    for (const std::string& line : store.Lines) {
        SCOPED_TRACE(Cp1250::ToUtf8(line));
        ASSERT_FALSE(line.empty());
        EXPECT_LE(line.size(), kMaxTypedLength);
        EXPECT_NE(line.front(), ' ');
        EXPECT_NE(line.back(), ' ') << "a blank at the end cannot be seen";
    }
}

TEST_P(Lesson, UsesOnlyTheKeysTaughtSoFar) {
    const KeySet allowed = AllowedIn(GetParam().lesson, GetParam().layout);
    for (const std::string& line : store.Lines) {
        for (const char c : line) {
            EXPECT_TRUE(allowed.contains(static_cast<unsigned char>(c)))
                << "'" << Utf8(static_cast<unsigned char>(c)) << "' in " << Cp1250::ToUtf8(line);
        }
    }
}

TEST_P(Lesson, DrillsEveryKeyItIntroduces) {
    const KeySet allowed = AllowedIn(GetParam().lesson, GetParam().layout);
    KeySet used;
    for (const std::string& line : store.Lines) {
        used.insert(line.begin(), line.end());
    }
    for (const unsigned char key : IntroducedBy(GetParam().lesson, GetParam().layout)) {
        if (allowed.contains(key)) {
            EXPECT_TRUE(used.contains(key)) << "'" << Utf8(key) << "' never appears";
        }
    }
}

TEST_P(Lesson, RepeatsNoLine) {
    std::map<std::string, int> seen;
    for (const std::string& line : store.Lines) {
        EXPECT_EQ(++seen[line], 1) << Cp1250::ToUtf8(line);
    }
}

TEST_P(Lesson, IsLongEnoughAndWrittenInTheFormItsKeysAllow) {
    EXPECT_EQ(ShortcomingsOf(GetParam().lesson, GetParam().layout, store.IntroLine, store.Lines),
              std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(LessonData, Lesson, ::testing::ValuesIn(AllLessons()), NameOf);

// --- the words, through the Czech spelling dictionary --------------------------------------

// The words of three letters or more in a lesson's lines, as UTF-8: everything that is not a
// letter separates words, and every byte above ASCII the lessons use is a Czech letter.
std::vector<std::string> LongerWords(const std::vector<std::string>& lines) {
    std::vector<std::string> words;
    for (const std::string& line : lines) {
        std::string word;
        for (const char c : line + " ") {
            const auto byte = static_cast<unsigned char>(c);
            if (byte >= 0x80 || (std::isalpha(byte) != 0)) {
                word += c;
                continue;
            }
            if (word.size() >= 3) {
                words.push_back(Cp1250::ToUtf8(word));
            }
            word.clear();
        }
    }
    return words;
}

// The words of `words` that hunspell's Czech dictionary does not know; fails the test when
// hunspell cannot be run, since the project's setup installs it.
std::set<std::string> UnknownToTheDictionary(const std::set<std::string>& words) {
    const std::filesystem::path input = std::filesystem::temp_directory_path() /
                                        ("klaptos_lesson_words_" + std::to_string(::getpid()));
    {
        std::ofstream out(input, std::ios::binary);
        for (const std::string& word : words) {
            out << word << '\n';
        }
    }
    const std::string command =
        "hunspell -d cs_CZ -i utf-8 -l < '" + input.string() + "' 2>/dev/null";
    std::set<std::string> unknown;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe != nullptr) {
        std::array<char, 512> buffer{};
        while (std::fgets(buffer.data(), static_cast<int>(buffer.size()), pipe) != nullptr) {
            std::string word(buffer.data());
            while (!word.empty() && (word.back() == '\n' || word.back() == '\r')) {
                word.pop_back();
            }
            unknown.insert(word);
        }
    }
    const int status = pipe == nullptr ? -1 : ::pclose(pipe);
    std::filesystem::remove(input);
    EXPECT_EQ(status, 0) << "could not run `hunspell -d cs_CZ`: install hunspell and hunspell-cs "
                            "(scripts/setup.sh)";
    return unknown;
}

TEST(LessonWords, FromLesson17OnAreMostlyWordsOfTheCzechDictionary) {
    ASSERT_TRUE(std::filesystem::exists("/usr/share/hunspell/cs_CZ.dic"))
        << "the Czech dictionary is missing: install hunspell-cs (scripts/setup.sh)";
    std::map<std::string, std::vector<std::string>> lessons; // "17 QWERTZ" -> its words
    std::set<std::string> all{"kůň", "kdfjů"}; // one word the dictionary knows, one it cannot
    for (int n = kWordsFrom; n <= kLessons; ++n) {
        for (const Layout layout : {Layout::Qwertz, Layout::Qwerty}) {
            RecordingReporter reporter;
            LEKCE store{KLAPTOS_BIN_DIR, reporter};
            ASSERT_TRUE(store.LoadLesson(n, layout == Layout::Qwertz)) << "lesson " << n;
            std::vector<std::string>& words =
                lessons[(n < 10 ? "0" : "") + std::to_string(n) +
                        (layout == Layout::Qwertz ? " QWERTZ" : " QWERTY")];
            words = LongerWords(store.Lines);
            all.insert(words.begin(), words.end());
        }
    }
    const std::set<std::string> unknown = UnknownToTheDictionary(all);
    ASSERT_TRUE(unknown.contains("kdfjů") && !unknown.contains("kůň"))
        << "hunspell answers in an unexpected form; it reported " << unknown.size() << " words";
    std::vector<std::string> below;
    for (const auto& [lesson, words] : lessons) {
        const auto known = std::ranges::count_if(
            words, [&](const std::string& w) { return !unknown.contains(w); });
        const double share =
            words.empty() ? 1.0 : static_cast<double>(known) / static_cast<double>(words.size());
        if (share < kMinKnownShare) {
            std::string missing;
            for (const std::string& w : words) {
                missing += unknown.contains(w) ? " " + w : "";
            }
            below.push_back("lesson " + lesson + ": " + std::to_string(share) +
                            ", not in the dictionary:" + missing);
        }
    }
    EXPECT_EQ(below, std::vector<std::string>{});
}

} // namespace
