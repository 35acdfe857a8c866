#include "PracticeCommand.h"

#include "Cp1250.h"
#include "Lekce.h"
#include "LessonKeys.h"
#include "PracticeIntro.h"
#include "PracticeTextMaker.h"
#include "Reporter.h"
#include "SpeedMeter.h"
#include "TypingEngine.h"
#include "Vocabulary.h"
#include "WordList.h"

#include <fstream>
#include <utility>

namespace {

constexpr std::string_view kSuffixUtf8 = " procvičení: ";

std::string Text(std::string_view utf8) {
    return Cp1250::FromUtf8(utf8);
}

} // namespace

PracticeCommand::PracticeCommand(LEKCE& store, SpeedMeter& meter, TypingEngine& engine,
                                 Reporter& reporter, std::string wordListPath,
                                 std::string practicePath)
    : store_(store), meter_(meter), engine_(engine), reporter_(reporter),
      wordListPath_(std::move(wordListPath)), practicePath_(std::move(practicePath)) {}

bool PracticeCommand::Start(const std::vector<WeakKey>& weak, uint32_t seed) {
    const WordList words = WordList::Load(wordListPath_);
    if (words.State() != WordList::Status::Ready) {
        reporter_.ReportError(
            Text("Seznam slov pro procvičení (") + WordList::kFileName +
            Text(words.State() == WordList::Status::Missing
                     ? ") chybí. Text pro procvičení chyb nelze sestavit."
                     : ") je poškozený. Text pro procvičení chyb nelze sestavit."));
        return false;
    }

    PracticeRequest request;
    for (const WeakKey& key : weak) {
        request.weak += static_cast<char>(key.character);
    }
    request.lesson = store_.CurrentLesson >= 1 && store_.CurrentLesson <= LessonKeys::kLessons
                         ? store_.CurrentLesson
                         : PractisedLesson(store_, practicePath_);
    request.allowed = request.lesson > 0 ? LessonKeys::Taught(request.lesson, store_.Qwertz) : "";
    request.qwertz = store_.Qwertz;
    const PracticeText text = PracticeTextMaker::Make(Vocabulary(words.Words()), request, seed);
    if (text.status == PracticeText::Status::NoLetters) {
        reporter_.ReportInfo(Text("Nejčastější chyby nejsou v písmenech, a tak pro ně nelze "
                                  "vybrat slova. Procvičte je v lekci."));
        return false;
    }

    {
        std::ofstream file(practicePath_, std::ios::binary | std::ios::trunc);
        file << text.introLine << "\r\n";
        for (const std::string& line : text.lines) {
            file << line << "\r\n";
        }
        if (!file.flush()) {
            reporter_.ReportError(Text("Text pro procvičení nelze uložit do souboru ") +
                                  Cp1250::FromUtf8(practicePath_) + ".");
            return false;
        }
    }
    store_.LoadTextFile(practicePath_);
    meter_.Clear();
    engine_.BeginText();
    return true;
}

std::optional<std::string> PracticeCommand::CaptionSuffix(const LEKCE& store,
                                                          const std::string& practicePath) {
    if (store.CurrentLesson >= 0 || store.UserFileName != practicePath) {
        return std::nullopt;
    }
    const std::optional<PracticeIntro> intro = PracticeIntro::Parse(store.IntroLine);
    if (!intro) {
        return std::nullopt;
    }
    std::string suffix = Text(kSuffixUtf8);
    for (size_t i = 0; i < intro->practised.size(); ++i) {
        suffix += i == 0 ? "" : " ";
        suffix += intro->practised[i];
    }
    return suffix;
}

int PracticeCommand::PractisedLesson(const LEKCE& store, const std::string& practicePath) {
    return store.UserFileName == practicePath ? PracticeIntro::PractisedLesson(store) : 0;
}

bool PracticeCommand::BackToLesson() {
    const int lesson = PractisedLesson(store_, practicePath_);
    if (lesson == 0) {
        return false;
    }
    // Whatever the load returns, as the evaluation's next lesson: a failed load has told the
    // pupil why and leaves a text BeginText copes with.
    store_.LoadLesson(lesson, store_.Qwertz);
    meter_.Clear();
    engine_.BeginText();
    return true;
}
