// The teacher's overview and its CSV file: lessons ticked by the lesson dialog's rule, the
// best copy test, the class's errors per character, and a file a Czech spreadsheet opens.

#include "ClassOverview.h"
#include "ClassCsv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int64_t kDay = 24 * 3600;
constexpr int64_t kMonday = 1765152000; // 2025-12-08 00:00 UTC

ClassResult Lesson(const std::string& pupil, int lesson, bool passed, int64_t endedAt,
                   bool qwertz = true) {
    ClassResult result;
    result.id = pupil + std::to_string(endedAt);
    result.pupil = pupil;
    result.kind = ResultKind::Lesson;
    result.lesson = lesson;
    result.qwertz = qwertz;
    result.endedAt = endedAt;
    result.keystrokes = 200;
    result.errors = passed ? 2 : 20;
    result.correct = result.keystrokes - result.errors;
    result.absoluteSpeed = 100;
    result.passed = passed;
    return result;
}

ClassResult CopyTest(const std::string& pupil, int netSpeed, int grade, int64_t endedAt) {
    ClassResult result;
    result.id = pupil + "copy" + std::to_string(endedAt);
    result.pupil = pupil;
    result.kind = ResultKind::CopyTest;
    result.endedAt = endedAt;
    result.keystrokes = 1000;
    result.errors = 5;
    result.netSpeed = netSpeed;
    result.grade = grade;
    return result;
}

TEST(ClassOverview, SummarisesEachPupilByTheLessonDialogsRuleAndTheBestCopyTest) {
    std::vector<ClassResult> results{
        Lesson("eva", 1, true, kMonday),
        Lesson("eva", 2, true, kMonday + 100),
        Lesson("eva", 2, false, kMonday + 200),       // the last result of lesson 2 decides
        Lesson("eva", 3, true, kMonday + 300, false), // passed on QWERTY
        CopyTest("eva", 180, 2, kMonday + kDay),
        CopyTest("eva", 210, 1, kMonday + 2 * kDay),
        CopyTest("eva", 150, 3, kMonday + 3 * kDay),
        Lesson("jan", 1, false, kMonday + 50),
        CopyTest("jan", 90, 0, kMonday + 70),  // failed
        Lesson("host", 5, true, kMonday + 60), // no longer listed in the class
    };
    const ClassOverview overview({"jan", "eva", "petr"}, results);

    ASSERT_EQ(overview.Pupils().size(), std::size_t{4});
    const PupilSummary& eva = overview.Pupils()[0];
    EXPECT_EQ(eva.login, "eva");
    EXPECT_EQ(eva.results, 7);
    EXPECT_EQ(eva.passedLessons, (std::set<int>{1, 3}));
    EXPECT_EQ(eva.lastActivity, kMonday + 3 * kDay);
    EXPECT_EQ(eva.bestNetSpeed, 210);
    EXPECT_EQ(eva.bestCopyGrade, 1);
    EXPECT_EQ(eva.copyTests, 3);
    EXPECT_EQ(eva.CopySpeedText(), "210");
    EXPECT_EQ(eva.CopyGradeText(), "1");
    // A copy's errors are counted by words: they stay out of the typing's error rate.
    EXPECT_EQ(eva.ErrorPerMille(), (2 + 2 + 20 + 2) * 1000 / (4 * 200));

    EXPECT_EQ(overview.Pupils()[1].login, "host");
    const PupilSummary& jan = overview.Pupils()[2];
    EXPECT_EQ(jan.login, "jan");
    EXPECT_TRUE(jan.passedLessons.empty());
    EXPECT_EQ(jan.bestNetSpeed, 90);
    EXPECT_EQ(jan.CopyGradeText(), "neprospěl");
    PupilSummary petr;
    petr.login = "petr";
    EXPECT_EQ(overview.Pupils()[3], petr);
    EXPECT_EQ(petr.CopySpeedText(), "");
    EXPECT_EQ(petr.CopyGradeText(), "");

    EXPECT_EQ(overview.ResultCount(), 10);
    const std::vector<ClassResult> evas = overview.ResultsOf("eva");
    ASSERT_EQ(evas.size(), std::size_t{7});
    EXPECT_EQ(evas.front().lesson, 1);
    EXPECT_EQ(evas.back().netSpeed, 150);
}

TEST(ClassOverview, AddsTheErrorsPerCharacterOfTheWholeClassTheMostFirst) {
    ClassResult a = Lesson("eva", 1, true, kMonday);
    a.keyErrors = {{"ř", 3}, {"k", 1}};
    ClassResult b = Lesson("jan", 1, true, kMonday + 1);
    b.keyErrors = {{"ř", 2}, {"\n", 4}};
    const ClassOverview overview({"eva", "jan"}, {a, b});
    EXPECT_EQ(overview.KeyErrors(),
              (std::vector<std::pair<std::string, int>>{{"ř", 5}, {"\n", 4}, {"k", 1}}));
}

TEST(ClassCsv, WritesUtf8WithAByteOrderMarkSemicolonsDecimalCommasAndTicks) {
    ClassResult lesson = Lesson("eva", 2, true, kMonday);
    lesson.keystrokes = 400;
    lesson.errors = 6; // 1,5 %
    lesson.keyErrors = {{"\n", 2}, {" ", 1}, {";", 3}};
    const ClassOverview overview({"eva", "petr;jr"},
                                 {lesson, CopyTest("eva", 190, 2, kMonday + 1)});

    const std::string csv = ClassCsv::Text(overview);

    ASSERT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    std::vector<std::string> lines;
    for (std::size_t start = 3, end; (end = csv.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        lines.push_back(csv.substr(start, end - start));
    }
    ASSERT_EQ(lines.size(), std::size_t{8});
    EXPECT_TRUE(lines[0].starts_with("Žák;Výsledků;Poslední činnost;Prošlé lekce;Chybovost (%);"
                                     "Opis: nejlepší čistá rychlost;Opis: známka;Lekce 1;"))
        << lines[0];
    EXPECT_TRUE(lines[0].ends_with(";Lekce 44"));
    const std::string evaStart = "eva;2;";
    ASSERT_EQ(lines[1].substr(0, evaStart.size()), evaStart);
    // Errors 6 of 400 keystrokes: 15 per mille; the copy test's are its own.
    EXPECT_NE(lines[1].find(";1;1,5;190;2;;✓;"), std::string::npos) << lines[1];
    EXPECT_EQ(std::count(lines[1].begin(), lines[1].end(), ';'), 6 + 44);
    EXPECT_EQ(lines[2], "\"petr;jr\";0;;0;;;" + std::string(44, ';'));
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[4], "Znak;Chyby celé třídy");
    EXPECT_EQ(lines[5], "\";\";3");
    EXPECT_EQ(lines[6], "Enter;2");
    EXPECT_EQ(lines[7], "mezera;1");
}

} // namespace
