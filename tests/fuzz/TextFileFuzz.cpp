// Reads any bytes as a pupil's own text file (code page 1250, UTF-8 or UTF-16, decoded and
// wrapped) and checks the store afterwards.

#include "Clock.h"
#include "FuzzFiles.h"
#include "Lekce.h"
#include "Reporter.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = WriteFuzzFile("own text.txt", data, size);
    QuietReporter reporter;
    LEKCE store(FuzzDir().string(), reporter);
    const bool loaded = store.LoadTextFile(path);
    if (loaded != (store.LineCount() > 0) || (loaded && store.CurrentLesson != -1)) {
        std::abort();
    }
    CheckLines(store);
    std::string text;
    while (store.NextLine(text)) {
    }
    while (store.PreviousLine(text)) {
    }
    return 0;
}
