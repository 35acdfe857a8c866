#include "KeyboardFeature.h"

#include "KeyTintSource.h"

#include "ErrorCounter.h"
#include "HeatScale.h"
#include "HistoryThread.h"
#include "IniFile.h"
#include "KeyColours.h"
#include "KeyboardPanel.h"
#include "KeyboardView.h"
#include "Lekce.h"
#include "ProgramTrace.h"
#include "QtHint.h"
#include "QtText.h"
#include "RecentErrors.h"
#include "Settings.h"
#include "TypingLine.h"

#include <QAction>

#include <array>
#include <map>

namespace {

// Wide enough for a large font's typing line, not so wide that a maximized window on a large
// screen has no room left for the keys' height.
constexpr int kMaxPanelWidth = 1000;

constexpr std::array<HeatStep, HeatScale::kSteps> kHeatSteps{
    HeatStep::NoData, HeatStep::Clean, HeatStep::Low,
    HeatStep::Medium, HeatStep::High,  HeatStep::Severe,
};

// Shift and AltGr are steps of a character like its key: they get their own colours.
bool TakesTint(KeyRole role) {
    return role == KeyRole::Character || role == KeyRole::Space || role == KeyRole::Enter ||
           role == KeyRole::Shift || role == KeyRole::AltGr;
}

} // namespace

KeyboardFeature::KeyboardFeature(const LEKCE& store, const ErrorCounter* errors,
                                 HistoryThread* history, ProgramTrace* trace)
    : store_(store), errors_(errors), history_(history), trace_(trace),
      shown_(Settings::Keyboard.def != 0) {}

QWidget* KeyboardFeature::CreatePanel(QWidget* parent) {
    panel_ = new KeyboardPanel(parent);
    panel_->setObjectName(QStringLiteral("KeyboardPanel"));
    panel_->setMaximumWidth(kMaxPanelWidth);
    panel_->setHidden(!shown_);
    panel_->View().SetKeyClicked([this](int key) {
        if (tintSource_ != nullptr) {
            tintSource_->KeyClicked(panel_->View().Layout(), key);
        }
    });
    return panel_;
}

std::vector<std::pair<QString, QAction*>> KeyboardFeature::CreateActions(QWidget* window) {
    keyboardAction_ = new QAction(QString::fromUtf8("&Klávesnice"), window);
    keyboardAction_->setObjectName(QStringLiteral("ActionKlavesnice"));
    keyboardAction_->setCheckable(true);
    keyboardAction_->setChecked(shown_);
    keyboardAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    keyboardAction_->setShortcutContext(Qt::WindowShortcut);
    SetHint(keyboardAction_, QString::fromUtf8("Zobrazit klávesnici | Zobrazit pod řádkem psaní "
                                               "klávesnici s klávesou a prstem pro další znak"));
    QObject::connect(keyboardAction_, &QAction::toggled, window, [this](bool on) { SetShown(on); });

    heatAction_ = new QAction(QString::fromUtf8("&Mapa chyb"), window);
    heatAction_->setObjectName(QStringLiteral("ActionMapaChyb"));
    heatAction_->setCheckable(true);
    heatAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    heatAction_->setShortcutContext(Qt::WindowShortcut);
    heatAction_->setEnabled(shown_ && errors_ != nullptr);
    SetHint(heatAction_, QString::fromUtf8("Mapa chyb na klávesnici | Obarvit klávesy podle "
                                           "podílu chyb v tomto a posledních pěti textech"));
    QObject::connect(heatAction_, &QAction::toggled, window, [this](bool on) { SetHeatMap(on); });
    return {{QStringLiteral("MenuPsani"), keyboardAction_},
            {QStringLiteral("MenuPsani"), heatAction_}};
}

void KeyboardFeature::ReadSettings(const IniFile& ini) {
    // Before the window is first laid out: the layout takes the panel as it finds it.
    shown_ = Settings::Keyboard.ReadBool(ini);
    if (panel_ != nullptr) {
        panel_->setHidden(!shown_);
    }
    if (keyboardAction_ != nullptr) {
        const QSignalBlocker quiet(keyboardAction_);
        keyboardAction_->setChecked(shown_);
        heatAction_->setEnabled(shown_ && errors_ != nullptr);
    }
}

void KeyboardFeature::WriteSettings(IniFile& ini) const {
    Settings::Keyboard.WriteBool(ini, shown_);
}

std::vector<FeatureOption> KeyboardFeature::Options() {
    return {{QString::fromUtf8("Zobrazovat klávesnici"), [this] { return shown_; },
             [this](bool on) { SetShown(on); }}};
}

void KeyboardFeature::SetShown(bool shown) {
    if (shown == shown_) {
        return;
    }
    shown_ = shown;
    if (keyboardAction_ != nullptr) {
        const QSignalBlocker quiet(keyboardAction_);
        keyboardAction_->setChecked(shown_);
        heatAction_->setEnabled(shown_ && errors_ != nullptr);
    }
    if (panel_ == nullptr) {
        return;
    }
    if (shown_) {
        // The panel heard nothing while it was hidden.
        ShowText();
        panel_->NextCharacter(next_);
    }
    panel_->setHidden(!shown_);
    if (relayout_) {
        relayout_();
    }
}

void KeyboardFeature::SetHeatMap(bool on) {
    heatMap_ = on;
    if (heatAction_ != nullptr) {
        const QSignalBlocker quiet(heatAction_);
        heatAction_->setChecked(on);
    }
    if (panel_ != nullptr && shown_) {
        RefreshHeat();
        Relayout();
        AskHistory();
    }
}

