#include "PracticeCommand.h"

#include "Cp1250.h"
#include "Lekce.h"
#include "LessonKeys.h"
#include "PracticeTextMaker.h"
#include "Reporter.h"
#include "TypingEngine.h"
#include "WordList.h"

#include <fstream>
#include <utility>

namespace {

constexpr std::string_view kSuffixUtf8 = " procvičení: ";

std::string Text(std::string_view utf8) {
    return Cp1250::FromUtf8(utf8);
}

} // namespace

PracticeCommand::PracticeCommand(LEKCE& store, TypingEngine& engine, Reporter& reporter,
                                 std::string wordListPath, std::string practicePath)
    : store_(store), engine_(engine), reporter_(reporter), wordListPath_(std::move(wordListPath)),
      practicePath_(std::move(practicePath)) {}

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

    std::string characters;
    for (const WeakKey& key : weak) {
        characters += static_cast<char>(key.character);
    }
    const bool lesson = store_.CurrentLesson >= 1 && store_.CurrentLesson <= LessonKeys::kLessons;
    const std::string allowed =
        lesson ? LessonKeys::Taught(store_.CurrentLesson, store_.Qwertz) : std::string();
    const PracticeText text =
        PracticeTextMaker::Make(words, characters, allowed, store_.Qwertz, seed);
    if (text.status == PracticeText::Status::NoLetters) {
        reporter_.ReportInfo(Text("Nejčastější chyby nejsou v písmenech, a tak pro ně nelze "
                                  "vybrat slova. Procvičte je v lekci."));
        return false;
    }
    if (text.status == PracticeText::Status::TooFewWords) {
        reporter_.ReportInfo(Text("Z kláves, které už znáte, nelze pro tyto znaky složit dost "
                                  "slov. Procvičte je v lekci."));
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
    engine_.BeginNewText();
    return true;
}

std::optional<std::string> PracticeCommand::CaptionSuffix(const LEKCE& store,
                                                          const std::string& practicePath) {
    const std::string prefix = Text(PracticeTextMaker::kIntroPrefixUtf8);
    if (store.CurrentLesson >= 0 || store.UserFileName != practicePath ||
        store.IntroLine.compare(0, prefix.size(), prefix) != 0) {
        return std::nullopt;
    }
    const std::string rest = store.IntroLine.substr(prefix.size());
    return Text(kSuffixUtf8) + rest.substr(0, rest.find(Text(PracticeTextMaker::kIntroTailUtf8)));
}
