#include "Evaluation.h"

#include "Cp1250.h"
#include "EvaluationInputs.h"

#include <gtest/gtest.h>

#include <cctype>

#include <climits>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::string& bytes) {
    return Cp1250::ToUtf8(bytes);
}

std::vector<std::string> Lines(const Evaluation& e) {
    std::vector<std::string> lines;
    for (const EvaluationLine& line : e.lines) {
        lines.push_back(Utf8(line.text));
    }
    return lines;
}

// One minute of typing in a text too short for the partial warning, so that the error
// frequency is `f` per mille and the absolute speed is exactly `o`.
EvaluationInput Graded(int lesson, int f, int o) {
    EvaluationInput in;
    in.currentLesson = lesson;
    in.lessonKeystrokes = 1000;
    in.lessonErrors = f;
    in.lessonCorrect = o;
    in.lessonMs = 60000;
    in.totalChars = 1000;
    in.displayFileName = "/home/pupil/text.txt";
    return in;
}

// A frequency and a speed (for lesson 5, u = 50) that give each grade.
constexpr int kFForGrade[] = {0, 5, 15, 25, 35, 50};
constexpr int kOForGradeU50[] = {0, 100, 50, 38, 25, 10};

const std::string kErrors1 =
    "Píšete s malým počtem chyb, což je skvělý základ k dosažení dokonalosti.";
const std::string kErrors2 =
    "Neděláte sice příliš mnoho chyb, ale přesto by se vyplatilo zvýšit přesnost Vašeho psaní.";
const std::string kErrors3 =
    "Jste nad hranicí rozumné chybovosti. Zkuste zvýšit přesnost Vašeho psaní.";
const std::string kErrors4 = "Příliš mnoho chyb - zaměřte se hlavně na přesné psaní.";
const std::string kErrors5Advanced =
    "Váš počet chyb je zcela neúnosný. Pokud se *opravdu* chcete naučit psát, musíte se zlepšit.";
const std::string kErrors5Beginner = "Každý začátek je těžký :-) Soustřeďte se na přesnost psaní.";
const std::string kErrors5OwnText =
    "Děláte mnoho chyb. Místo vlastních souborů cvičte lekce psaní.";

const std::string kSpeedTopGood = "Vaše rychlost psaní je špičková vzhledem k lekci. Jen tak dál!";
const std::string kSpeedTopSloppy =
    "Honíte se za rychlostí a zapomínáte na kvalitu. Pište raději pomalu, ale bez chyb!";
const std::string kSpeedFineGood =
    "Vaše rychlost psaní je vyhovující. Jste na dobré cestě k dokonalosti.";
const std::string kSpeedFineSloppy =
    "Dosahujete slušné rychlosti, ale raději pište pomaleji a bez chyb.";
const std::string kSpeedLowerSloppy = "Píšete navíc i trochu nižší rychlostí, než by odpovídalo "
                                      "probírané lekci. Čeká Vás ještě hodně práce.";
const std::string kOwnTextNote = "Cvičení vlastních lekcí se hodí pouze pro zkušené písaře. ";
const std::string kCannotPraise = "Nemohu Vás pochválit. Vaše psaní je navíc i pomalé. ";
const std::string kGoBack = "Návrat k předchozím lekcím by Vám pomohl.";
const std::string kDontDespair = "Nezoufejte však, každodenním cvičením se určitě zlepšíte.";

std::string SpeedLowerGood(int u) {
    return "Píšete mírně nižší rychlostí, než by odpovídalo probírané lekci. Snažte se dosáhnout "
           "alespoň " +
           std::to_string(u) + " úhozů za minutu.";
}
std::string SpeedSlowGood(int u) {
    return "Píšete hodně pomalu. Měli byste dosáhnout alespoň " + std::to_string(u) +
           " úhozů za minutu.";
}

const std::string kGoOn = "Můžete s klidem přejít k následujícímu cvičení.";
const std::string kMayGoOn =
    "Mohli byste sice přejít k další lekci, ale doporučuji Vám zopakovat si tohle cvičení.";