void KeyboardFeature::AskHistory() {
    if (history_ == nullptr || !heatMap_ || errors_ == nullptr) {
        return;
    }
    const bool qwertz = store_.Qwertz;
    const int question = ++questions_;
    history_->Ask<std::vector<RecordedErrors>>(
        panel_,
        [dataDir = store_.DataDir(), qwertz](const HistoryQueries& queries) {
            return RecentErrors::Read(queries, dataDir, qwertz);
        },
        [this, question, qwertz](std::vector<RecordedErrors> texts) {
            if (question != questions_) {
                return;
            }
            recent_ = std::move(texts);
            recentQwertz_ = qwertz;
            if (heatMap_ && shown_) {
                RefreshHeat();
            }
        });
}

void KeyboardFeature::ShowText() {
    panel_->SetLayout(store_.Qwertz);
    panel_->SetIntroLine(store_.IntroLine);
    RefreshHeat();
    // A text begun or the keyboard shown again: the last text finished may have joined the
    // history since it was last read.
    AskHistory();
}

void KeyboardFeature::RefreshTints() {
    if (panel_ != nullptr && shown_) {
        RefreshHeat();
        Relayout();
    }
}

bool KeyboardFeature::ShowSourceTints() {
    KeyboardView& view = panel_->View();
    std::optional<KeyTints> source =
        tintSource_ != nullptr ? tintSource_->Tints(view.Layout(), view.palette()) : std::nullopt;
    if (!source) {
        return false;
    }
    view.SetLegend(std::move(source->legend));
    if (source->tints != heatTints_ || &view.Layout() != heatLayout_) {
        heatTints_ = std::move(source->tints);
        heatLayout_ = &view.Layout();
        view.SetKeyTints(heatTints_);
    }
    return true;
}

void KeyboardFeature::RefreshHeat() {
    if (ShowSourceTints()) {
        return;
    }
    KeyboardView& view = panel_->View();
    if (!heatMap_ || errors_ == nullptr) {
        view.SetLegend({});
        if (heatLayout_ != nullptr) {
            heatTints_.clear();
            heatLayout_ = nullptr;
            view.SetKeyTints({});
        }
        return;
    }
    const KeyboardLayout& layout = view.Layout();
    const QColor ink = view.palette().color(QPalette::ButtonText);
    const auto fill = [&](HeatStep step) {
        const uint32_t rgb = HeatScale::Colour(step);
        return rgb == 0 ? view.palette().color(QPalette::Button)
                        : KeyColours::Readable(QColor::fromRgb(rgb), ink);
    };
    std::map<int, QColor> tints;
    for (std::size_t key = 0; key < layout.Keys().size(); ++key) {
        if (TakesTint(layout.Keys()[key].role)) {
            tints[static_cast<int>(key)] = fill(HeatStep::NoData);
        }
    }
    ErrorMap map(layout);
    if (recentQwertz_ == layout.IsQwertz()) {
        for (const RecordedErrors& text : recent_) {
            map.Add(text);
        }
    }
    map.Add(errors_->Counts());
    for (const auto& [key, step] : map.Steps()) {
        tints[key] = fill(step);
    }
    std::vector<std::pair<QColor, QString>> legend;
    for (const HeatStep step : kHeatSteps) {
        legend.emplace_back(fill(step), QtText::FromCp1250(HeatScale::Legend(step)));
    }
    view.SetLegend(std::move(legend));
    // Every key's picture is drawn again with new tints: only when a colour changed.
    if (tints != heatTints_ || &layout != heatLayout_) {
        heatTints_ = tints;
        heatLayout_ = &layout;
        view.SetKeyTints(tints);
    }
}

void KeyboardFeature::Relayout() const {
    // Before the window is on the screen its first layout places the panel anyway.
    if (relayout_ && panel_->isVisible() &&
        panel_->heightForWidth(panel_->width()) != panel_->height()) {
        relayout_();
    }
}

void KeyboardFeature::NextCharacter(unsigned char expected) {
    next_ = expected;
    if (!shown_ || panel_ == nullptr) {
        return;
    }
    // The counts changed with the last line or were cleared: the counter has heard that event
    // by now, whichever of the two joined the window first.
    if (heatStale_) {
        heatStale_ = false;
        if (heatMap_) {
            RefreshHeat();
        }
    }
    panel_->NextCharacter(expected);
    Trace(panel_->View().FingerText());
}

void KeyboardFeature::StatisticsCleared() {
    heatStale_ = true;
}

void KeyboardFeature::KeyJudged(unsigned char expected, unsigned char struck, bool right) {
    if (expected == TypingLine::kEndOfLine && right) {
        heatStale_ = true;
    }
    if (shown_ && panel_ != nullptr) {
        panel_->KeyJudged(expected, struck, right);
    }
}

void KeyboardFeature::TextBegun() {
    // Shown, the heat map is worked out anew below; hidden, when it is shown again.
    heatStale_ = false;
    if (!shown_ || panel_ == nullptr) {
        return;
    }
    ShowText();
    panel_->TextBegun();
    Relayout();
}

void KeyboardFeature::TextFinished() {
    if (!shown_ || panel_ == nullptr) {
        return;
    }
    panel_->TextFinished();
    if (heatMap_) {
        RefreshHeat();
    }
}

void KeyboardFeature::Trace(const QString& text) const {
    if (trace_ != nullptr) {
        trace_->Note(text.isEmpty() ? QStringLiteral("finger") : QStringLiteral("finger ") + text);
    }
}
