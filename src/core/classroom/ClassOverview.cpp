#include "ClassOverview.h"

#include "HistoryRecord.h"
#include "LessonResults.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace {

// The lesson dialog's rule works on the history's records.
HistoryRecord AsHistoryRecord(const ClassResult& result, int64_t order) {
    HistoryRecord record;
    record.id = order;
    record.endedAt = result.endedAt;
    record.lesson = result.lesson;
    record.qwertz = result.qwertz;
    record.keystrokes = result.keystrokes;
    record.correct = result.correct;
    record.errors = result.errors;
    record.absoluteSpeed = result.absoluteSpeed;
    record.passed = result.passed;
    return record;
}

std::set<int> PassedLessons(const std::vector<HistoryRecord>& lessons) {
    LessonResults results;
    for (const HistoryRecord& lesson : lessons) {
        results.Add(lesson);
    }
    std::set<int> passed;
    for (bool qwertz : {false, true}) {
        for (const auto& entry : results.PassedLessons(qwertz)) {
            passed.insert(entry.first);
        }
    }
    return passed;
}

} // namespace

int PupilSummary::ErrorPerMille() const {
    return keystrokes > 0 ? static_cast<int>(int64_t{errors} * 1000 / keystrokes) : 0;
}

std::string PupilSummary::CopySpeedText() const {
    return copyTests > 0 ? std::to_string(bestNetSpeed) : std::string();
}

std::string PupilSummary::CopyGradeText() const {
    if (copyTests == 0) {
        return {};
    }
    return bestCopyGrade > 0 ? std::to_string(bestCopyGrade) : std::string("neprospěl");
}

ClassOverview::ClassOverview(const std::vector<std::string>& pupils,
                             std::vector<ClassResult> results)
    : results_(std::move(results)) {
    std::stable_sort(results_.begin(), results_.end(),
                     [](const ClassResult& a, const ClassResult& b) {
                         return std::tie(a.endedAt, a.id) < std::tie(b.endedAt, b.id);
                     });
    std::set<std::string> logins(pupils.begin(), pupils.end());
    for (const ClassResult& result : results_) {
        logins.insert(result.pupil);
    }
    for (const std::string& login : logins) {
        PupilSummary pupil;
        pupil.login = login;
        pupils_.push_back(std::move(pupil));
    }
    Summarise();
    CountKeyErrors();
}

void ClassOverview::Summarise() {
    std::map<std::string, std::vector<HistoryRecord>> lessonsByPupil;
    std::map<std::string, PupilSummary*> byLogin;
    for (PupilSummary& pupil : pupils_) {
        byLogin[pupil.login] = &pupil;
    }
    int64_t order = 0;
    for (const ClassResult& result : results_) {
        PupilSummary& pupil = *byLogin.at(result.pupil);
        ++pupil.results;
        pupil.lastActivity = std::max(pupil.lastActivity, result.endedAt);
        if (result.kind == ResultKind::Lesson && result.lesson >= 1) {
            lessonsByPupil[result.pupil].push_back(AsHistoryRecord(result, ++order));
        }
        if (result.kind == ResultKind::CopyTest) {
            // The norm counts a copy's errors by words, not keystrokes: they stay out of the
            // error rate of the pupil's typing.
            if (++pupil.copyTests == 1 || result.netSpeed > pupil.bestNetSpeed) {
                pupil.bestNetSpeed = result.netSpeed;
                pupil.bestCopyGrade = result.grade;
            }
            continue;
        }
        pupil.keystrokes += result.keystrokes;
        pupil.errors += result.errors;
    }
    for (const auto& [login, lessons] : lessonsByPupil) {
        byLogin.at(login)->passedLessons = PassedLessons(lessons);
    }
}

void ClassOverview::CountKeyErrors() {
    std::map<std::string, int> sums;
    for (const ClassResult& result : results_) {
        for (const auto& [character, count] : result.keyErrors) {
            sums[character] += count;
        }
    }
    keyErrors_.assign(sums.begin(), sums.end());
    std::stable_sort(keyErrors_.begin(), keyErrors_.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
}

std::vector<ClassResult> ClassOverview::ResultsOf(const std::string& login) const {
    std::vector<ClassResult> found;
    for (const ClassResult& result : results_) {
        if (result.pupil == login) {
            found.push_back(result);
        }
    }
    return found;
}
