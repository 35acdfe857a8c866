// Parses any text as the stored keystroke intervals and checks that what was read
// survives writing it back.

#include "FuzzFiles.h"
#include "SpeedMeter.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    StillClock clock;
    SpeedMeter meter(clock);
    meter.ParseIntervals(std::string(reinterpret_cast<const char*>(data), size));
    if (meter.intervalCount < 0 || meter.intervalCount > SpeedMeter::kIntervalSlots) {
        std::abort();
    }
    SpeedMeter again(clock);
    again.ParseIntervals(meter.IntervalsText());
    if (again.intervalCount != meter.intervalCount || again.intervals != meter.intervals) {
        std::abort();
    }
    return 0;
}