const std::string kTooEarly =
    "Přechod k další lekci by byl asi předčasný. Uděláte lépe, když si zopakujte tohle cvičení.";
const std::string kRepeat = "Určitě si zopakujte poslední cvičení.";
const std::string kLastLesson =
    "Skončili jste poslední lekci. Můžete se však dál cvičit na vlastních souborech.";

} // namespace

TEST(Evaluation, GoodTypingInLessonFiveEarnsPraiseAndTheNextLesson) {
    const EvaluationInput in = GoodLessonFive();
    const Evaluation e = Evaluate(in);

    EXPECT_EQ(Utf8(e.caption), "Konec lekce 5");
    EXPECT_EQ(e.frequency, "0,5");
    EXPECT_EQ(e.errorGrade, 1);
    EXPECT_EQ(e.apparentSpeed, "100");
    EXPECT_EQ(e.absSpeed, "98");
    EXPECT_EQ(e.expectedSpeed, 50);
    EXPECT_EQ(e.speedGrade, 1);
    EXPECT_EQ(Lines(e), (std::vector<std::string>{kErrors1, kSpeedTopGood, kGoOn}));
    EXPECT_TRUE(e.lines.back().bold);
    EXPECT_FALSE(e.frequencyHighlighted);
    EXPECT_FALSE(e.absSpeedHighlighted);
    EXPECT_TRUE(e.nextEnabled);
}

TEST(Evaluation, TheSameTypingInTheLastLessonIsTooSlow) {
    EvaluationInput in = GoodLessonFive();
    in.currentLesson = 44;
    const Evaluation e = Evaluate(in);

    EXPECT_EQ(e.expectedSpeed, 130);
    EXPECT_EQ(e.speedGrade, 3);
    EXPECT_EQ(Lines(e), (std::vector<std::string>{kErrors1, SpeedLowerGood(130), kMayGoOn}));
    EXPECT_TRUE(e.absSpeedHighlighted);
    EXPECT_EQ(Utf8(e.nextCaption), "&Otevřít soubor");
    EXPECT_EQ(Utf8(e.repeatCaption), "O&pakovat lekci");
    EXPECT_TRUE(e.nextEnabled);
}

TEST(Evaluation, ManyErrorsInAnEarlyLessonMeanRepeatingItWhateverTheSpeed) {
    const Evaluation e = Evaluate(Graded(3, 41, 500));
    EXPECT_EQ(e.frequency, "4,1");
    EXPECT_EQ(Lines(e), (std::vector<std::string>{kErrors5Beginner, kSpeedTopSloppy, kRepeat}));
    EXPECT_TRUE(e.frequencyHighlighted);
    EXPECT_FALSE(e.nextEnabled);
}

TEST(Evaluation, SlowOwnTextWithSomeErrorsSuggestsTheLessons) {
    EvaluationInput in = Graded(-1, 15, 10);
    in.displayFileName = Cp1250::FromUtf8("/home/žák/Dokumenty/řeka.txt");
    const Evaluation e = Evaluate(in);

    EXPECT_EQ(e.speedGrade, 5);
    EXPECT_EQ(e.errorGrade, 2);
    EXPECT_EQ(Lines(e)[1], kOwnTextNote + kCannotPraise + kDontDespair);
    EXPECT_EQ(Utf8(e.caption), "Konec souboru /home/žák/Dokumenty/řeka.txt");
    EXPECT_EQ(Utf8(e.nextCaption), "&Otevřít soubor");
    EXPECT_EQ(Utf8(e.repeatCaption), "O&pakovat soubor");
}

TEST(Evaluation, CaptionAndButtonsFollowTheKindOfText) {
    struct Row {
        int lesson;
        const char* caption;
        const char* next;
        const char* repeat;
    };
    const Row rows[] = {
        {1, "Konec lekce 1", "&Přejít k další lekci", "&Opakovat lekci"},
        {43, "Konec lekce 43", "&Přejít k další lekci", "&Opakovat lekci"},
        {44, "Konec lekce 44", "&Otevřít soubor", "O&pakovat lekci"},
        {-1, "Konec souboru /home/pupil/text.txt", "&Otevřít soubor", "O&pakovat soubor"},
        {0, "Konec souboru /home/pupil/text.txt", "&Otevřít soubor", "O&pakovat soubor"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.lesson);
        const Evaluation e = Evaluate(Graded(row.lesson, 5, 300));
        EXPECT_EQ(Utf8(e.caption), row.caption);
        EXPECT_EQ(Utf8(e.nextCaption), row.next);
        EXPECT_EQ(Utf8(e.repeatCaption), row.repeat);
        // Both buttons answer to Alt with their own letter.
        const auto mnemonic = [](const std::string& caption) {
            return std::tolower(static_cast<unsigned char>(caption[caption.find('&') + 1]));
        };
        EXPECT_NE(mnemonic(e.nextCaption), mnemonic(e.repeatCaption));
    }
}

TEST(Evaluation, ErrorGradeChangesJustAboveEachLimit) {
    const std::pair<int, int> rows[] = {{0, 1},  {10, 1}, {11, 2}, {20, 2}, {21, 3},
                                        {30, 3}, {31, 4}, {40, 4}, {41, 5}, {1000, 5}};
    for (const auto& [f, grade] : rows) {
        SCOPED_TRACE(f);
        const Evaluation e = Evaluate(Graded(5, f, 100));
        EXPECT_EQ(e.frequencyPerMille, f);
        EXPECT_EQ(e.errorGrade, grade);
        EXPECT_EQ(e.frequencyHighlighted, grade >= 3);
    }
}

TEST(Evaluation, ExpectedSpeedRisesWithTheLesson) {
    const std::pair<int, int> rows[] = {{0, 50},   {1, 50},   {9, 50},   {10, 70},  {21, 70},
                                        {22, 100}, {32, 100}, {33, 130}, {44, 130}, {-1, 130}};
    for (const auto& [lesson, u] : rows) {
        SCOPED_TRACE(lesson);
        EXPECT_EQ(Evaluate(Graded(lesson, 5, 100)).expectedSpeed, u);
    }
}

TEST(Evaluation, SpeedGradeChangesAtEachLimitOfEveryExpectedSpeed) {
    struct Row {
        int lesson;
        int o;
        int grade;
    };
    const Row rows[] = {
        {5, 75, 1},   {5, 74, 2},   {5, 50, 2},   {5, 49, 3},   {5, 38, 3},   {5, 37, 4},
        {5, 25, 4},   {5, 24, 5},   {15, 105, 1}, {15, 104, 2}, {15, 70, 2},  {15, 69, 3},
        {15, 53, 3},  {15, 52, 4},  {15, 35, 4},  {15, 34, 5},  {30, 150, 1}, {30, 149, 2},
        {30, 100, 2}, {30, 99, 3},  {30, 75, 3},  {30, 74, 4},  {30, 50, 4},  {30, 49, 5},
        {40, 195, 1}, {40, 194, 2}, {40, 130, 2}, {40, 129, 3}, {40, 98, 3},  {40, 97, 4},
        {40, 65, 4},  {40, 64, 5},  {-1, 98, 3},  {-1, 97, 4},  {5, 0, 5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.lesson) + " " + std::to_string(row.o));
        const Evaluation e = Evaluate(Graded(row.lesson, 5, row.o));
        EXPECT_EQ(e.absoluteSpeed, row.o);
        EXPECT_EQ(e.absSpeed, std::to_string(row.o));
        EXPECT_EQ(e.speedGrade, row.grade);
        EXPECT_EQ(e.absSpeedHighlighted, row.grade >= 3);
    }
}

TEST(Evaluation, ErrorSentenceFollowsTheGradeAndForTheWorstTheLesson) {
    struct Row {
        int lesson;
        int grade;
        const std::string& sentence;
    };
    const Row rows[] = {
        {5, 1, kErrors1},         {5, 2, kErrors2},          {5, 3, kErrors3},
        {5, 4, kErrors4},         {10, 5, kErrors5Advanced}, {44, 5, kErrors5Advanced},
        {9, 5, kErrors5Beginner}, {1, 5, kErrors5Beginner},  {0, 5, kErrors5OwnText},
        {-1, 5, kErrors5OwnText},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.lesson) + " A" + std::to_string(row.grade));
        const Evaluation e = Evaluate(Graded(row.lesson, kFForGrade[row.grade], 1000));
        EXPECT_EQ(Lines(e).front(), row.sentence);
    }
}

