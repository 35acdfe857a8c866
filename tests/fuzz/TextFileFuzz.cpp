// Reads any bytes as a pupil's own text file and checks the store afterwards.

#include "Clock.h"
#include "FuzzFiles.h"
#include "Lekce.h"
#include "Reporter.h"
#include "SpeedMeter.h"

#include <cstdlib>

namespace {
struct QuietReporter final : Reporter {
    void ReportError(const std::string&) override {}
    void ReportInfo(const std::string&) override {}
};
struct StillClock final : Clock {
    uint32_t TickCount() const override { return 1000; }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = WriteFuzzFile("own text.txt", data, size);
    QuietReporter reporter;
    StillClock clock;
    SpeedMeter meter(clock);
    LEKCE store(FuzzDir().string(), reporter, meter);
    const bool loaded = store.LoadTextFile(path);
    if (loaded != (store.LineCount() > 0) || (loaded && store.CurrentLesson != -1)) {
        std::abort();
    }
    int total = 0;
    for (const auto& line : store.Lines) {
        if (line.empty() || line.size() > LEKCE::kLineWidth ||
            static_cast<unsigned char>(line.back()) < 32) {
            std::abort();
        }
        total += static_cast<int>(line.size()) + 1;
    }
    if (total != store.TotalChars) {
        std::abort();
    }
    std::string text;
    while (store.NextLine(text)) {
    }
    while (store.PreviousLine(text)) {
    }
    return 0;
}
