#include "HeatScale.h"

#include "Cp1250.h"
#include "WeakKeys.h"

#include <cstdint>

namespace {

// Per mille limits of Low, Medium and High.
constexpr int kLowLimit = 20;
constexpr int kMediumLimit = 50;
constexpr int kHighLimit = 100;

} // namespace

HeatStep HeatScale::Step(int64_t attempts, int64_t errors) {
    if (attempts < WeakKeys::kMinimumAttempts) {
        return HeatStep::NoData;
    }
    if (errors <= 0) {
        return HeatStep::Clean;
    }
    // Compared exactly: 1 error in 49 attempts is above 2 %, though it truncates to 20 per mille.
    const auto within = [&](int limitPerMille) {
        return errors * 1000 <= int64_t{limitPerMille} * attempts;
    };
    if (within(kLowLimit)) {
        return HeatStep::Low;
    }
    if (within(kMediumLimit)) {
        return HeatStep::Medium;
    }
    return within(kHighLimit) ? HeatStep::High : HeatStep::Severe;
}

uint32_t HeatScale::Colour(HeatStep step) {
    switch (step) {
    case HeatStep::NoData:
        return 0;
    case HeatStep::Clean:
        return 0xC8E6C9; // pale green
    case HeatStep::Low:
        return 0xFFF59D; // yellow
    case HeatStep::Medium:
        return 0xFFCC80; // orange
    case HeatStep::High:
        return 0xFF8A65; // deep orange
    case HeatStep::Severe:
        return 0xE53935; // red
    }
    return 0;
}

std::string HeatScale::Legend(HeatStep step) {
    switch (step) {
    case HeatStep::NoData:
        return Cp1250::FromUtf8("málo úhozů");
    case HeatStep::Clean:
        return Cp1250::FromUtf8("bez chyb");
    case HeatStep::Low:
        return Cp1250::FromUtf8("do 2 %");
    case HeatStep::Medium:
        return Cp1250::FromUtf8("do 5 %");
    case HeatStep::High:
        return Cp1250::FromUtf8("do 10 %");
    case HeatStep::Severe:
        return Cp1250::FromUtf8("nad 10 %");
    }
    return {};
}

std::vector<std::pair<unsigned char, HeatStep>> HeatScale::Map(const KeyErrorCounts& counts) {
    std::vector<std::pair<unsigned char, HeatStep>> map;
    for (int i = 0; i < KeyErrorCounts::kBytes; ++i) {
        const auto c = static_cast<unsigned char>(i);
        if (counts.Attempts(c) > 0) {
            map.emplace_back(c, Step(counts.Attempts(c), counts.Errors(c)));
        }
    }
    return map;
}
