#pragma once
// What the evaluation judges of the text just typed: the meter's totals and what the store
// holds. The evaluation window and the history judge the same figures through it.

#include "Evaluation.h"

class LEKCE;
class SpeedMeter;

[[nodiscard]] EvaluationInput FinishedTextInput(const SpeedMeter& meter, const LEKCE& store);
