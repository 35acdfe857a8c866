#include "ProgressSeries.h"

#include "Cp1250.h"
#include "HistoryText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace {

std::tm LocalTime(int64_t at) {
    const std::time_t t = static_cast<std::time_t>(at);
    std::tm local{};
    localtime_r(&t, &local);
    return local;
}

bool SameDay(const std::tm& a, const std::tm& b) {
    return a.tm_year == b.tm_year && a.tm_yday == b.tm_yday;
}

std::string OneDecimal(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    std::string result = text;
    for (char& c : result) {
        if (c == '.') {
            c = ',';
        }
    }
    return result;
}

} // namespace

int64_t ProgressSeries::GroupSize(int64_t attempts, int maxPoints) {
    if (maxPoints < 1 || attempts <= maxPoints) {
        return 1;
    }
    return (attempts + maxPoints - 1) / maxPoints;
}

std::vector<ProgressAxisLabel> ProgressSeries::AxisLabels(const std::vector<ProgressPoint>& points,
                                                          int count) {
    std::vector<ProgressAxisLabel> labels;
    if (points.empty() || count < 1) {
        return labels;
    }
    const std::tm first = LocalTime(points.front().firstEndedAt);
    const std::tm last = LocalTime(points.back().lastEndedAt);
    const bool oneDay = SameDay(first, last);
    const bool oneYear = first.tm_year == last.tm_year;
    const std::size_t n = points.size();
    const std::size_t wanted = std::min<std::size_t>(static_cast<std::size_t>(count), n);
    for (std::size_t i = 0; i < wanted; ++i) {
        // Spread from the first point to the last.
        const std::size_t index = wanted == 1 ? 0 : i * (n - 1) / (wanted - 1);
        const ProgressPoint& point = points[index];
        const std::tm t = LocalTime(point.firstEndedAt);
        char text[32];
        if (oneDay) {
            std::snprintf(text, sizeof text, "%d:%02d", t.tm_hour, t.tm_min);
        } else if (oneYear) {
            std::snprintf(text, sizeof text, "%d. %d.", t.tm_mday, t.tm_mon + 1);
        } else {
            std::snprintf(text, sizeof text, "%d. %d. %d", t.tm_mday, t.tm_mon + 1,
                          t.tm_year + 1900);
        }
        bool known = false;
        for (const ProgressAxisLabel& label : labels) {
            known = known || label.text == text;
        }
        if (!known) {
            labels.push_back({point.X(), text});
        }
    }
    return labels;
}

std::string ProgressSeries::Tip(const ProgressPoint& point) {
    const std::string figures = std::to_string(std::lround(point.speed)) +
                                Cp1250::FromUtf8(" úhozů/min, ") + OneDecimal(point.errorPercent) +
                                " % chyb";
    if (point.attempts == 1) {
        return Cp1250::FromUtf8("Pokus ") + std::to_string(point.firstAttempt) + ", " +
               HistoryText::DateAndTime(point.firstEndedAt) + "\n" + figures;
    }
    return Cp1250::FromUtf8("Pokusy ") + std::to_string(point.firstAttempt) +
           Cp1250::FromUtf8("–") + std::to_string(point.firstAttempt + point.attempts - 1) + ", " +
           HistoryText::DateAndTime(point.firstEndedAt) + Cp1250::FromUtf8(" až ") +
           HistoryText::DateAndTime(point.lastEndedAt) + Cp1250::FromUtf8("\nprůměr ") + figures;
}
