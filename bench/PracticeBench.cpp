// The cost of counting errors per key on a keystroke, of making a practice text with the word
// list loaded from the disk, and of one question to the vocabulary the list holds.

#include "Cp1250.h"
#include "ErrorCounter.h"
#include "FakeClock.h"
#include "LessonKeys.h"
#include "PracticeTextMaker.h"
#include "SpeedMeter.h"
#include "Vocabulary.h"
#include "WordList.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void BM_ErrorCounterPerKeystroke(benchmark::State& state) {
    FakeClock clock;
    SpeedMeter meter(clock);
    meter.Clear();
    meter.lineKeystrokes = 1; // in the middle of a line
    ErrorCounter counter(meter);
    unsigned char c = 'a';
    int n = 0;
    for (auto _ : state) {
        counter.KeyChecked(c, (n & 15) == 0 ? 's' : c, (n & 15) != 0);
        c = static_cast<unsigned char>('a' + (++n % 26));
        if (n % 60 == 0) {
            meter.lineKeystrokes = 0; // a new line
            counter.NextCharacter(c);
            meter.lineKeystrokes = 1;
        }
    }
    benchmark::DoNotOptimize(counter.Counts());
}
BENCHMARK(BM_ErrorCounterPerKeystroke);

void BM_PracticeTextWithWordListLoad(benchmark::State& state) {
    const std::string path = std::string(KLAPTOS_BIN_DIR) + "/slova.txt";
    const bool lesson = state.range(0) != 0;
    const std::string allowed = lesson ? LessonKeys::Taught(12, true) : std::string();
    uint32_t seed = 1;
    for (auto _ : state) {
        const WordList words = WordList::Load(path);
        const PracticeText text = PracticeTextMaker::Make(
            Vocabulary(words.Words()),
            {.weak = "ruy", .allowed = allowed, .lesson = lesson ? 12 : 0}, seed++);
        benchmark::DoNotOptimize(text.lines.data());
    }
    state.SetLabel(lesson ? "lesson 12" : "own text");
}
BENCHMARK(BM_PracticeTextWithWordListLoad)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_VocabularyWordsOfAFocusCharacter(benchmark::State& state) {
    const WordList words = WordList::Load(std::string(KLAPTOS_BIN_DIR) + "/slova.txt");
    const Vocabulary vocabulary(words.Words());
    VocabularyQuery query;
    query.keys = LessonKeys::Taught(31, true);
    query.focus = static_cast<unsigned char>(Cp1250::FromUtf8("č")[0]);
    query.limit = PracticeTextMaker::kWordChoice;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vocabulary.Find(query).data());
    }
}
BENCHMARK(BM_VocabularyWordsOfAFocusCharacter)->Unit(benchmark::kMicrosecond);

} // namespace
