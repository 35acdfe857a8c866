#include "RecentErrors.h"

#include "HistoryQueries.h"
#include "Lekce.h"
#include "ProgressSeries.h"
#include "Reporter.h"

namespace {

// Texts that are only counted again tell the pupil nothing: a lesson file that is missing now
// was already reported when it was needed for typing.
class SilentReporter final : public Reporter {
public:
    void ReportError(const std::string& /*message*/) override {}
    void ReportInfo(const std::string& /*message*/) override {}
};

// Enough rows to find kTexts of one layout among texts typed on both.
constexpr int kRowsLookedAt = 40;

} // namespace

std::vector<RecordedErrors> RecentErrors::Read(const HistoryQueries& queries,
                                               const std::string& dataDir, bool qwertz) {
    std::vector<RecordedErrors> texts;
    SilentReporter reporter;
    for (const HistoryRecord& record :
         queries.Attempts(ProgressSeries::kAllTexts, nullptr, kRowsLookedAt)) {
        if (record.IsLesson() && record.qwertz != qwertz) {
            continue;
        }
        LEKCE text(dataDir, reporter);
        const bool loaded = record.IsLesson() ? text.LoadLesson(record.lesson, record.qwertz)
                                              : text.LoadTextFile(record.fileName);
        if (!loaded) {
            continue;
        }
        if (auto recorded = ErrorMap::Recorded(text.Lines, record.keystrokes, record.keyErrors)) {
            texts.push_back(std::move(*recorded));
            if (static_cast<int>(texts.size()) == kTexts) {
                break;
            }
        }
    }
    return texts;
}
