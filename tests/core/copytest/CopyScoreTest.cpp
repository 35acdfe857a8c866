// The scoring of a timed copy: one error of each kind typed into a text, the figures and the
// grade under both rule sets, and the marks the result sheet shows.

#include "CopyScore.h"
#include "CopyText.h"
#include "Cp1250.h"
#include "KeyboardLayout.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>
#include <vector>

void PrintTo(const CopyTestResult& r, std::ostream* os) {
    *os << "gross " << r.gross << ", errors " << r.errors << ", penalty " << r.penalty << ", net "
        << r.net << " (" << r.netPerMinute << "/min over " << r.minutes << "), rate "
        << r.errorRateHundredths << ", grade " << static_cast<int>(r.grade) << ", limit "
        << static_cast<int>(r.limit);
}

namespace {

// 44 keystrokes: Malý 5, pes 3, běží 4, po 2, louce 5, a 1, štěká 5, na 2, Ďábla. 9, and the
// eight spaces between.
constexpr const char* kCopy = "Malý pes běží po louce a štěká na Ďábla.";
// The copy typed five times more after the first, as a pupil goes on from its beginning:
// 5 × (space + 44) keystrokes.
constexpr int kRepeatedKeys = 5 * 45;

std::string Marks(const std::vector<AlignedWord>& words) {
    std::string marks;
    for (const AlignedWord& word : words) {
        std::string mark;
        switch (word.mark) {
        case WordMark::Right:
            continue;
        case WordMark::Wrong:
            mark = "[" + word.typed + "|" + word.copy + "]";
            break;
        case WordMark::Unfinished:
            mark = "~" + word.typed;
            break;
        case WordMark::Missing:
            mark = "-" + word.copy + (word.error ? "!" : "");
            break;
        case WordMark::Extra:
            mark = "+" + word.typed;
            break;
        case WordMark::Enter:
            mark = "<Enter>";
            break;
        }
        marks += (marks.empty() ? "" : " ") + mark;
    }
    return Cp1250::ToUtf8(marks);
}

struct Figures {
    int net;
    int errorRateHundredths;
    CopyGrade grade;
    GradeLimit limit;
};

struct Variant {
    const char* name;
    const char* first; // the first time through the copy, UTF-8
    const char* tail;  // typed after the five repetitions
    int gross;
    int errors;
    const char* marks;
    Figures school;
    Figures competition;
};

// One error costs 1 × 100 / gross per cent: 0,37 % of 269 keystrokes, more than grade 2
// allows. School rules leave 259 net (grade 3 for the errors alone), competition rules 219
// (below 220 as well).
const Variant kVariants[] = {
    {"no error",
     kCopy,
     "",
     269,
     0,
     "",
     {269, 0, CopyGrade::One, GradeLimit::None},
     {269, 0, CopyGrade::One, GradeLimit::None}},
    {"wrong character",
     "Malý pes běží po lpuce a štěká na Ďábla.",
     "",
     269,
     1,
     "[lpuce|louce]",
     {259, 37, CopyGrade::Three, GradeLimit::Errors},
     {219, 37, CopyGrade::Three, GradeLimit::SpeedAndErrors}},
    {"missing character",
     "Malý pes běží po loce a štěká na Ďábla.",
     "",
     268,
     1,
     "[loce|louce]",
     {258, 37, CopyGrade::Three, GradeLimit::Errors},
     {218, 37, CopyGrade::Three, GradeLimit::SpeedAndErrors}},
    {"extra character",
     "Malý pes běží po louuce a štěká na Ďábla.",
     "",
     270,
     1,
     "[louuce|louce]",
     {260, 37, CopyGrade::Three, GradeLimit::Errors},
     {220, 37, CopyGrade::Three, GradeLimit::Errors}},
    {"transposition",
     "Malý pes běží po luoce a štěká na Ďábla.",
     "",
     269,
     1,
     "[luoce|louce]",
     {259, 37, CopyGrade::Three, GradeLimit::Errors},
     {219, 37, CopyGrade::Three, GradeLimit::SpeedAndErrors}},
    {"two errors in one word",
     "Malý pes běží po lpuxe a štěká na Ďábla.",
     "",
     269,
     1,
     "[lpuxe|louce]",
     {259, 37, CopyGrade::Three, GradeLimit::Errors},
     {219, 37, CopyGrade::Three, GradeLimit::SpeedAndErrors}},
    {"missing word",
     "Malý pes běží louce a štěká na Ďábla.",
     "",
     266,
     1,
     "-po!",
     {256, 38, CopyGrade::Three, GradeLimit::Errors},
     {216, 38, CopyGrade::Three, GradeLimit::SpeedAndErrors}},
    {"run of missing words",
     "Malý pes běží štěká na Ďábla.",
     "",
     258,
     1,
     "-po! -louce -a",
     {248, 39, CopyGrade::Three, GradeLimit::Errors},
     {208, 39, CopyGrade::Three, GradeLimit::SpeedAndErrors}},
    {"extra word",
     "Malý pes malý běží po louce a štěká na Ďábla.",
     "",
     274,
     1,
     "+malý",
     {264, 36, CopyGrade::Three, GradeLimit::Errors},
     {224, 36, CopyGrade::Three, GradeLimit::Errors}},
    {"Enter typed for a space",
     "Malý pes běží po louce\na štěká na Ďábla.",
     "",
     269,
     1,
     "<Enter>",
     {259, 37, CopyGrade::Three, GradeLimit::Errors},
     {219, 37, CopyGrade::Three, GradeLimit::SpeedAndErrors}},
    {"Enter typed after a space",
     "Malý pes běží po louce \na štěká na Ďábla.",
     "",
     270,
     1,
     "<Enter>",
     {260, 37, CopyGrade::Three, GradeLimit::Errors},
     {220, 37, CopyGrade::Three, GradeLimit::Errors}},
    {"unfinished last word",
     kCopy,
     " Malý pe",
     278,
     0,
     "~pe",
     {278, 0, CopyGrade::One, GradeLimit::None},
     {278, 0, CopyGrade::One, GradeLimit::None}},
    {"wrong letter in the unfinished last word",
     kCopy,
     " Malý pr",
     278,
     1,
     "[pr|pes]",
     {268, 36, CopyGrade::Three, GradeLimit::Errors},
     {228, 36, CopyGrade::Three, GradeLimit::Errors}},
    {"two words run together",
     "Malý pes běží polouce a štěká na Ďábla.",
     "",
     268,
     1,
     "[polouce|po louce]",
     {258, 37, CopyGrade::Three, GradeLimit::Errors},
     {218, 37, CopyGrade::Three, GradeLimit::SpeedAndErrors}},
    {"one word split",
     "Malý pes běží po lou ce a štěká na Ďábla.",
     "",
     270,
     1,
     "[lou ce|louce]",
     {260, 37, CopyGrade::Three, GradeLimit::Errors},
     {220, 37, CopyGrade::Three, GradeLimit::Errors}},
    {"a space too many",
     "Malý pes běží po  louce a štěká na Ďábla.",
     "",
     270,
     1,
     "+",
     {260, 37, CopyGrade::Three, GradeLimit::Errors},
     {220, 37, CopyGrade::Three, GradeLimit::Errors}},
};

class CopyScoreVariants : public testing::TestWithParam<Variant> {};

TEST_P(CopyScoreVariants, GiveTheNormsFiguresAndGradeUnderBothRuleSets) {
    const Variant& v = GetParam();
    const CopyText copy{Cp1250::FromUtf8("Pes"), {Cp1250::FromUtf8(kCopy)}};
    std::string typed = v.first;
    for (int i = 0; i < 5; ++i) {
        typed += std::string(" ") + kCopy;
    }
    typed += v.tail;

    for (const CopyRules rules : {CopyRules::School, CopyRules::Competition}) {
        const bool school = rules == CopyRules::School;
        const Figures& f = school ? v.school : v.competition;
        const CopyOutcome outcome =
            CopyScore::Evaluate(copy, Cp1250::FromUtf8(typed), 1, rules, KeyboardLayout::Qwertz());
        CopyTestResult expected;
        expected.title = copy.title;
        expected.minutes = 1;
        expected.rules = rules;
        expected.gross = v.gross;
        expected.errors = v.errors;
        expected.penalty = school ? 10 : 50;
        expected.net = f.net;
        expected.netPerMinute = f.net;
        expected.errorRateHundredths = f.errorRateHundredths;
        expected.grade = f.grade;
        expected.limit = f.limit;
        EXPECT_EQ(outcome.result, expected) << (school ? "školní" : "soutěžní");
        EXPECT_EQ(Marks(outcome.words), v.marks);
    }
}

INSTANTIATE_TEST_SUITE_P(CopyScore, CopyScoreVariants, testing::ValuesIn(kVariants),
                         [](const testing::TestParamInfo<Variant>& info) {
                             std::string name;
                             for (const char* c = info.param.name; *c != '\0'; ++c) {
                                 name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             }
                             return name;
                         });

struct GradeRow {
    const char* name;
    int netPerMinute;
    int rate;
    CopyGrade grade;
    GradeLimit limit;
};

TEST(CopyScore, GradesByNetKeystrokesPerMinuteAndErrorRate) {
    const GradeRow rows[] = {
        {"grade 1 at its limits", 240, 15, CopyGrade::One, GradeLimit::None},
        {"grade 2: fast enough for 1, too many errors", 300, 16, CopyGrade::Two,
         GradeLimit::Errors},
        {"grade 2: accurate enough for 1, too slow", 239, 0, CopyGrade::Two, GradeLimit::Speed},
        {"grade 2 at its limits", 220, 30, CopyGrade::Two, GradeLimit::SpeedAndErrors},
        {"grade 3 at its limits", 200, 50, CopyGrade::Three, GradeLimit::SpeedAndErrors},
        {"grade 3: too slow for 2", 219, 0, CopyGrade::Three, GradeLimit::Speed},
        {"failed: too slow", 199, 0, CopyGrade::Failed, GradeLimit::Speed},
        {"failed: too many errors", 400, 51, CopyGrade::Failed, GradeLimit::Errors},
        {"failed: both", 150, 80, CopyGrade::Failed, GradeLimit::SpeedAndErrors},
    };
    for (const GradeRow& row : rows) {
        CopyTestResult result;
        result.gross = 1000;
        result.netPerMinute = row.netPerMinute;
        result.errorRateHundredths = row.rate;
        CopyScore::Grade(result);
        EXPECT_EQ(result.grade, row.grade) << row.name;
        EXPECT_EQ(result.limit, row.limit) << row.name;
    }
}

TEST(CopyScore, NothingTypedFailsForSpeedAndNetNeverFallsBelowZero) {
    const CopyText copy{"T", {"a b c"}};
    const CopyOutcome empty =
        CopyScore::Evaluate(copy, "", 10, CopyRules::School, KeyboardLayout::Qwertz());
    EXPECT_EQ(empty.result.gross, 0);
    EXPECT_EQ(empty.result.errorRateHundredths, 0);
    EXPECT_EQ(empty.result.grade, CopyGrade::Failed);
    EXPECT_EQ(empty.result.limit, GradeLimit::Speed);

    const CopyOutcome wrong =
        CopyScore::Evaluate(copy, "x y z ", 10, CopyRules::Competition, KeyboardLayout::Qwertz());
    EXPECT_EQ(wrong.result.errors, 3);
    EXPECT_EQ(wrong.result.net, 0);
    EXPECT_EQ(wrong.result.errorRateHundredths, 5000);
}

TEST(CopyScore, PercentIsWrittenWithADecimalComma) {
    EXPECT_EQ(CopyScore::Percent(0), "0,00");
    EXPECT_EQ(CopyScore::Percent(15), "0,15");
    EXPECT_EQ(CopyScore::Percent(7), "0,07");
    EXPECT_EQ(CopyScore::Percent(1250), "12,50");
}

} // namespace
