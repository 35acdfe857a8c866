#pragma once
// The grade of a timed copy in words, and what kept it from a better one, for the pupil.

#include "CopyTestResult.h"

#include <string>

namespace CopyVerdict {

// "1 – výborný", "2 – chvalitebný", "3 – dobrý", "neprospěl"; code page 1250.
[[nodiscard]] std::string Grade(const CopyTestResult& result);
// Why it failed, or what a better grade asks for; empty for grade 1. Code page 1250.
[[nodiscard]] std::string Reason(const CopyTestResult& result);
// "školní (10 úhozů za chybu)"; code page 1250.
[[nodiscard]] std::string Rules(CopyRules rules);
// "1 minuta", "3 minuty", "10 minut"; code page 1250.
[[nodiscard]] std::string Minutes(int minutes);

} // namespace CopyVerdict
