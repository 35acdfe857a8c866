#pragma once
// The history as a CSV file: a header line, then one line per finished text with the same
// figures as the database, in UTF-8.

#include "HistoryRecord.h"

#include <string>
#include <vector>

class HistoryCsv {
public:
    // Lines end in CR LF; fields are quoted where they hold a comma, a quote or a line end.
    [[nodiscard]] static std::string Text(const std::vector<HistoryRecord>& records);
};
