// A finished text of the history becomes a class result: its kind, its figures and its errors
// per character in the server's UTF-8, without the folders of the pupil's own files; a timed
// copy becomes one with the norm's figures.

#include "ClassResult.h"
#include "ClassRecordingHistory.h"
#include "ClassResultSink.h"
#include "CopyTestResult.h"
#include "Cp1250.h"
#include "HistoryRecord.h"
#include "ListHistoryStore.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr const char* kPracticePath = "/home/zak/.local/share/klaptos/procviceni.txt";

HistoryRecord Text(int lesson, const std::string& fileName = {}) {
    HistoryRecord record;
    record.endedAt = 1765188000;
    record.lesson = lesson;
    record.qwertz = lesson > 0;
    record.fileName = fileName;
    record.keystrokes = 480;
    record.correct = 470;
    record.errors = 10;
    record.typingMs = 240000;
    record.averageSpeed = 120;
    record.absoluteSpeed = 117;
    record.errorGrade = 2;
    record.speedGrade = 3;
    record.passed = true;
    return record;
}

TEST(ClassResultMapping, ALessonKeepsItsNumberLayoutFiguresAndErrorsInUtf8) {
    HistoryRecord lesson = Text(12);
    lesson.keyErrors = {
        {static_cast<unsigned char>(Cp1250::FromUtf8("ř")[0]), 4}, {'k', 1}, {10, 2}};

    const ClassResult result = ClassResult::OfHistoryRecord(lesson, "id-1", kPracticePath);

    ClassResult expected;
    expected.id = "id-1";
    expected.kind = ResultKind::Lesson;
    expected.endedAt = 1765188000;
    expected.lesson = 12;
    expected.qwertz = true;
    expected.keystrokes = 480;
    expected.correct = 470;
    expected.errors = 10;
    expected.typingMs = 240000;
    expected.averageSpeed = 120;
    expected.absoluteSpeed = 117;
    expected.errorGrade = 2;
    expected.speedGrade = 3;
    expected.passed = true;
    expected.keyErrors = {{"ř", 4}, {"k", 1}, {"\n", 2}};
    EXPECT_EQ(result, expected);
    EXPECT_EQ(result.ErrorPerMille(), 20);
}

TEST(ClassResultMapping, AnOwnTextIsNamedByItsFileAloneAndThePracticeFileIsPractice) {
    const ClassResult own = ClassResult::OfHistoryRecord(
        Text(-1, "/home/zak/Dokumenty/Pohádka.txt"), "a", kPracticePath);
    EXPECT_EQ(own.kind, ResultKind::OwnText);
    EXPECT_EQ(own.title, "Pohádka.txt");
    EXPECT_EQ(own.lesson, 0);
    EXPECT_FALSE(own.qwertz);

    const ClassResult practice =
        ClassResult::OfHistoryRecord(Text(-1, kPracticePath), "b", kPracticePath);
    EXPECT_EQ(practice.kind, ResultKind::Practice);
    EXPECT_EQ(practice.title, "procviceni.txt");
}

TEST(ClassResultMapping, ATimedCopyKeepsTheNormsFiguresAndItsGrade) {
    CopyTestResult copy;
    copy.title = Cp1250::FromUtf8("Léto u řeky");
    copy.minutes = 3;
    copy.rules = CopyRules::Competition;
    copy.gross = 700;
    copy.errors = 2;
    copy.penalty = 50;
    copy.net = 600;
    copy.netPerMinute = 200;
    copy.errorRateHundredths = 29; // 0,29 %
    copy.grade = CopyGrade::Two;

    const ClassResult result = ClassResult::OfCopyTest(copy, "id-c", 1765188000);

    ClassResult expected;
    expected.id = "id-c";
    expected.kind = ResultKind::CopyTest;
    expected.endedAt = 1765188000;
    expected.title = "Léto u řeky";
    expected.keystrokes = 700;
    expected.correct = 600;
    expected.errors = 2;
    expected.typingMs = 180000;
    expected.averageSpeed = 233;
    expected.absoluteSpeed = 200;
    expected.netSpeed = 200;
    expected.grade = 2;
    expected.passed = true;
    expected.minutes = 3;
    expected.rules = "competition";
    expected.grossSpeed = 233;
    expected.accuracyHundredths = 9971;
    EXPECT_EQ(result, expected);

    copy.rules = CopyRules::School;
    copy.grade = CopyGrade::Failed;
    copy.errorRateHundredths = 12000; // more errors than keystrokes
    const ClassResult failed = ClassResult::OfCopyTest(copy, "id-d", 1765188000);
    EXPECT_EQ(failed.rules, "school");
    EXPECT_EQ(failed.grade, 0);
    EXPECT_FALSE(failed.passed);
    EXPECT_EQ(failed.accuracyHundredths, 0);
}

TEST(ClassResultMapping, EveryKindHasADatabaseNameThatReadsBack) {
    for (ResultKind kind : {ResultKind::Lesson, ResultKind::OwnText, ResultKind::Practice,
                            ResultKind::CopyTest, ResultKind::Training}) {
        EXPECT_EQ(KindOfName(KindName(kind)), kind) << KindName(kind);
    }
    EXPECT_EQ(KindName(ResultKind::CopyTest), "copy_test");
    EXPECT_EQ(KindOfName("dictation"), std::nullopt);
}

class ListSink final : public ClassResultSink {
public:
    [[nodiscard]] bool WantsResults() const override { return wanted; }
    void Queue(const ClassResult& result) override { queued.push_back(result); }
    bool wanted = true;
    std::vector<ClassResult> queued;
};

TEST(ClassRecordingHistory, EveryTextIsKeptAndQueuedUnderAnIdOfItsOwnOnlyWhileAClassWantsIt) {
    ListHistoryStore history;
    ListSink sink;
    int made = 0;
    ClassRecordingHistory recording(
        history, sink, [&made] { return "uuid-" + std::to_string(++made); }, kPracticePath);

    recording.Record(Text(3));
    recording.Record(Text(-1, kPracticePath));
    sink.wanted = false;
    recording.Record(Text(4));

    ASSERT_EQ(history.records.size(), std::size_t{3});
    ASSERT_EQ(sink.queued.size(), std::size_t{2});
    EXPECT_EQ(sink.queued[0].id, "uuid-1");
    EXPECT_EQ(sink.queued[0].lesson, 3);
    EXPECT_EQ(sink.queued[1].id, "uuid-2");
    EXPECT_EQ(sink.queued[1].kind, ResultKind::Practice);
    EXPECT_EQ(made, 2);
}

} // namespace
