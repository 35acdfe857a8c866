#pragma once
// The teacher's overview as a CSV file that a Czech spreadsheet opens as it is: UTF-8 with a
// byte order mark, ";" between fields, a decimal comma, CR LF line ends. The pupils' table
// first, then, after an empty line, the class's errors per character.

#include <string>

class ClassOverview;

class ClassCsv {
public:
    [[nodiscard]] static std::string Text(const ClassOverview& overview);
    // How a character of the error table is named: "Enter", "mezera", else itself.
    [[nodiscard]] static std::string CharacterName(const std::string& character);
};
