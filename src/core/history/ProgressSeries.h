#pragma once
// What the progress window plots: speed and error rate attempt by attempt, in order of time.
// A long history is plotted in groups of attempts one after the other, so that a plot has a
// bounded number of points however many texts the pupil finished.

#include <cstdint>
#include <string>
#include <vector>

struct ProgressPoint {
    int64_t firstAttempt = 1; // 1 is the filter's first attempt in order of time
    int64_t attempts = 1;     // how many attempts, one after the other, the point stands for
    int64_t firstEndedAt = 0; // seconds since 1970-01-01 UTC
    int64_t lastEndedAt = 0;
    double speed = 0;         // correct keystrokes per minute, the mean of the attempts
    double errorPercent = 0;  // errors per 100 keystrokes of all the attempts
    double expectedSpeed = 0; // what the attempts' lessons expect, the mean

    // Where the point lies on the plot's axis of attempts.
    [[nodiscard]] double X() const { return firstAttempt + (attempts - 1) / 2.0; }
    friend bool operator==(const ProgressPoint&, const ProgressPoint&) = default;
};

struct ProgressAxisLabel {
    double x = 0;
    std::string text;
    friend bool operator==(const ProgressAxisLabel&, const ProgressAxisLabel&) = default;
};

class ProgressSeries {
public:
    // Filters: every text, the own texts, or a lesson's number (on either layout).
    static constexpr int kAllTexts = 0;
    static constexpr int kOwnTexts = -1;
    // Texts that ended before 2000 or after the next day are left out: a clock set wrongly
    // once would squeeze every other result into a corner.
    static constexpr int64_t kEarliest = 946684800; // 2000-01-01 00:00:00 UTC
    static constexpr int64_t kLatestAfterNow = 24 * 3600;
    // Whether a text that ended at `endedAt` counts, `now` being the present.
    [[nodiscard]] static bool SaneDate(int64_t endedAt, int64_t now) {
        return endedAt >= kEarliest && endedAt <= now + kLatestAfterNow;
    }

    // How many attempts one point stands for so that `attempts` fit in `maxPoints`.
    [[nodiscard]] static int64_t GroupSize(int64_t attempts, int maxPoints);
    // At most `count` labels for the axis of attempts, spread over the points: the time of day
    // when all lie on one day, else the day ("12. 3."), with the year where they span more than
    // one; no text twice.
    [[nodiscard]] static std::vector<ProgressAxisLabel>
    AxisLabels(const std::vector<ProgressPoint>& points, int count);
    // A point's tooltip (code page 1250): when, and its speed and error rate.
    [[nodiscard]] static std::string Tip(const ProgressPoint& point);

    int64_t attempts = 0; // in the filter, all of them
    std::vector<ProgressPoint> points;
};
