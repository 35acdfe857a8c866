#include "FeatureList.h"

#include "KeyRouter.h"
#include "MainWindowFeature.h"
#include "ModalPause.h"
#include "TypingEngine.h"
#include "TypingObserver.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>
#include <utility>

namespace {

// Notes whether a text began while it listened: a window that started one leaves the typing
// stopped, as the lesson dialog does.
class TextStartWatch final : public TypingObserver {
public:
    explicit TextStartWatch(TypingEngine& engine) : engine_(engine) { engine_.AddObserver(*this); }
    ~TextStartWatch() override { engine_.RemoveObserver(*this); }
    TextStartWatch(const TextStartWatch&) = delete;
    TextStartWatch& operator=(const TextStartWatch&) = delete;

    void TextBegun() override { begun_ = true; }
    [[nodiscard]] bool Begun() const { return begun_; }

private:
    TypingEngine& engine_;
    bool begun_ = false;
};

// "Konec" stays the last item of its menu, below its separator.
void AddToMenu(QMenu& menu, QAction* action) {
    const QList<QAction*> items = menu.actions();
    if (items.size() >= 2 && items.back()->objectName() == QStringLiteral("ActionClose") &&
        items[items.size() - 2]->isSeparator()) {
        menu.insertAction(items[items.size() - 2], action);
    } else {
        menu.addAction(action);
    }
}

} // namespace

FeatureList::FeatureList(std::vector<MainWindowFeature*> features)
    : features_(std::move(features)) {}

void FeatureList::Join(QMainWindow& window, TypingEngine& engine, KeyRouter& keys,
                       const std::function<void()>& relayout, Commands& commands,
                       const std::function<int(QDialog&)>& runModal,
                       const std::function<QFont()>& typingFont) {
    const auto runStopped = [&engine, &commands](const std::function<void()>& show) {
        ModalPause pause(engine, commands);
        const TextStartWatch watch(engine);
        show();
        if (watch.Begun()) {
            pause.KeepStopped();
        }
    };
    const FeatureHost host{.runModal =
                               [runStopped, runModal](QDialog& dialog) {
                                   int result = 0;
                                   runStopped([&] { result = runModal(dialog); });
                                   return result;
                               },
                           .runStopped = runStopped,
                           .typingFont = typingFont,
                           .beginText = [&engine] { engine.BeginText(); }};
    for (MainWindowFeature* feature : features_) {
        feature->SetRelayout(relayout);
        feature->SetHost(host);
        if (QWidget* panel = feature->CreatePanel(window.centralWidget())) {
            panels_.push_back(panel);
            keys.Watch(panel);
        }
        for (const auto& [menuName, action] : feature->CreateActions(&window)) {
            if (auto* menu = window.menuBar()->findChild<QMenu*>(menuName)) {
                AddToMenu(*menu, action);
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
