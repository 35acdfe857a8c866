#pragma once
// The focus key's speed after each of its recent exercises, and how many more exercises it
// needs to reach the target if it keeps improving as it has.

#include <cstddef>
#include <optional>
#include <vector>

class SpeedTrend {
public:
    static constexpr size_t kExercises = 6;

    // Starts afresh when the key changes.
    void Add(unsigned char key, double speed);
    [[nodiscard]] unsigned char Key() const { return key_; }
    [[nodiscard]] const std::vector<double>& Speeds() const { return speeds_; }

    // 0 when the last speed has reached the target; nothing while there are fewer than two
    // speeds or they do not rise.
    [[nodiscard]] std::optional<int> ExercisesTo(double target) const;

private:
    unsigned char key_ = 0;
    std::vector<double> speeds_;
};
