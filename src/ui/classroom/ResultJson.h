#pragma once
// A result as the class database takes it: a JSON object named by the table's columns, which
// the server reads with jsonb_populate_recordset. Fields the server does not know are left
// out there, so a newer program's result still fits an older database.

#include "ClassResult.h"

#include <QString>

#include <map>
#include <string>

class ResultJson {
public:
    // Compact UTF-8 JSON; `pupil` is the server's to set and is not written.
    [[nodiscard]] static std::string Payload(const ClassResult& result);
    // The JSON array of a batch of payloads.
    [[nodiscard]] static std::string Batch(const std::vector<std::string>& payloads);
    // The columns key_errors and details as read back; anything else reads as empty.
    [[nodiscard]] static std::map<std::string, int> KeyErrors(const QString& json);
    [[nodiscard]] static std::map<std::string, double> Details(const QString& json);
};
