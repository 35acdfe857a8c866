// The history's rules on plain records: what a finished text leaves, best and last per
// lesson, the lessons passed, the plotted series and the CSV text.

#include "Cp1250.h"
#include "FakeClock.h"
#include "HistoryCsv.h"
#include "HistoryRecorder.h"
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

} // namespace

TEST_F(HistoryRules, AFinishedTextIsRecordedWithTheFiguresAndGradesOfItsEvaluation) {
    FakeClock clock;
    RecordingReporter reporter;
    SpeedMeter meter(clock);
    LEKCE store("", reporter);
    ListHistoryStore history;
    HistoryRecorder recorder(history, meter, store, nullptr, [] { return kMarch12; });

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
    recorder.TextFinished();
    HistoryRecord own = lesson;
    own.lesson = -1;
    own.qwertz = false;
    own.fileName = "/home/žák/stará.txt";
    own.speedGrade = 3;
    own.passed = false;

    EXPECT_EQ(history.records, (std::vector<HistoryRecord>{lesson, own}));
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(HistoryRules, EachLessonHasItsBestAndLastResultAndTheLayoutSplitsOnlyLessonsItChanges) {
    const std::vector<HistoryRecord> records{
        Lesson(3, false, kMarch12, 80, 5, true),
        Lesson(3, true, kMarch12 + kDay, 95, 30, false),   // faster, but not passed
        Lesson(3, true, kMarch12 + 2 * kDay, 70, 2, true), // last
        Lesson(14, false, kMarch12, 100, 10, true),        // QWERTY and QWERTZ differ here
        Lesson(14, true, kMarch12 + kDay, 110, 10, true),
        Lesson(14, true, kMarch12 + 3 * kDay, 90, 40, false),
        OwnText(kMarch12, "text.txt"),
    };
    const LessonResults results(records);

    struct Row {
        int lesson;
        bool qwertz;
        int64_t best;
        int64_t last;
        int count;
        bool passed;
        bool operator==(const Row&) const = default;
    };
    std::vector<Row> rows;
    for (const LessonResult& r : results.Rows()) {
        rows.push_back({r.lesson, r.qwertz, r.best.endedAt, r.last.endedAt, r.count, r.Passed()});
    }
    EXPECT_EQ(rows, (std::vector<Row>{
                        {3, false, kMarch12, kMarch12 + 2 * kDay, 3, true},
                        {14, false, kMarch12, kMarch12, 1, true},
                        {14, true, kMarch12 + kDay, kMarch12 + 3 * kDay, 2, false},
                    }));

    // Lesson 14 on QWERTZ was passed once but its last evaluation was not, so it is not ticked.
    using Passed = std::map<int, std::string>;
    EXPECT_EQ(results.PassedLessons(true),
              (Passed{{3, Cp1250::FromUtf8(
                              "Nejlepší výsledek: 80 úhozů/min, 0,5 % chyb (12. 3. 2025)")}}));
    EXPECT_EQ(
        results.PassedLessons(false),
        (Passed{
            {3, Cp1250::FromUtf8("Nejlepší výsledek: 80 úhozů/min, 0,5 % chyb (12. 3. 2025)")},
            {14, Cp1250::FromUtf8("Nejlepší výsledek: 100 úhozů/min, 1,0 % chyb (12. 3. 2025)")}}));
}

TEST_F(HistoryRules, TheSeriesFollowTheFilterInOrderOfTime) {
    const std::vector<HistoryRecord> records{
        Lesson(2, false, kMarch12 + kDay, 60, 50, false),
        OwnText(kMarch12 + 2 * kDay, "a.txt"),
        Lesson(2, true, kMarch12, 40, 0, false), // stored later, ended earlier
        Lesson(7, false, kMarch12 + 3 * kDay, 90, 8, true),
    };
    EXPECT_EQ(ProgressSeries::Of(records, 2),
              (std::vector<ProgressPoint>{{kMarch12, 40, 0.0}, {kMarch12 + kDay, 60, 5.0}}));
    EXPECT_EQ(ProgressSeries::Of(records, ProgressSeries::kOwnTexts),
              (std::vector<ProgressPoint>{{kMarch12 + 2 * kDay, 140, 2.0}}));
    EXPECT_EQ(ProgressSeries::Of(records, ProgressSeries::kAllTexts).size(), 4u);
    EXPECT_EQ(ProgressSeries::Of({}, ProgressSeries::kAllTexts), std::vector<ProgressPoint>{});
    EXPECT_EQ(ProgressSeries::Filters(records), (std::vector<int>{0, 2, 7, -1}));
}

TEST_F(HistoryRules, TheCsvTextHasAHeaderAndQuotesOnlyWhatNeedsIt) {
    HistoryRecord zeroKeys = Lesson(44, true, kMarch12 + 61, 0, 0, false);
    zeroKeys.keystrokes = 0;
    zeroKeys.correct = 0;
    EXPECT_EQ(
        HistoryCsv::Text({Lesson(1, true, kMarch12, 80, 5, true),
                          OwnText(kMarch12 + 3600, "/home/žák/Básně, \"nové\".txt"), zeroKeys}),
        "Konec,Lekce,Rozložení,Soubor,Úhozy,Správné úhozy,Chyby,Doba psaní (ms),"
        "Průměrná rychlost,Absolutní rychlost,Známka chyb,Známka rychlosti,"
        "Doporučen postup\r\n"
        "2025-03-12 12:00:00,1,QWERTZ,,1000,995,5,600000,100,80,1,2,ano\r\n"
        "2025-03-12 13:00:00,-1,,\"/home/žák/Básně, \"\"nové\"\".txt\",1000,980,20,600000,"
        "100,140,3,4,ne\r\n"
        "2025-03-12 12:01:01,44,QWERTZ,,0,0,0,600000,100,0,3,4,ne\r\n");
    EXPECT_EQ(zeroKeys.ErrorPerMille(), 0);
}
