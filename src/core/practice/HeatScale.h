#pragma once
// The colour steps of the keyboard's error heat map: a character's error rate as one of a few
// steps, each with its colour and its legend.

#include "KeyErrorCounts.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

enum class HeatStep { NoData, Clean, Low, Medium, High, Severe };

class HeatScale {
public:
    static constexpr int kSteps = 6;

    // NoData below WeakKeys::kMinimumAttempts attempts; Clean without an error; then up to
    // 2 %, up to 5 %, up to 10 %, above.
    [[nodiscard]] static HeatStep Step(int64_t attempts, int64_t errors);
    // 0xRRGGBB; NoData has no colour of its own (0: leave the key as it is).
    [[nodiscard]] static uint32_t Colour(HeatStep step);
    // The legend's text of a step, Czech, code page 1250.
    [[nodiscard]] static std::string Legend(HeatStep step);

    // Every character typed in the text with its step, in byte order: what the keyboard view
    // colours its keys by.
    [[nodiscard]] static std::vector<std::pair<unsigned char, HeatStep>>
    Map(const KeyErrorCounts& counts);
};