TEST(Evaluation, SpeedSentenceFollowsBothGrades) {
    struct Row {
        int d;
        int a;
        std::string sentence;
    };
    const Row rows[] = {
        {1, 1, kSpeedTopGood},
        {1, 2, kSpeedTopGood},
        {1, 3, kSpeedTopSloppy},
        {1, 5, kSpeedTopSloppy},
        {2, 1, kSpeedFineGood},
        {2, 2, kSpeedFineGood},
        {2, 3, kSpeedFineSloppy},
        {2, 5, kSpeedFineSloppy},
        {3, 1, SpeedLowerGood(50)},
        {3, 2, kSpeedLowerSloppy},
        {3, 5, kSpeedLowerSloppy},
        {4, 1, SpeedSlowGood(50)},
        {5, 1, SpeedSlowGood(50)},
        {4, 2, kCannotPraise + kDontDespair},
        {5, 5, kCannotPraise + kDontDespair},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("D" + std::to_string(row.d) + " A" + std::to_string(row.a));
        const Evaluation e = Evaluate(Graded(5, kFForGrade[row.a], kOForGradeU50[row.d]));
        ASSERT_EQ(e.speedGrade, row.d);
        ASSERT_EQ(e.errorGrade, row.a);
        EXPECT_EQ(Lines(e)[1], row.sentence);
    }
}

TEST(Evaluation, SlowSentencesAddressOwnTextsAndAdvancedLessons) {
    struct Row {
        int lesson;
        int a;
        std::string sentence;
    };
    const Row rows[] = {
        {10, 2, kCannotPraise + kGoBack},
        {9, 2, kCannotPraise + kDontDespair},
        {-1, 3, kOwnTextNote + kCannotPraise + kDontDespair},
        {-1, 1, kOwnTextNote + SpeedSlowGood(130)},
        {40, 1, SpeedSlowGood(130)},
        {0, 1, SpeedSlowGood(50)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.lesson);
        const Evaluation e = Evaluate(Graded(row.lesson, kFForGrade[row.a], 0));
        EXPECT_EQ(Lines(e)[1], row.sentence);
    }
}

TEST(Evaluation, RecommendationIsTheFirstRuleThatMatches) {
    struct Row {
        int a;
        int d;
        const std::string& recommendation;
        bool nextEnabled;
    };
    const Row rows[] = {
        {1, 1, kGoOn, true},     {2, 2, kGoOn, true},     {2, 3, kMayGoOn, true},
        {1, 3, kMayGoOn, true},  {3, 2, kTooEarly, true}, {3, 4, kTooEarly, true},
        {2, 4, kTooEarly, true}, {1, 4, kTooEarly, true}, {3, 5, kRepeat, false},
        {1, 5, kRepeat, false},  {4, 1, kRepeat, false},  {5, 1, kRepeat, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("A" + std::to_string(row.a) + " D" + std::to_string(row.d));
        const Evaluation e = Evaluate(Graded(5, kFForGrade[row.a], kOForGradeU50[row.d]));
        ASSERT_EQ(e.errorGrade, row.a);
        ASSERT_EQ(e.speedGrade, row.d);
        EXPECT_EQ(Lines(e).back(), row.recommendation);
        EXPECT_TRUE(e.lines.back().bold);
        EXPECT_EQ(e.nextEnabled, row.nextEnabled);
    }
}

TEST(Evaluation, OnlyTheRecommendationIsBold) {
    EvaluationInput in = Graded(44, 5, 300);
    in.totalChars = 5000;
    const Evaluation e = Evaluate(in);
    ASSERT_EQ(e.lines.size(), 5u);
    for (std::size_t i = 0; i + 1 < e.lines.size(); ++i) {
        EXPECT_FALSE(e.lines[i].bold) << i;
    }
    EXPECT_TRUE(e.lines.back().bold);
}

TEST(Evaluation, GoodEndOfTheLastLessonMentionsOwnFilesBeforeTheRecommendation) {
    const Evaluation e = Evaluate(Graded(44, 5, 300));
    EXPECT_EQ(Lines(e), (std::vector<std::string>{kErrors1, kSpeedTopGood, kLastLesson, kGoOn}));
    EXPECT_FALSE(e.lines[2].bold);
}

TEST(Evaluation, WarnsFirstWhenMuchOfTheTextWasNotTyped) {
    EvaluationInput in = Graded(5, 5, 100);
    in.lessonKeystrokes = 900;
    in.totalChars = 1000;
    const std::vector<std::string> lines = Lines(Evaluate(in));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines.front(), "Napsali jste asi jen část lekce, pouze 900 úhozů z 1000 v lekci. "
                             "Vaše hodnocení bude zkreslené!");
}

