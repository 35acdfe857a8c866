// Reads any bytes as the lesson file of lessons 1 to 11 and checks the store afterwards.

#include "Clock.h"
#include "FuzzFiles.h"
#include "Lekce.h"
#include "Reporter.h"

#include <cstdlib>

namespace {
void CheckStore(const LEKCE& store, bool loaded) {
    CheckLines(store);
    if (loaded && store.LineNumber != 0) {
        std::abort();
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WriteFuzzFile("KTOSCA.DAT", data, size);
    QuietReporter reporter;
    LEKCE store(FuzzDir().string(), reporter);
    for (int n : {1, 2, 11}) {
        const bool loaded = store.LoadLesson(n, true);
        CheckStore(store, loaded);
        std::string text;
        while (store.NextLine(text)) {
        }
    }
    return 0;
}
