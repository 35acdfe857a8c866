#include "WordAlignment.h"

#include "LetterDiff.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <unordered_map>

namespace {

// A cost is its errors first, then a tie-break between alignments with as many errors: how
// unlike the copy the wrong words are, how many words a missing run leaves out.
using Cost = std::int64_t;
constexpr Cost kError = Cost{1} << 32;
constexpr Cost kInfinite = std::numeric_limits<Cost>::max() / 4;
constexpr Cost kPerMissingWord = 2;
constexpr Cost kMerged = 1;
constexpr Cost kSplit = 3;
constexpr Cost kMostUnlike = 60;

enum class Step : std::uint8_t { Start, Same, Unfinished, Wrong, Merged, Split, Extra, Missing };

// How unlike two different words are: the letters between their common beginning and end.
Cost Unlikeness(std::string_view a, std::string_view b) {
    const std::size_t shorter = std::min(a.size(), b.size());
    std::size_t same = 0;
    while (same < shorter && a[same] == b[same]) {
        ++same;
    }
    std::size_t tail = 0;
    while (tail < shorter - same && a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) {
        ++tail;
    }
    const auto unlike = static_cast<Cost>(std::max(a.size(), b.size()) - same - tail);
    return std::min(2 * std::max<Cost>(unlike, 1), kMostUnlike);
}

bool IsJoinOf(std::string_view whole, std::string_view first, std::string_view second) {
    return whole.size() == first.size() + second.size() && whole.starts_with(first) &&
           whole.ends_with(second);
}

class Aligner {
public:
    Aligner(const std::vector<std::string_view>& copy, const TypedWords& typed)
        : copy_(copy), typed_(typed), n_(static_cast<int>(typed.words.size())) {
        std::unordered_map<std::string_view, int> ids;
        for (const std::string_view word : copy_) {
            copyIds_.push_back(ids.try_emplace(word, static_cast<int>(ids.size())).first->second);
        }
        for (const TypedWord& word : typed_.words) {
            const auto found = ids.find(word.text);
            typedIds_.push_back(found == ids.end() ? -1 : found->second);
        }
    }

    std::vector<AlignedWord> Run() {
        const auto cells = static_cast<std::size_t>(n_ + 1) * kWidth;
        best_.assign(cells, kInfinite);
        gap_.assign(cells, kInfinite);
        step_.assign(cells, Step::Start);
        gapOpened_.assign(cells, false);
        lo_.assign(static_cast<std::size_t>(n_ + 1), 0);
        for (int i = 0; i <= n_; ++i) {
            lo_[i] = i == 0 ? 0 : std::max(0, BestInRow(i - 1) + 1 - WordAlignment::kBehind);
            FillRow(i);
        }
        return TraceBack(BestInRow(n_));
    }

private:
    static constexpr int kWidth = WordAlignment::kBehind + WordAlignment::kAhead + 1;

    [[nodiscard]] std::string_view CopyWord(int j) const {
        return copy_[static_cast<std::size_t>(j) % copy_.size()];
    }
    [[nodiscard]] int CopyId(int j) const {
        return copyIds_[static_cast<std::size_t>(j) % copy_.size()];
    }
    [[nodiscard]] std::string_view Typed(int i) const { return typed_.words[i].text; }

    // The cell of typed words [0, i) against copy words [0, j); -1 outside row i's window.
    [[nodiscard]] std::ptrdiff_t Cell(int i, int j) const {
        const int k = j - lo_[i];
        if (k < 0 || k >= kWidth) {
            return -1;
        }
        return static_cast<std::ptrdiff_t>(i) * kWidth + k;
    }
    [[nodiscard]] Cost Best(int i, int j) const {
        const std::ptrdiff_t cell = Cell(i, j);
        return cell < 0 ? kInfinite : best_[cell];
    }

    [[nodiscard]] int BestInRow(int i) const {
        int bestJ = lo_[i];
        Cost lowest = kInfinite;
        for (int k = 0; k < kWidth; ++k) {
            const Cost cost = best_[static_cast<std::size_t>(i) * kWidth + k];
            if (cost < lowest) {
                lowest = cost;
                bestJ = lo_[i] + k;
            }
        }
        return bestJ;
    }

    // Typed word i in the place of copy word j.
    [[nodiscard]] std::pair<Cost, Step> InPlaceOf(int i, int j) const {
        if (typedIds_[i] == CopyId(j)) {
            return {0, Step::Same};
        }
        const std::string_view typed = Typed(i);
        const std::string_view copy = CopyWord(j);
        if (i == n_ - 1 && !typed_.lastFinished && !typed.empty() && copy.starts_with(typed)) {
            return {1, Step::Unfinished};
        }
        return {kError + Unlikeness(typed, copy), Step::Wrong};
    }

    void Consider(Cost from, Cost cost, Step step, Cost& best, Step& bestStep) const {
        if (from < kInfinite && from + cost < best) {
            best = from + cost;
            bestStep = step;
        }
    }

