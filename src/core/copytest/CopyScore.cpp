#include "CopyScore.h"

#include "CopyText.h"
#include "KeystrokeNorm.h"
#include "TypedWords.h"
#include "WordAlignment.h"

#include <algorithm>

CopyOutcome CopyScore::Evaluate(const CopyText& copy, std::string_view typed, int minutes,
                                CopyRules rules, const KeyboardLayout& layout) {
    CopyOutcome outcome;
    outcome.words = WordAlignment::Align(copy.Words(), TypedWords::Split(typed));

    CopyTestResult& result = outcome.result;
    result.title = copy.title;
    result.minutes = std::max(minutes, 1);
    result.rules = rules;
    result.gross = KeystrokeNorm(layout).Count(typed);
    result.errors = static_cast<int>(std::count_if(outcome.words.begin(), outcome.words.end(),
                                                   [](const AlignedWord& w) { return w.error; }));
    result.penalty = PenaltyOf(rules);
    result.net = std::max(0, result.gross - result.penalty * result.errors);
    result.netPerMinute = result.net / result.minutes;
    if (result.gross > 0) {
        const long long scaled = 10000LL * result.errors;
        result.errorRateHundredths =
            static_cast<int>((2 * scaled + result.gross) / (2 * result.gross));
    }
    Grade(result);
    return outcome;
}

void CopyScore::Grade(CopyTestResult& result) {
    result.grade = CopyGrade::Failed;
    result.limit = GradeLimit::None;
    const GradeStep* above = nullptr; // the grade one better than the one reached
    for (const GradeStep& step : kGrades) {
        if (result.netPerMinute >= step.netPerMinute &&
            result.errorRateHundredths <= step.errorRateHundredths && result.gross > 0) {
            result.grade = step.grade;
            break;
        }
        above = &step;
    }
    if (above == nullptr) {
        return;
    }
    const bool slow = result.netPerMinute < above->netPerMinute;
    const bool careless = result.errorRateHundredths > above->errorRateHundredths;
    result.limit = slow && careless ? GradeLimit::SpeedAndErrors
                   : careless       ? GradeLimit::Errors
                                    : GradeLimit::Speed;
}

std::string CopyScore::Percent(int hundredths) {
    const int fraction = hundredths % 100;
    return std::to_string(hundredths / 100) + ',' + (fraction < 10 ? "0" : "") +
           std::to_string(fraction);
}
