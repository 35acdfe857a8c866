#include "ProgressSeries.h"

#include <algorithm>
#include <set>

std::vector<ProgressPoint> ProgressSeries::Of(const std::vector<HistoryRecord>& records,
                                              int filter) {
    std::vector<ProgressPoint> points;
    points.reserve(filter == kAllTexts ? records.size() : 0);
    for (const HistoryRecord& record : records) {
        const bool wanted = filter == kAllTexts || (filter == kOwnTexts && !record.IsLesson()) ||
                            record.lesson == filter;
        if (!wanted) {
            continue;
        }
        const double errorPercent =
            record.keystrokes > 0 ? record.errors * 100.0 / record.keystrokes : 0.0;
        points.push_back({record.endedAt, record.absoluteSpeed, errorPercent});
    }
    std::stable_sort(
        points.begin(), points.end(),
        [](const ProgressPoint& a, const ProgressPoint& b) { return a.endedAt < b.endedAt; });
    return points;
}

std::vector<int> ProgressSeries::Filters(const std::vector<HistoryRecord>& records) {
    std::set<int> lessons;
    bool ownTexts = false;
    for (const HistoryRecord& record : records) {
        if (record.IsLesson()) {
            lessons.insert(record.lesson);
        } else {
            ownTexts = true;
        }
    }
    std::vector<int> filters{kAllTexts};
    filters.insert(filters.end(), lessons.begin(), lessons.end());
    if (ownTexts) {
        filters.push_back(kOwnTexts);
    }
    return filters;
}
