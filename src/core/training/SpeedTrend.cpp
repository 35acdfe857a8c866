#include "SpeedTrend.h"

#include <cmath>

void SpeedTrend::Add(unsigned char key, double speed) {
    if (key != key_) {
        key_ = key;
        speeds_.clear();
    }
    speeds_.push_back(speed);
    if (speeds_.size() > kExercises) {
        speeds_.erase(speeds_.begin());
    }
}

std::optional<int> SpeedTrend::ExercisesTo(double target) const {
    if (!speeds_.empty() && speeds_.back() >= target) {
        return 0;
    }
    if (speeds_.size() < 2) {
        return std::nullopt;
    }
    // The least-squares slope over the exercises: one slow exercise does not undo the trend.
    const double n = static_cast<double>(speeds_.size());
    double sumX = 0;
    double sumY = 0;
    double sumXY = 0;
    double sumXX = 0;
    for (size_t i = 0; i < speeds_.size(); ++i) {
        const double x = static_cast<double>(i);
        sumX += x;
        sumY += speeds_[i];
        sumXY += x * speeds_[i];
        sumXX += x * x;
    }
    const double slope = (n * sumXY - sumX * sumY) / (n * sumXX - sumX * sumX);
    if (slope <= 0) {
        return std::nullopt;
    }
    return static_cast<int>(std::ceil((target - speeds_.back()) / slope));
}
