// The four lesson files as they are staged beside the program, read through the program's
// own loader: every lesson is there, loads without a report, fits the typing line and uses
// only the keys the pupil has been taught by then.

#include "Lekce.h"

#include "Cp1250.h"
#include "RecordingReporter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <map>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kLessons = 44;
constexpr int kMinLines = 12;
constexpr int kMaxLines = 20;
// A line of 69 would be indistinguishable from a longer one that the loader cut.
constexpr std::size_t kMaxTypedLength = LEKCE::kLineWidth - 1;

enum class Layout { Qwertz, Qwerty };

// What each lesson introduces on each layout, as the lesson dialog names it. The space bar
// is always allowed. The two layouts differ only in where y and z sit: the bottom-left
// letter comes in lesson 12 (and its capital in 26), the top-row letter in lesson 21 (27).
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
    {26, "QWERTASDFGXCVBY", "QWERTASDFGXCVBZ"},
    {27, "UIOPHJKLNMZ", "UIOPHJKLNMY"},
    {28, "ř", "ř"},
    {29, "á", "á"},
    {30, "", ""},
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

TEST(LessonKeys, SharedLessonsMayUseNeitherCapitalThatOneLayoutHasNotTaughtYet) {
    const KeySet lesson26 = AllowedIn(26, Layout::Qwertz);
    EXPECT_FALSE(lesson26.contains('Y'));
    EXPECT_FALSE(lesson26.contains('Z'));
    EXPECT_TRUE(lesson26.contains('Q'));
    EXPECT_TRUE(AllowedIn(27, Layout::Qwerty).contains('Y'));
    EXPECT_TRUE(AllowedIn(27, Layout::Qwerty).contains('Z'));
    EXPECT_TRUE(AllowedIn(12, Layout::Qwertz).contains('y'));
    EXPECT_FALSE(AllowedIn(12, Layout::Qwertz).contains('z'));
    EXPECT_FALSE(AllowedIn(20, Layout::Qwerty).contains('y'));
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

TEST_P(Lesson, HasTwelveToTwentyLinesThatFitTheTypingLineUncut) {
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

INSTANTIATE_TEST_SUITE_P(LessonData, Lesson, ::testing::ValuesIn(AllLessons()), NameOf);

} // namespace
