#include "PracticeFeature.h"

#include "BackToLessonPanel.h"
#include "KeyboardFingerNames.h"
#include "KeyboardLayout.h"
#include "Lekce.h"
#include "PracticeCommand.h"
#include "TFormKonec.h"
#include "WeakKeys.h"
#include "WeakKeysPanel.h"

#include <filesystem>
#include <random>
#include <system_error>
#include <utility>

PracticeFeature::PracticeFeature(LEKCE& store, SpeedMeter& meter, Reporter& reporter,
                                 std::string wordListPath, std::string practicePath)
    : store_(store), meter_(meter), reporter_(reporter), wordListPath_(std::move(wordListPath)),
      practicePath_(std::move(practicePath)), errors_(meter) {}

void PracticeFeature::ReadSettings(const IniFile& ini) {
    errors_.LoadErrors(ini);
}

void PracticeFeature::WriteSettings(IniFile& ini) const {
    errors_.SaveErrors(ini);
}

void PracticeFeature::AddToEvaluation(TFormKonec& evaluation, TypingEngine& engine) {
    AddWeakKeys(evaluation, engine);
    AddBackToLesson(evaluation, engine);
}

PracticeCommand PracticeFeature::Command(TypingEngine& engine) {
    return {store_, meter_, engine, reporter_, wordListPath_, practicePath_};
}

void PracticeFeature::AddWeakKeys(TFormKonec& evaluation, TypingEngine& engine) {
    const std::vector<WeakKey> weak = WeakKeys::Rank(errors_.Counts());
    if (weak.empty()) {
        return;
    }
    auto* panel = new WeakKeysPanel(&evaluation);
    panel->SetWeakKeys(weak, KeyboardFingerNames(KeyboardLayout::Of(store_.Qwertz)));
    evaluation.AddPart(panel);
    QObject::connect(panel, &WeakKeysPanel::practiseRequested, &evaluation,
                     [this, panel, &evaluation, &engine] {
                         // A folder that cannot be made shows up as the file's write error.
                         std::error_code ignored;
                         std::filesystem::create_directories(
                             std::filesystem::path(practicePath_).parent_path(), ignored);
                         if (Command(engine).Start(panel->Keys(), std::random_device{}())) {
                             evaluation.FinishWithPractice();
                         }
                     });
}

void PracticeFeature::AddBackToLesson(TFormKonec& evaluation, TypingEngine& engine) {
    const int lesson = PracticeCommand::PractisedLesson(store_, practicePath_);
    if (lesson == 0) {
        return;
    }
    auto* panel = new BackToLessonPanel(lesson, &evaluation);
    evaluation.AddPart(panel);
    QObject::connect(panel, &BackToLessonPanel::backRequested, &evaluation,
                     [this, &evaluation, &engine] {
                         if (Command(engine).BackToLesson()) {
                             evaluation.FinishWithPractice();
                         }
                     });
}

std::optional<std::string> PracticeFeature::CaptionSuffix() const {
    return PracticeCommand::CaptionSuffix(store_, practicePath_);
}

std::optional<int> PracticeFeature::PractisedLesson() const {
    if (store_.CurrentLesson >= 0 || store_.UserFileName != practicePath_) {
        return std::nullopt;
    }
    return PracticeCommand::PractisedLesson(store_, practicePath_);
}
