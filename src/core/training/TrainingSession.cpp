#include "TrainingSession.h"

#include "ExerciseMaker.h"
#include "KeyboardLayout.h"
#include "UnlockOrder.h"

#include <charconv>
#include <random>

TrainingSession::TrainingSession(const Clock& clock, bool qwertz)
    : qwertz_(qwertz), plan_(UnlockOrder::For(qwertz)),
      timer_(clock, KeyboardLayout::Of(qwertz), statistics_) {}

Exercise TrainingSession::Next(const Vocabulary& vocabulary, uint32_t seed) {
    const TrainingPlan::Step step = plan_.NextExercise(statistics_);
    ExerciseRequest request;
    request.unlocked = plan_.Unlocked();
    request.focus = step.focus;
    request.qwertz = qwertz_;
    for (const char key : request.unlocked) {
        if (statistics_.Measure(static_cast<unsigned char>(key)).timed <
            TrainingPlan::kMinimumTimed) {
            request.rare += key;
        }
    }
    std::mt19937 random(seed);
    Exercise exercise;
    exercise.lines = ExerciseMaker(vocabulary).Make(request, usedLines_, random);
    exercise.focus = step.focus;
    exercise.unlocked = step.unlocked;
    timer_.Restart();
    (void)timer_.Totals().Take();
    return exercise;
}

ExerciseSummary TrainingSession::Finish() {
    ExerciseSummary summary;
    summary.keys = timer_.Totals().Take();
    int timed = 0;
    double msSum = 0;
    for (const KeyTotal& key : summary.keys) {
        if (key.character == ' ') {
            continue;
        }
        summary.characters += key.occurrences;
        summary.errors += key.errors;
        timed += key.timed;
        msSum += key.msPerPressSum;
    }
    summary.speed = msSum > 0 ? 60000.0 * timed / msSum : 0;
    summary.focus = plan_.Focus();
    const KeyMeasure focus = statistics_.Measure(summary.focus);
    summary.focusSpeed = focus.speed;
    summary.focusErrorRate = focus.errorRate;
    summary.target = plan_.Target();
    if (summary.focus != 0) {
        trend_.Add(summary.focus, focus.speed);
    }
    summary.exercisesToTarget = trend_.ExercisesTo(plan_.Target());
    return summary;
}

std::string TrainingSession::Save() const {
    std::string saved = "open " + std::to_string(plan_.UnlockedCount()) + "\n";
    saved += "focus " + std::to_string(plan_.Focus()) + " " +
             std::to_string(plan_.FocusExercises()) + "\n";
    saved += "trend " + std::to_string(trend_.Key());
    for (const double speed : trend_.Speeds()) {
        saved += " " + std::to_string(static_cast<int>(speed));
    }
    saved += "\nkeys\n" + statistics_.Save();
    return saved;
}

namespace {

// The numbers after `name ` on the line that starts with it.
std::vector<int> Numbers(std::string_view saved, std::string_view name) {
    std::vector<int> numbers;
    const std::string start = std::string(name) + " ";
    size_t at = saved.rfind(start, 0) == 0 ? 0 : saved.find("\n" + start);
    if (at == std::string_view::npos) {
        return numbers;
    }
    at += at == 0 ? start.size() : start.size() + 1;
    std::string_view line = saved.substr(at, saved.find('\n', at) - at);
    while (!line.empty()) {
        int value = 0;
        const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
        if (error != std::errc()) {
            break;
        }
        numbers.push_back(value);
        line.remove_prefix(static_cast<size_t>(end - line.data()));
        while (!line.empty() && line.front() == ' ') {
            line.remove_prefix(1);
        }
    }
    return numbers;
}

} // namespace

void TrainingSession::Load(std::string_view saved) {
    if (const std::vector<int> open = Numbers(saved, "open"); !open.empty() && open[0] > 0) {
        plan_.SetUnlockedCount(static_cast<size_t>(open[0]));
    }
    const size_t keys = saved.find("\nkeys\n");
    if (keys != std::string_view::npos) {
        statistics_.Load(saved.substr(keys + 6));
    }
    if (const std::vector<int> focus = Numbers(saved, "focus"); focus.size() == 2) {
        plan_.RestoreFocus(static_cast<unsigned char>(focus[0] & 0xFF), focus[1]);
    }
    if (const std::vector<int> trend = Numbers(saved, "trend"); trend.size() > 1) {
        for (size_t i = 1; i < trend.size(); ++i) {
            trend_.Add(static_cast<unsigned char>(trend[0] & 0xFF), trend[i]);
        }
    }
}
