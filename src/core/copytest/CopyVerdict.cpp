#include "CopyVerdict.h"

#include "CopyScore.h"
#include "Cp1250.h"

namespace CopyVerdict {

std::string Grade(const CopyTestResult& result) {
    switch (result.grade) {
    case CopyGrade::One:
        return Cp1250::FromUtf8("1 – výborný");
    case CopyGrade::Two:
        return Cp1250::FromUtf8("2 – chvalitebný");
    case CopyGrade::Three:
        return Cp1250::FromUtf8("3 – dobrý");
    case CopyGrade::Failed:
        break;
    }
    return Cp1250::FromUtf8("neprospěl");
}

std::string Reason(const CopyTestResult& result) {
    if (result.limit == GradeLimit::None) {
        return {};
    }
    // The step the result did not reach: the next better grade, or grade 3 when it failed.
    const int reached = static_cast<int>(result.grade); // One 0, Two 1, Three 2, Failed 3
    const CopyScore::GradeStep& step = CopyScore::kGrades[reached - 1];
    const std::string speed =
        "rychlost alespoň " + std::to_string(step.netPerMinute) + " čistých úhozů za minutu";
    const std::string errors =
        "chybovost nejvýše " + CopyScore::Percent(step.errorRateHundredths) + " %";
    std::string missing;
    switch (result.limit) {
    case GradeLimit::Speed:
        missing = speed;
        break;
    case GradeLimit::Errors:
        missing = errors;
        break;
    case GradeLimit::SpeedAndErrors:
    case GradeLimit::None:
        missing = speed + " a " + errors;
        break;
    }
    const std::string grade = std::to_string(reached); // the grade above, by its number
    const std::string lead = result.grade == CopyGrade::Failed
                                 ? "K prospěchu je potřeba "
                                 : "Ke známce " + grade + " je potřeba ";
    return Cp1250::FromUtf8(lead + missing + ".");
}

std::string Rules(CopyRules rules) {
    return Cp1250::FromUtf8(rules == CopyRules::Competition ? "soutěžní (50 úhozů za chybu)"
                                                            : "školní (10 úhozů za chybu)");
}

std::string Minutes(int minutes) {
    const char* word = minutes == 1 ? "minuta" : minutes >= 2 && minutes <= 4 ? "minuty" : "minut";
    return std::to_string(minutes) + " " + word;
}

} // namespace CopyVerdict
