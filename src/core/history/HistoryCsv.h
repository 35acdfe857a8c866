#pragma once
// The history as a CSV file that a Czech spreadsheet opens as it is: UTF-8 with a byte order
// mark, fields separated by ";", decimal commas, lines ending in CR LF; a header line naming
// each column, then one line per finished text.

#include "HistoryRecord.h"

#include <string>
#include <vector>

class HistoryCsv {
public:
    // The byte order mark and the column names, with its line end.
    [[nodiscard]] static std::string Header();
    // One finished text, with its line end; a field is quoted where it holds a ";", a quote or
    // a line end.
    [[nodiscard]] static std::string Line(const HistoryRecord& record);
    // The header and every record's line.
    [[nodiscard]] static std::string Text(const std::vector<HistoryRecord>& records);
};
