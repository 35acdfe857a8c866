#include "TrainingPlan.h"

#include "KeyStatistics.h"
#include "UnlockOrder.h"

#include <algorithm>
#include <utility>

TrainingPlan::TrainingPlan(std::string order)
    : order_(std::move(order)), unlocked_(std::min(UnlockOrder::kStartKeys, order_.size())) {}

void TrainingPlan::SetTarget(int target) {
    target_ = target >= kLowestTarget && target <= kHighestTarget ? target : kDefaultTarget;
}

void TrainingPlan::Pin(unsigned char key) {
    pinned_ = key != 0 && order_.find(static_cast<char>(key)) != std::string::npos ? key : 0;
}

void TrainingPlan::SetUnlockedCount(size_t count) {
    unlocked_ = std::clamp(count, std::min(UnlockOrder::kStartKeys, order_.size()), order_.size());
}

bool TrainingPlan::IsUnlocked(unsigned char key) const {
    return key != 0 && Unlocked().find(static_cast<char>(key)) != std::string::npos;
}

bool TrainingPlan::Reached(const KeyMeasure& measure) const {
    return measure.timed >= kMinimumTimed && measure.speed >= target_ &&
           measure.errorRate <= kMaxErrorRate;
}

double TrainingPlan::WeighedSpeed(const KeyMeasure& measure) const {
    if (measure.timed < kMinimumTimed) {
        return 0;
    }
    return measure.speed / (1 + kErrorWeight * measure.errorRate);
}

void TrainingPlan::RestoreFocus(unsigned char focus, int exercises) {
    focus_ = IsUnlocked(focus) ? focus : 0;
    focusExercises_ = focus_ != 0 ? std::max(exercises, 0) : 0;
}

bool TrainingPlan::AllReached(const KeyStatistics& statistics) const {
    return std::all_of(
        order_.begin(), order_.begin() + static_cast<std::ptrdiff_t>(unlocked_),
        [&](char key) { return Reached(statistics.Measure(static_cast<unsigned char>(key))); });
}

unsigned char TrainingPlan::ChooseFocus(const KeyStatistics& statistics) const {
    // Among equals the later key wins: a key just opened, not yet measured, comes first.
    unsigned char focus = 0;
    double slowest = 0;
    for (const char key : Unlocked()) {
        const auto c = static_cast<unsigned char>(key);
        const double speed = WeighedSpeed(statistics.Measure(c));
        if (focus == 0 || speed <= slowest) {
            focus = c;
            slowest = speed;
        }
    }
    return focus;
}

TrainingPlan::Step TrainingPlan::NextExercise(const KeyStatistics& statistics) {
    Step step;
    if (unlocked_ < order_.size() && AllReached(statistics)) {
        step.unlocked = static_cast<unsigned char>(order_[unlocked_]);
        ++unlocked_;
    }
    unsigned char focus = 0;
    if (IsUnlocked(pinned_)) {
        focus = pinned_;
    } else if (IsUnlocked(focus_) && step.unlocked == 0 && focusExercises_ < kKeptExercises &&
               !Reached(statistics.Measure(focus_))) {
        focus = focus_;
    } else {
        focus = ChooseFocus(statistics);
    }
    focusExercises_ = focus == focus_ ? focusExercises_ + 1 : 1;
    focus_ = focus;
    step.focus = focus;
    return step;
}
