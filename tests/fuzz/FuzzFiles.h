#pragma once
// What the fuzz targets share: a scratch directory in memory, so that each run writes its
// input as a real file without touching the disk, quiet stand-ins for the report window
// and the clock, and the lesson store's promises about its lines.

#include "Clock.h"
#include "Lekce.h"
#include "Reporter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

inline const std::filesystem::path& FuzzDir() {
    static const std::filesystem::path dir = [] {
        std::filesystem::path base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : "/tmp";
        auto d = base / ("klaptos-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

inline std::string WriteFuzzFile(const std::string& name, const uint8_t* data, size_t size) {
    const auto path = (FuzzDir() / name).string();
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return path;
}

struct QuietReporter final : Reporter {
    void ReportError(const std::string&) override {}
    void ReportInfo(const std::string&) override {}
};

struct StillClock final : Clock {
    uint32_t TickCount() const override { return 1000; }
};

// Every line holds 1 to 69 characters and ends in a printable one, and the total counts
// each line with its Enter; anything else aborts the run.
inline void CheckLines(const LEKCE& store) {
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
}
