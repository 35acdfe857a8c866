// Loading the text store: the largest lesson from the lesson files, and a 10 MB user file.

#include "Cp1250.h"
#include "Lekce.h"
#include "RecordingReporter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

// A scratch directory that lives for the whole benchmark run.
struct Scratch {
    Scratch() {
        std::string pattern = (fs::temp_directory_path() / "klaptos-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        dir = pattern;
    }
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
    fs::path dir;
};

const fs::path& ScratchDir() {
    static const Scratch scratch;
    return scratch.dir;
}

// Lesson files of 44 lessons with 40 lines of drill each, as the staged ones would be
// when the build has not staged any.
std::string LessonDir() {
    const fs::path staged = KLAPTOS_BIN_DIR;
    if (fs::exists(staged / "KTOSCA.DAT") && fs::exists(staged / "KTOSCC.DAT")) {
        return staged.string();
    }
    const fs::path dir = ScratchDir() / "lessons";
    fs::create_directories(dir);
    for (const char* file : {"KTOSCA.DAT", "KTOSCBY.DAT", "KTOSCBZ.DAT", "KTOSCC.DAT"}) {
        std::ofstream out(dir / file, std::ios::binary);
        out << Cp1250::FromUtf8("Lekce psaní všemi deseti\r\n\r\n");
        for (int n = 1; n <= 44; ++n) {
            char marker[16];
            std::snprintf(marker, sizeof marker, "$LEKCE:%02d", n);
            out << marker << "\r\nLekce " << n
                << Cp1250::FromUtf8(": nové klávesy a opakování\r\n");
            for (int line = 0; line < 40; ++line) {
                out << "fff jjj ddd kkk sss lll aaa ;;; fjf jfj dkd kdk sls lsl a;a ;a; ff jj\r\n";
            }
            out << "\r\n";
        }
    }
    return dir.string();
}

// The lesson with the most keystrokes.
int LargestLesson(LEKCE& store) {
    int largest = 1;
    int32_t most = -1;
    for (int n = 1; n <= 44; ++n) {
        if (store.LoadLesson(n, true) && store.TotalChars >= most) {
            most = store.TotalChars;
            largest = n;
        }
    }
    return largest;
}

void LoadOneLesson(benchmark::State& state, int n) {
    RecordingReporter reporter;
    LEKCE store(LessonDir(), reporter);
    if (n == 0) {
        n = LargestLesson(store);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.LoadLesson(n, true));
    }
    state.SetLabel("lesson " + std::to_string(n) + ", " + std::to_string(store.LineCount()) +
                   " lines, " + std::to_string(store.TotalChars) + " keystrokes");
}

void LoadLargestLesson(benchmark::State& state) {
    LoadOneLesson(state, 0);
}
BENCHMARK(LoadLargestLesson)->Unit(benchmark::kMicrosecond);

// The marker search reads the most for the last lesson of the largest file.
void LoadLastLesson(benchmark::State& state) {
    LoadOneLesson(state, 44);
}
BENCHMARK(LoadLastLesson)->Unit(benchmark::kMicrosecond);

// 10 MB of ordinary Czech prose in code page 1250, lines of 50 to 70 characters.
std::string TenMegabyteFile() {
    const fs::path path = ScratchDir() / "ten.txt";
    if (!fs::exists(path)) {
        const std::string sentence =
            Cp1250::FromUtf8("Příliš žluťoučký kůň úpěl ďábelské ódy a pak");
        std::ofstream out(path, std::ios::binary);
        out << Cp1250::FromUtf8("Dlouhý text na procvičení\r\n");
        std::size_t written = 0;
        for (int i = 0; written < (10u << 20); ++i) {
            const std::string line = sentence + " " + std::to_string(i % 100000) + ".\r\n";
            out << line;
            written += line.size();
        }
    }
    return path.string();
}

void LoadTenMegabyteUserFile(benchmark::State& state) {
    const std::string path = TenMegabyteFile();
    RecordingReporter reporter;
    LEKCE store("", reporter);
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.LoadTextFile(path));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(path)));
    state.SetLabel(std::to_string(store.LineCount()) + " lines");
}
BENCHMARK(LoadTenMegabyteUserFile)->Unit(benchmark::kMillisecond);

} // namespace