TEST(Evaluation, WarningStopsJustAboveNinetyFivePercentOfTheText) {
    const std::pair<int, bool> rows[] = {{900, true}, {950, true}, {951, false}, {1200, false}};
    for (const auto& [keystrokes, warned] : rows) {
        SCOPED_TRACE(keystrokes);
        EvaluationInput in = Graded(5, 5, 100);
        in.lessonKeystrokes = keystrokes;
        in.totalChars = 1000;
        EXPECT_EQ(Evaluate(in).lines.size(), warned ? 4u : 3u);
    }
}

TEST(Evaluation, FieldsShowCountsFrequencyAndTime) {
    EvaluationInput in;
    in.currentLesson = 12;
    in.lessonKeystrokes = 1234;
    in.lessonErrors = 152;
    in.lessonCorrect = 1082;
    in.lessonMs = 3723999; // 1 h 2 min 3.999 s
    const Evaluation e = Evaluate(in);
    EXPECT_EQ(e.keystrokes, "1234");
    EXPECT_EQ(e.errors, "152");
    EXPECT_EQ(e.frequency, "12,3");
    EXPECT_EQ(e.time, "01:02:03");
    EXPECT_EQ(e.apparentSpeed, "19"); // 1234 / 62.06 min
    EXPECT_EQ(e.absSpeed, "17");
}

TEST(Evaluation, NothingTypedGivesZeroesAndTheBestErrorGrade) {
    EvaluationInput in;
    in.currentLesson = 1;
    in.totalChars = 300;
    const Evaluation e = Evaluate(in);
    EXPECT_EQ(e.frequency, "0,0");
    EXPECT_EQ(e.errorGrade, 1);
    EXPECT_EQ(e.time, "00:00:00");
    EXPECT_EQ(e.apparentSpeed, "0");
    EXPECT_EQ(e.absSpeed, "0");
    EXPECT_EQ(e.speedGrade, 5);
}

TEST(Evaluation, SpeedsNeedMoreThanSixtyMilliseconds) {
    EvaluationInput in = Graded(5, 0, 6);
    in.lessonKeystrokes = 6;
    in.lessonMs = 60;
    EXPECT_EQ(Evaluate(in).absSpeed, "0");
    in.lessonMs = 61;
    EXPECT_GT(Evaluate(in).absoluteSpeed, 0);
    EXPECT_NE(Evaluate(in).apparentSpeed, "0");
}

TEST(Evaluation, HugeStatisticsDoNotWrapAround) {
    EvaluationInput in = Graded(5, 0, INT_MAX);
    in.lessonKeystrokes = INT_MAX;
    in.lessonErrors = INT_MAX;
    in.lessonMs = 100;
    const Evaluation e = Evaluate(in);
    EXPECT_EQ(e.absoluteSpeed, INT_MAX);
    EXPECT_EQ(e.apparentSpeed, std::to_string(INT_MAX));
    EXPECT_EQ(e.frequencyPerMille, 1000);
    EXPECT_EQ(e.speedGrade, 1);
}
