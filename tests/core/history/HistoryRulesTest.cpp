// The history's rules on plain records: what a finished text leaves, the lessons passed, the
// names of texts, the CSV text, the plots' groups, labels and tips, and what a problem with the
// history's file tells the pupil.

#include "Cp1250.h"
#include "FakeClock.h"
#include "HistoryCsv.h"
#include "HistoryMessage.h"
#include "HistoryRecorder.h"
#include "HistoryText.h"
#include "Lekce.h"
#include "LessonResults.h"
#include "ListHistoryStore.h"
#include "ProgressSeries.h"
#include "RecordingReporter.h"
#include "SpeedMeter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

constexpr int64_t kDay = 24 * 3600;
constexpr int64_t kMarch12 = 1741780800; // 2025-03-12 12:00:00 UTC

// Dates are local; the tests read them in UTC.
class HistoryRules : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("TZ", "UTC", 1);
        ::tzset();
    }
};

HistoryRecord Lesson(int lesson, bool qwertz, int64_t endedAt, int speed, int errors, bool passed) {
    HistoryRecord r;
    r.endedAt = endedAt;
    r.lesson = lesson;
    r.qwertz = qwertz;
    r.keystrokes = 1000;
    r.correct = 1000 - errors;
    r.errors = errors;
    r.typingMs = 600000;
    r.averageSpeed = 100;
    r.absoluteSpeed = speed;
    r.errorGrade = passed ? 1 : 3;
    r.speedGrade = passed ? 2 : 4;
    r.passed = passed;
    return r;
}

HistoryRecord OwnText(int64_t endedAt, std::string fileName) {
    HistoryRecord r = Lesson(-1, false, endedAt, 140, 20, false);
    r.fileName = std::move(fileName);
    return r;
}

std::string Utf8(const std::string& text) {
    return Cp1250::ToUtf8(text);
}

} // namespace