    void FillRow(int i) {
        for (int k = 0; k < kWidth; ++k) {
            const int j = lo_[i] + k;
            const std::size_t cell = static_cast<std::size_t>(i) * kWidth + k;
            Cost best = i == 0 && j == 0 ? 0 : kInfinite;
            Step step = Step::Start;
            if (i >= 1 && j >= 1) {
                const auto [cost, how] = InPlaceOf(i - 1, j - 1);
                Consider(Best(i - 1, j - 1), cost, how, best, step);
            }
            if (i >= 1 && j >= 2 && IsJoinOf(Typed(i - 1), CopyWord(j - 2), CopyWord(j - 1))) {
                Consider(Best(i - 1, j - 2), kError + kMerged, Step::Merged, best, step);
            }
            if (i >= 2 && j >= 1 && typed_.words[i - 2].entersAfter == 0 && !Typed(i - 2).empty() &&
                !Typed(i - 1).empty() && IsJoinOf(CopyWord(j - 1), Typed(i - 2), Typed(i - 1))) {
                Consider(Best(i - 2, j - 1), kError + kSplit, Step::Split, best, step);
            }
            if (i >= 1) {
                const auto extra = static_cast<Cost>(2 * Typed(i - 1).size() + 2);
                Consider(Best(i - 1, j), kError + std::min(extra, kMostUnlike), Step::Extra, best,
                         step);
            }
            if (k >= 1) {
                // A run of missing words costs one error however long it is.
                const Cost open = best_[cell - 1] < kInfinite
                                      ? best_[cell - 1] + kError + kPerMissingWord
                                      : kInfinite;
                const Cost extend =
                    gap_[cell - 1] < kInfinite ? gap_[cell - 1] + kPerMissingWord : kInfinite;
                gap_[cell] = std::min(open, extend);
                gapOpened_[cell] = open < extend;
                if (gap_[cell] < best) {
                    best = gap_[cell];
                    step = Step::Missing;
                }
            }
            best_[cell] = best;
            step_[cell] = step;
        }
    }

    void AddEnters(int i, std::vector<AlignedWord>& out) const {
        for (int e = 0; e < typed_.words[i].entersAfter; ++e) {
            out.push_back({WordMark::Enter, {}, {}, true, {}});
        }
    }

    // The steps of the best alignment, from its end back to its start, then turned round.
    std::vector<AlignedWord> TraceBack(int j) const {
        std::vector<AlignedWord> out;
        int i = n_;
        bool inGap = false;
        while (i > 0 || j > 0) {
            const auto cell = static_cast<std::size_t>(Cell(i, j));
            if (inGap) {
                out.push_back(
                    {WordMark::Missing, {}, std::string(CopyWord(j - 1)), gapOpened_[cell], {}});
                inGap = !gapOpened_[cell];
                --j;
                continue;
            }
            switch (step_[cell]) {
            case Step::Same:
            case Step::Unfinished:
            case Step::Wrong: {
                AddEnters(i - 1, out);
                AlignedWord word{WordMark::Right,
                                 std::string(Typed(i - 1)),
                                 std::string(CopyWord(j - 1)),
                                 false,
                                 {}};
                if (step_[cell] == Step::Unfinished) {
                    word.mark = WordMark::Unfinished;
                } else if (step_[cell] == Step::Wrong) {
                    word.mark = WordMark::Wrong;
                    word.error = true;
                }
                out.push_back(std::move(word));
                --i, --j;
                break;
            }
            case Step::Merged:
                AddEnters(i - 1, out);
                out.push_back({WordMark::Wrong,
                               std::string(Typed(i - 1)),
                               std::string(CopyWord(j - 2)) + ' ' + std::string(CopyWord(j - 1)),
                               true,
                               {}});
                --i, j -= 2;
                break;
            case Step::Split:
                AddEnters(i - 1, out);
                out.push_back({WordMark::Wrong,
                               std::string(Typed(i - 2)) + ' ' + std::string(Typed(i - 1)),
                               std::string(CopyWord(j - 1)),
                               true,
                               {}});
                i -= 2, --j;
                break;
            case Step::Extra:
                AddEnters(i - 1, out);
                out.push_back({WordMark::Extra, std::string(Typed(i - 1)), {}, true, {}});
                --i;
                break;
            case Step::Missing:
                inGap = true;
                break;
            case Step::Start:
                i = 0, j = 0;
                break;
            }
        }
        for (int e = 0; e < typed_.leadingEnters; ++e) {
            out.push_back({WordMark::Enter, {}, {}, true, {}});
        }
        std::reverse(out.begin(), out.end());
        for (AlignedWord& word : out) {
            if (word.mark == WordMark::Wrong) {
                word.wrongLetters = LetterDiff::WrongLetters(word.typed, word.copy);
            }
        }
        return out;
    }

    const std::vector<std::string_view>& copy_;
    const TypedWords& typed_;
    int n_;
    std::vector<int> copyIds_;
    std::vector<int> typedIds_; // -1 for a word the copy does not have
    std::vector<int> lo_;       // the first copy position of each row's window
    std::vector<Cost> best_;    // the cheapest alignment of each cell
    std::vector<Cost> gap_;     // the cheapest one that ends in a run of missing words
    std::vector<Step> step_;
    std::vector<bool> gapOpened_; // the run begins at this cell's word
};

} // namespace

std::vector<AlignedWord> WordAlignment::Align(const std::vector<std::string_view>& copy,
                                              const TypedWords& typed) {
    if (copy.empty()) {
        return {};
    }
    return Aligner(copy, typed).Run();
}
