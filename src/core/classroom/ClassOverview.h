#pragma once
// What the teacher sees of a class: each pupil's lessons passed (by the rule the lesson dialog
// ticks them), last activity, best copy test and error rate, and the errors per character of
// the whole class.

#include "ClassResult.h"

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

struct PupilSummary {
    std::string login;
    int results = 0;
    int64_t lastActivity = 0;    // the end of the latest result; 0 for none
    std::set<int> passedLessons; // passed on either layout
    int copyTests = 0;
    int bestNetSpeed = 0;  // the best copy test's net keystrokes per minute
    int bestCopyGrade = 0; // that copy test's grade 1..3; 0 when it failed or for none
    int keystrokes = 0;    // over every result but the copy tests
    int errors = 0;

    [[nodiscard]] int ErrorPerMille() const;
    // The best copy test's net speed and grade as the teacher reads them (UTF-8): empty
    // without a copy test, "neprospěl" for a grade not reached.
    [[nodiscard]] std::string CopySpeedText() const;
    [[nodiscard]] std::string CopyGradeText() const;
    friend bool operator==(const PupilSummary&, const PupilSummary&) = default;
};

class ClassOverview {
public:
    // `pupils`: the class's logins, also those without a result; a login found only among
    // the results joins them.
    ClassOverview(const std::vector<std::string>& pupils, std::vector<ClassResult> results);

    // By login.
    [[nodiscard]] const std::vector<PupilSummary>& Pupils() const { return pupils_; }
    // Wrong keystrokes by character (UTF-8) over the class, the most first.
    [[nodiscard]] const std::vector<std::pair<std::string, int>>& KeyErrors() const {
        return keyErrors_;
    }
    // One pupil's results, oldest first.
    [[nodiscard]] std::vector<ClassResult> ResultsOf(const std::string& login) const;
    [[nodiscard]] int ResultCount() const { return static_cast<int>(results_.size()); }

private:
    void Summarise();
    void CountKeyErrors();

    std::vector<ClassResult> results_;
    std::vector<PupilSummary> pupils_;
    std::vector<std::pair<std::string, int>> keyErrors_;
};
