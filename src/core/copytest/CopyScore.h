#pragma once
// Scores a timed copy by the Czech norm: the typed text against the copy, keystrokes by the
// keyboard, 10 or 50 keystrokes off per error, net keystrokes per minute and the grade:
// 1 from 240 net a minute with at most 0,15 % errors, 2 from 220 with at most 0,30 %, 3 from
// 200 with at most 0,50 %, otherwise failed.

#include "AlignedWord.h"
#include "CopyTestResult.h"

#include <string>
#include <string_view>
#include <vector>

class KeyboardLayout;
struct CopyText;

struct CopyOutcome {
    CopyTestResult result;
    std::vector<AlignedWord> words; // the typed text marked against the copy
};

class CopyScore {
public:
    struct GradeStep {
        CopyGrade grade;
        int netPerMinute;        // at least
        int errorRateHundredths; // at most
    };
    static constexpr GradeStep kGrades[] = {
        {CopyGrade::One, 240, 15}, {CopyGrade::Two, 220, 30}, {CopyGrade::Three, 200, 50}};

    [[nodiscard]] static int PenaltyOf(CopyRules rules) {
        return rules == CopyRules::Competition ? 50 : 10;
    }

    // `typed`: the text area's content when the test ended, code page 1250, Enter as 10.
    [[nodiscard]] static CopyOutcome Evaluate(const CopyText& copy, std::string_view typed,
                                              int minutes, CopyRules rules,
                                              const KeyboardLayout& layout);

    // The grade of the figures and what kept them from a better one.
    static void Grade(CopyTestResult& result);

    // "0,15": a rate in hundredths of a per cent with a decimal comma (UTF-8 and code page
    // 1250 alike).
    [[nodiscard]] static std::string Percent(int hundredths);
};
