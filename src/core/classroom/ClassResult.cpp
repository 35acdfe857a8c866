#include "ClassResult.h"

#include "CopyTestResult.h"
#include "Cp1250.h"
#include "HistoryRecord.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<ResultKind, std::string_view>, 5> kKindNames{{
    {ResultKind::Lesson, "lesson"},
    {ResultKind::OwnText, "own_text"},
    {ResultKind::Practice, "practice"},
    {ResultKind::CopyTest, "copy_test"},
    {ResultKind::Training, "training"},
}};

// The teacher needs to know which text it was, not where the pupil keeps it.
std::string FileNameOnly(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

ClassResult ClassResult::OfHistoryRecord(const HistoryRecord& record, std::string id,
                                         const std::string& practicePath) {
    ClassResult result;
    result.id = std::move(id);
    if (record.IsLesson()) {
        result.kind = ResultKind::Lesson;
        result.lesson = record.lesson;
        result.qwertz = record.qwertz;
    } else {
        result.kind = !practicePath.empty() && record.fileName == practicePath
                          ? ResultKind::Practice
                          : ResultKind::OwnText;
        result.title = FileNameOnly(record.fileName);
    }
    result.endedAt = record.endedAt;
    result.keystrokes = record.keystrokes;
    result.correct = record.correct;
    result.errors = record.errors;
    result.typingMs = record.typingMs;
    result.averageSpeed = record.averageSpeed;
    result.absoluteSpeed = record.absoluteSpeed;
    result.errorGrade = record.errorGrade;
    result.speedGrade = record.speedGrade;
    result.passed = record.passed;
    for (const auto& [character, count] : record.keyErrors) {
        result.keyErrors[Cp1250::ToUtf8(std::string(1, static_cast<char>(character)))] += count;
    }
    return result;
}

ClassResult ClassResult::OfCopyTest(const CopyTestResult& copy, std::string id, int64_t endedAt) {
    ClassResult result;
    result.id = std::move(id);
    result.kind = ResultKind::CopyTest;
    result.endedAt = endedAt;
    result.title = Cp1250::ToUtf8(copy.title);
    result.minutes = copy.minutes;
    result.rules = copy.rules == CopyRules::Competition ? "competition" : "school";
    result.keystrokes = copy.gross;
    result.correct = copy.net;
    result.errors = copy.errors;
    result.typingMs = copy.minutes * 60 * 1000;
    result.grossSpeed = copy.minutes > 0 ? copy.gross / copy.minutes : 0;
    result.averageSpeed = result.grossSpeed;
    result.absoluteSpeed = copy.netPerMinute;
    result.netSpeed = copy.netPerMinute;
    result.accuracyHundredths = std::max(0, 10000 - copy.errorRateHundredths);
    result.passed = copy.grade != CopyGrade::Failed;
    result.grade = result.passed ? static_cast<int>(copy.grade) + 1 : 0;
    return result;
}

int ClassResult::ErrorPerMille() const {
    return keystrokes > 0 ? static_cast<int>(int64_t{errors} * 1000 / keystrokes) : 0;
}

std::string_view KindName(ResultKind kind) {
    for (const auto& [known, name] : kKindNames) {
        if (known == kind) {
            return name;
        }
    }
    return {};
}

std::optional<ResultKind> KindOfName(std::string_view name) {
    for (const auto& [kind, known] : kKindNames) {
        if (known == name) {
            return kind;
        }
    }
    return std::nullopt;
}
