// The speed meter's share of one keystroke: measuring it and showing the speeds.

#include "FakeClock.h"
#include "FakeWindow.h"
#include "ProgramOptions.h"
#include "SpeedMeter.h"

#include <benchmark/benchmark.h>

namespace {

void BM_MeasureAndShowSpeed(benchmark::State& state) {
    FakeClock clock;
    SpeedMeter meter(clock);
    FakeWindow window;
    ProgramOptions options;
    meter.Clear();
    for (int i = 0; i < SpeedMeter::kIntervalSlots; ++i) { // a full window of intervals
        clock.Advance(180);
        meter.Measure(true);
    }
    uint32_t step = 0;
    for (auto _ : state) {
        clock.Advance(150 + (step++ & 63));
        meter.Measure(true);
        ++meter.lessonCorrect;
        meter.ShowSpeed(window, options, false, 0.4);
        benchmark::DoNotOptimize(window.timeLeft.data());
    }
}
BENCHMARK(BM_MeasureAndShowSpeed);

} // namespace
