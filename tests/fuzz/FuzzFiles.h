#pragma once
// A scratch directory in memory for the fuzz targets, so that each run writes its input
// as a real file without touching the disk.

#include <cstdint>
#include <cstdio>
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