TEST_F(HistoryRules, AFinishedTextIsRecordedWithTheFiguresAndVerdictOfItsEvaluation) {
    FakeClock clock;
    RecordingReporter reporter;
    SpeedMeter meter(clock);
    LEKCE store("", reporter);
    ListHistoryStore history;
    std::optional<int> practised;
    HistoryRecorder recorder(history, meter, store,
                             {.keyErrors = nullptr,
                              .practiceOf = [&] { return practised; },
                              .now = [] { return kMarch12; }});

    recorder.TextFinished(); // nothing loaded: nothing typed
    EXPECT_TRUE(history.records.empty());

    // Lesson 5 on QWERTZ: 600 keystrokes in 6 minutes, 3 errors, 590 right.
    meter.lessonKeystrokes = 600;
    meter.lessonErrors = 3;
    meter.lessonCorrect = 590;
    meter.lessonMs = 6 * 60000;
    store.CurrentLesson = 5;
    store.LessonNumber = 5;
    store.Qwertz = true;
    store.TotalChars = 600;
    store.DisplayFileName = "/home/žák/stará.txt"; // left from an earlier own text
    practised = 4;                                 // a lesson is never a practice text
    recorder.TextFinished();

    HistoryRecord lesson;
    lesson.endedAt = kMarch12;
    lesson.lesson = 5;
    lesson.qwertz = true;
    lesson.keystrokes = 600;
    lesson.correct = 590;
    lesson.errors = 3;
    lesson.typingMs = 360000;
    lesson.averageSpeed = 100;
    lesson.absoluteSpeed = 98;
    lesson.errorGrade = 1;
    lesson.speedGrade = 1;
    lesson.passed = true;

    // The same figures in an own text are too slow (expected 130) to recommend going on.
    store.CurrentLesson = -1;
    practised = std::nullopt;
    recorder.TextFinished();
    HistoryRecord own = lesson;
    own.lesson = -1;
    own.qwertz = false;
    own.fileName = "/home/žák/stará.txt";
    own.speedGrade = 3;
    own.passed = false;

    // A practice text knows the lesson it practised.
    practised = 4;
    recorder.TextFinished();
    HistoryRecord practice = own;
    practice.practiceOf = 4;

    EXPECT_EQ(history.records, (std::vector<HistoryRecord>{lesson, own, practice}));
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(HistoryRules, TheLessonDialogTicksLessonsWhoseLastResultPassedOnTheLayoutThatMatters) {
    // Lesson 3 is the same on both layouts; lesson 14 differs between them.
    const auto row = [](int lesson, bool qwertz, HistoryRecord best, HistoryRecord last) {
        return LessonResult{lesson, qwertz, best, last, 2};
    };
    const LessonResults results({
        row(3, false, Lesson(3, false, kMarch12, 80, 5, true),
            Lesson(3, true, kMarch12 + kDay, 70, 2, true)),
        row(14, false, Lesson(14, false, kMarch12, 100, 10, true),
            Lesson(14, false, kMarch12, 100, 10, true)),
        // Passed once on QWERTZ, but not the last time: not ticked.
        row(14, true, Lesson(14, true, kMarch12 + kDay, 110, 10, true),
            Lesson(14, true, kMarch12 + 3 * kDay, 90, 40, false)),
    });
    using Passed = std::map<int, std::string>;
    const std::string lesson3 =
        Cp1250::FromUtf8("Nejlepší výsledek: 80 úhozů/min, 0,5 % chyb (12. 3. 2025)");
    EXPECT_EQ(results.PassedLessons(true), (Passed{{3, lesson3}}));
    EXPECT_EQ(results.PassedLessons(false),
              (Passed{{3, lesson3},
                      {14, Cp1250::FromUtf8(
                               "Nejlepší výsledek: 100 úhozů/min, 1,0 % chyb (12. 3. 2025)")}}));
}

TEST_F(HistoryRules, TextsAreNamedByWhatWasTyped) {
    HistoryRecord practice = OwnText(kMarch12, "/home/žák/.local/share/klaptos/procviceni.txt");
    practice.practiceOf = 0;
    HistoryRecord practiceOfSeven = practice;
    practiceOfSeven.practiceOf = 7;
    EXPECT_EQ(Utf8(HistoryText::TextName(Lesson(14, true, kMarch12, 1, 1, true))),
              "Lekce 14 (QWERTZ)");
    EXPECT_EQ(Utf8(HistoryText::TextName(Lesson(3, true, kMarch12, 1, 1, true))), "Lekce 3");
    EXPECT_EQ(Utf8(HistoryText::TextName(OwnText(kMarch12, "a.txt"))), "Vlastní text");
    EXPECT_EQ(Utf8(HistoryText::TextName(practice)), "Procvičení");
    EXPECT_EQ(Utf8(HistoryText::TextName(practiceOfSeven)), "Procvičení lekce 7");
    EXPECT_EQ(HistoryText::DateAndTime(kMarch12 + 305), "12. 3. 2025 12:05");
    EXPECT_EQ(HistoryText::Duration(3 * 3600000 + 62500), "03:01:02");
}

// A Czech spreadsheet opens it as it is: a byte order mark, ";" between fields, decimal commas,
// CR LF; the lesson column is empty for an own text and names a practice text.
TEST_F(HistoryRules, TheCsvTextIsWhatACzechSpreadsheetOpens) {
    HistoryRecord zeroKeys = Lesson(44, true, kMarch12 + 61, 0, 0, false);
    zeroKeys.keystrokes = 0;
    zeroKeys.correct = 0;
    zeroKeys.typingMs = 0;
    HistoryRecord practice = OwnText(kMarch12 + 7200, "/home/žák/procviceni.txt");
    practice.practiceOf = 12;
    practice.errors = 25;
    HistoryRecord practiceUnknown = practice;
    practiceUnknown.practiceOf = 0;
    EXPECT_EQ(HistoryCsv::Text({Lesson(1, true, kMarch12, 80, 5, true),
                                OwnText(kMarch12 + 3600, "/home/žák/Básně; \"nové\".txt"), practice,
                                practiceUnknown, zeroKeys}),
              "\xEF\xBB\xBF"
              "Datum a čas konce;Lekce;Rozložení klávesnice;Vlastní text (soubor);Úhozy celkem;"
              "Správné úhozy;Chyby;Frekvence chyb (%);Doba psaní (h:mm:ss);"
              "Zdánlivá rychlost (všechny úhozy za minutu);"
              "Průměrná rychlost (správné úhozy za minutu);Známka za chyby (1–5);"
              "Známka za rychlost (1–5);Doporučeno pokračovat\r\n"
              "2025-03-12 12:00:00;1;QWERTZ;;1000;995;5;0,5;00:10:00;100;80;1;2;ano\r\n"
              "2025-03-12 13:00:00;;;\"/home/žák/Básně; \"\"nové\"\".txt\";1000;980;20;2,0;"
              "00:10:00;100;140;3;4;ne\r\n"
              "2025-03-12 14:00:00;procvičení lekce 12;;/home/žák/procviceni.txt;1000;980;25;"
              "2,5;00:10:00;100;140;3;4;ne\r\n"
              "2025-03-12 14:00:00;procvičení;;/home/žák/procviceni.txt;1000;980;25;2,5;"
              "00:10:00;100;140;3;4;ne\r\n"
              "2025-03-12 12:01:01;44;QWERTZ;;0;0;0;0,0;00:00:00;100;0;3;4;ne\r\n");
}

TEST_F(HistoryRules, ALongHistoryIsPlottedInGroupsOfAttempts) {
    struct Case {
        int64_t attempts;
        int64_t group;
    };
    for (const Case c : {Case{0, 1}, Case{1, 1}, Case{300, 1}, Case{301, 2}, Case{600, 2},
                         Case{601, 3}, Case{100000, 334}, Case{1000000, 3334}}) {
        EXPECT_EQ(ProgressSeries::GroupSize(c.attempts, 300), c.group) << c.attempts;
    }
    // A group's point lies in the middle of its attempts.
    EXPECT_EQ((ProgressPoint{.firstAttempt = 7, .attempts = 4}).X(), 8.5);
}

// Attempts of one day lie side by side, so the labels are times; over days they are days; over
// years, dates with the year. No label text comes twice.
TEST_F(HistoryRules, TheAxisOfAttemptsIsLabelledByTimeOrDateWithoutRepeats) {
    const auto points = [](std::vector<int64_t> ends) {
        std::vector<ProgressPoint> result;
        int64_t attempt = 1;
        for (int64_t end : ends) {
            result.push_back({.firstAttempt = attempt++, .firstEndedAt = end, .lastEndedAt = end});
        }
        return result;
    };
    using Labels = std::vector<ProgressAxisLabel>;
    EXPECT_EQ(ProgressSeries::AxisLabels(points({kMarch12, kMarch12 + 600, kMarch12 + 7500}), 7),
              (Labels{{1, "12:00"}, {2, "12:10"}, {3, "14:05"}}));
    // Seven attempts on one day and one on the next: "12. 3." once, not seven times.
    std::vector<int64_t> week(7, kMarch12);
    week.push_back(kMarch12 + kDay);
    EXPECT_EQ(ProgressSeries::AxisLabels(points(week), 7), (Labels{{1, "12. 3."}, {8, "13. 3."}}));
    EXPECT_EQ(ProgressSeries::AxisLabels(points({kMarch12 - 300 * kDay, kMarch12}), 7),
              (Labels{{1, "16. 5. 2024"}, {2, "12. 3. 2025"}}));
    // At most the count asked for, spread from the first to the last point.
    std::vector<int64_t> days;
    for (int i = 0; i < 100; ++i) {
        days.push_back(kMarch12 + i * kDay);
    }
    const Labels spread = ProgressSeries::AxisLabels(points(days), 5);
    ASSERT_EQ(spread.size(), 5u);
    EXPECT_EQ(spread.front(), (ProgressAxisLabel{1, "12. 3."}));
    EXPECT_EQ(spread.back(), (ProgressAxisLabel{100, "19. 6."}));
    EXPECT_TRUE(ProgressSeries::AxisLabels({}, 7).empty());
}

TEST_F(HistoryRules, APointsTipSaysWhenAndHowWell) {
    EXPECT_EQ(Utf8(ProgressSeries::Tip({.firstAttempt = 3,
                                        .firstEndedAt = kMarch12 + 300,
                                        .lastEndedAt = kMarch12 + 300,
                                        .speed = 98.4,
                                        .errorPercent = 0.54})),
              "Pokus 3, 12. 3. 2025 12:05\n98 úhozů/min, 0,5 % chyb");
    EXPECT_EQ(Utf8(ProgressSeries::Tip({.firstAttempt = 11,
                                        .attempts = 10,
                                        .firstEndedAt = kMarch12,
                                        .lastEndedAt = kMarch12 + kDay,
                                        .speed = 120.6,
                                        .errorPercent = 2})),
              "Pokusy 11–20, 12. 3. 2025 12:00 až 13. 3. 2025 12:00\nprůměr 121 úhozů/min, "
              "2,0 % chyb");
}

// A full disk is told as one, also when the file system reports it as an I/O error; every
// message ends with the file's path.
TEST_F(HistoryRules, EachProblemOfTheHistoryFileIsToldInItsOwnWords) {
    struct Case {
        int code;
        bool diskFull;
        HistoryProblem problem;
    };
    for (const Case c : {
             Case{5, false, HistoryProblem::Locked},
             Case{6, false, HistoryProblem::Locked},
             Case{517, false, HistoryProblem::Locked}, // SQLITE_BUSY_SNAPSHOT
             Case{8, false, HistoryProblem::ReadOnly},
             Case{3, false, HistoryProblem::ReadOnly},
             Case{13, false, HistoryProblem::DiskFull},
             Case{13, true, HistoryProblem::DiskFull},
             Case{778, true, HistoryProblem::DiskFull}, // SQLITE_IOERR_WRITE on a full disk
             Case{778, false, HistoryProblem::DiskError},
             Case{10, false, HistoryProblem::DiskError},
             Case{11, false, HistoryProblem::Damaged},
             Case{26, false, HistoryProblem::Damaged},
             Case{14, false, HistoryProblem::CannotOpen},
             Case{1, false, HistoryProblem::Other},
         }) {
        EXPECT_EQ(HistoryMessage::OfSqliteCode(c.code, c.diskFull), c.problem) << c.code;
    }
    const std::string path = "/home/žák/.local/share/klaptos/historie.sqlite";
    EXPECT_EQ(Utf8(HistoryMessage::Text(HistoryProblem::DiskFull, path)),
              "Výsledek se do historie psaní nezapsal, protože disk je plný. Uvolněte na disku "
              "místo, další texty se pak zase zaznamenají.\r\n" +
                  path);
    EXPECT_EQ(Utf8(HistoryMessage::Text(HistoryProblem::UnknownVersion, path, "-1")),
              "Historie psaní se nezaznamenává: soubor historie má verzi -1, kterou tento program "
              "nezná; zapsala ho asi novější verze programu. Soubor zůstává, jak je.\r\n" +
                  path);
    EXPECT_EQ(Utf8(HistoryMessage::Text(HistoryProblem::NotAFile, path)),
              "Historie psaní se nezaznamenává: místo souboru historie je zařízení nebo roura, ne "
              "soubor databáze.\r\n" +
                  path);
    EXPECT_EQ(Utf8(HistoryMessage::Text(HistoryProblem::Other, path, "no such table")),
              "Historie psaní se nezaznamenává: chyba databáze (no such table).\r\n" + path);
    EXPECT_STREQ(HistoryMessage::kHelpTopic, "HISTORY");
}
