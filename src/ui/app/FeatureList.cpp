#include "FeatureList.h"

#include "KeyRouter.h"
#include "MainWindowFeature.h"
#include "TypingEngine.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>
#include <utility>

FeatureList::FeatureList(std::vector<MainWindowFeature*> features)
    : features_(std::move(features)) {}

void FeatureList::Join(QMainWindow& window, TypingEngine& engine, KeyRouter& keys,
                       const std::function<void()>& relayout) {
    for (MainWindowFeature* feature : features_) {
        feature->SetRelayout(relayout);
        if (QWidget* panel = feature->CreatePanel(window.centralWidget())) {
            panels_.push_back(panel);
            keys.Watch(panel);
        }
        for (const auto& [menuName, action] : feature->CreateActions(&window)) {
            if (auto* menu = window.menuBar()->findChild<QMenu*>(menuName)) {
                menu->addAction(action);
            }
            window.addAction(action);
        }
        if (TypingObserver* observer = feature->Observer()) {
            engine.AddObserver(*observer);
        }
    }
}

void FeatureList::Leave(TypingEngine& engine) const {
    for (MainWindowFeature* feature : features_) {
        if (TypingObserver* observer = feature->Observer()) {
            engine.RemoveObserver(*observer);
        }
    }
}

void FeatureList::PrepareLessonDialog(TFormLekce& dialog) const {
    for (MainWindowFeature* feature : features_) {
        feature->PrepareLessonDialog(dialog);
    }
}

void FeatureList::ReadSettings(const IniFile& ini) const {
    for (MainWindowFeature* feature : features_) {
        feature->ReadSettings(ini);
    }
}

void FeatureList::WriteSettings(IniFile& ini) const {
    for (const MainWindowFeature* feature : features_) {
        feature->WriteSettings(ini);
    }
}

void FeatureList::AddToEvaluation(TFormKonec& evaluation, TypingEngine& engine) const {
    for (MainWindowFeature* feature : features_) {
        feature->AddToEvaluation(evaluation, engine);
    }
}

std::optional<std::string> FeatureList::CaptionSuffix() const {
    for (const MainWindowFeature* feature : features_) {
        if (auto suffix = feature->CaptionSuffix()) {
            return suffix;
        }
    }
    return std::nullopt;
}

bool FeatureList::ShowsIntroLine() const {
    return std::any_of(features_.begin(), features_.end(),
                       [](const MainWindowFeature* feature) { return feature->ShowsIntroLine(); });
}

std::vector<FeatureOption> FeatureList::Options() const {
    std::vector<FeatureOption> options;
    for (MainWindowFeature* feature : features_) {
        for (FeatureOption& option : feature->Options()) {
            options.push_back(std::move(option));
        }
    }
    return options;
}
