#pragma once
// The pupil's name for the head of a result sheet, from the system's user account.

#include <string>
#include <string_view>

namespace PupilName {

// The full name of an account's comment field ("Jana Nováková,Třída 3.B,,"): its first part,
// or the login name when it has none. UTF-8.
[[nodiscard]] std::string FromAccount(std::string_view gecos, std::string_view login);

} // namespace PupilName
