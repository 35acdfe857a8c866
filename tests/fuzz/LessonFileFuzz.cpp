// Reads any bytes as the lesson file of lessons 1 to 11 and checks the store afterwards.

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

void CheckStore(const LEKCE& store, bool loaded) {
    int total = 0;
    for (const auto& line : store.Lines) {
        if (line.empty() || line.size() > LEKCE::kLineWidth ||
            static_cast<unsigned char>(line.back()) < 32) {
            std::abort();
        }
        total += static_cast<int>(line.size()) + 1;
    }
    if (total != store.TotalChars || (loaded && store.LineNumber != 0)) {
        std::abort();
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WriteFuzzFile("KTOSCA.DAT", data, size);
    QuietReporter reporter;
    StillClock clock;
    SpeedMeter meter(clock);
    LEKCE store(FuzzDir().string(), reporter, meter);
    for (int n : {1, 2, 11}) {
        const bool loaded = store.LoadLesson(n, true);
        CheckStore(store, loaded);
        std::string text;
        while (store.NextLine(text)) {
        }
    }
    return 0;
}
