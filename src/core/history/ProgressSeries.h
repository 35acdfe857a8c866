#pragma once
// The points the progress window plots: speed and error rate of each finished text over time.

#include "HistoryRecord.h"

#include <cstdint>
#include <vector>

struct ProgressPoint {
    int64_t endedAt = 0;     // seconds since 1970-01-01 UTC
    int speed = 0;           // correct keystrokes per minute (the absolute speed)
    double errorPercent = 0; // errors per 100 keystrokes
    friend bool operator==(const ProgressPoint&, const ProgressPoint&) = default;
};

class ProgressSeries {
public:
    static constexpr int kAllTexts = 0;
    static constexpr int kOwnTexts = -1;

    // The texts that pass the filter (kAllTexts, kOwnTexts, or a lesson number on either
    // layout), in order of time.
    [[nodiscard]] static std::vector<ProgressPoint> Of(const std::vector<HistoryRecord>& records,
                                                       int filter);
    // The filters worth offering: kAllTexts, then each lesson that occurs, then kOwnTexts if
    // any own text occurs.
    [[nodiscard]] static std::vector<int> Filters(const std::vector<HistoryRecord>& records);
};
