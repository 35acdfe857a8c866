#pragma once
// Tells the pupil about a problem with the class database once, not on every retry: a problem
// is told when it first appears, and again only after a send went through in between or a
// different problem came.

#include "ClassProblem.h"

#include <optional>

class ProblemNotice {
public:
    // The outcome of a send or a connection attempt.
    void Observe(ClassProblem problem);
    // The problem to tell now, once; nullopt when there is nothing new to tell.
    [[nodiscard]] std::optional<ClassProblem> Take();
    // The problem of the last attempt, told or not.
    [[nodiscard]] ClassProblem Current() const { return current_; }

private:
    ClassProblem current_ = ClassProblem::None;
    ClassProblem told_ = ClassProblem::None;
};
