#pragma once
// The training of one pupil on one layout: the keys' measures, the open keys and the focus, the
// lines of this session, and the exercise being typed. What lasts between sessions is saved
// as text (Save, Load).

#include "KeyStatistics.h"
#include "KeyTimer.h"
#include "KeyTotals.h"
#include "SpeedTrend.h"
#include "TrainingPlan.h"

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

class Clock;
class Vocabulary;

struct Exercise {
    std::vector<std::string> lines;
    unsigned char focus = 0;
    unsigned char unlocked = 0; // a key opened for this exercise; 0 for none
};

struct ExerciseSummary {
    double speed = 0; // key presses per minute over the exercise's timed characters
    int characters = 0;
    int errors = 0;
    unsigned char focus = 0;
    double focusSpeed = 0;
    double focusErrorRate = 0;
    int target = 0;
    std::optional<int> exercisesToTarget;
    std::vector<KeyTotal> keys; // what the exercise added, for the history
};

class TrainingSession {
public:
    TrainingSession(const Clock& clock, bool qwertz);

    [[nodiscard]] bool Qwertz() const { return qwertz_; }
    [[nodiscard]] TrainingPlan& Plan() { return plan_; }
    [[nodiscard]] const TrainingPlan& Plan() const { return plan_; }
    [[nodiscard]] const KeyStatistics& Statistics() const { return statistics_; }
    [[nodiscard]] const SpeedTrend& Trend() const { return trend_; }
    [[nodiscard]] KeyTimer& Timer() { return timer_; }

    // Decides and writes the next exercise.
    [[nodiscard]] Exercise Next(const Vocabulary& vocabulary, uint32_t seed);
    // The exercise's figures, once its last line is typed.
    [[nodiscard]] ExerciseSummary Finish();

    [[nodiscard]] std::string Save() const;
    void Load(std::string_view saved);

private:
    bool qwertz_;
    KeyStatistics statistics_;
    TrainingPlan plan_;
    KeyTimer timer_;
    SpeedTrend trend_;
    std::set<std::string> usedLines_;
};
