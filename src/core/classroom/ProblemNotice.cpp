#include "ProblemNotice.h"

void ProblemNotice::Observe(ClassProblem problem) {
    current_ = problem;
    if (problem == ClassProblem::None) {
        told_ = ClassProblem::None;
    }
}

std::optional<ClassProblem> ProblemNotice::Take() {
    if (current_ == ClassProblem::None || current_ == told_) {
        return std::nullopt;
    }
    told_ = current_;
    return current_;
}
