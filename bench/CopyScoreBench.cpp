// The evaluation of a 20-minute timed copy: 8,000 keystrokes typed with an error every few
// dozen words of each kind, and the worst case of a text that matches the copy nowhere.

#include "CopyScore.h"
#include "CopyText.h"
#include "KeyboardLayout.h"
#include "KeystrokeNorm.h"
#include "WordList.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kKeystrokes = 8000;

// A copy of real Czech words, in paragraphs of 60.
CopyText MakeCopy(const WordList& list, std::mt19937& random) {
    CopyText copy{"Opis", {}};
    std::string paragraph;
    for (int i = 0; i < 1800; ++i) {
        const std::string_view word = list.Words()[random() % list.Words().size()];
        paragraph += (paragraph.empty() ? "" : " ") + std::string(word);
        if (i % 60 == 59) {
            copy.paragraphs.push_back(paragraph);
            paragraph.clear();
        }
    }
    return copy;
}

// The copy typed until `kKeystrokes`, with one error of a kind every 25 words when `errors`,
// or words from elsewhere in the list throughout when not.
std::string MakeTyped(const CopyText& copy, const WordList& list, bool errors,
                      std::mt19937& random) {
    const std::vector<std::string_view> words = copy.Words();
    const KeystrokeNorm norm(KeyboardLayout::Qwertz());
    std::string typed;
    for (std::size_t i = 0; norm.Count(typed) < kKeystrokes; ++i) {
        std::string word(words[i % words.size()]);
        if (!errors) {
            word = std::string(list.Words()[random() % list.Words().size()]) + "x";
        } else if (i % 25 == 24) {
            switch ((i / 25) % 5) {
            case 0:
                word[0] = word[0] == 'a' ? 'b' : 'a'; // a wrong letter
                break;
            case 1:
                i += 6; // a run of missing words
                break;
            case 2:
                word += " navíc"; // an extra word
                break;
            case 3:
                if (word.size() > 1) {
                    std::swap(word[0], word[1]); // a transposition
                }
                break;
            default:
                word += "\n"; // an Enter
                break;
            }
        }
        typed += (typed.empty() ? "" : " ") + word;
    }
    return typed;
}

void BM_CopyEvaluation(benchmark::State& state) {
    const WordList list = WordList::Load(std::string(KLAPTOS_BIN_DIR) + "/slova.txt");
    std::mt19937 random(7);
    const CopyText copy = MakeCopy(list, random);
    const bool errors = state.range(0) != 0;
    const std::string typed = MakeTyped(copy, list, errors, random);
    int found = 0;
    for (auto _ : state) {
        const CopyOutcome outcome =
            CopyScore::Evaluate(copy, typed, 20, CopyRules::School, KeyboardLayout::Qwertz());
        found = outcome.result.errors;
        benchmark::DoNotOptimize(outcome.words.data());
    }
    state.SetLabel(std::to_string(KeystrokeNorm(KeyboardLayout::Qwertz()).Count(typed)) +
                   " keystrokes, " + std::to_string(found) + " errors" +
                   (errors ? "" : " (no word matches the copy)"));
}
BENCHMARK(BM_CopyEvaluation)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace
