#include "TrainingFeature.h"

#include "Cp1250.h"
#include "KeyColours.h"
#include "KeyboardLayout.h"
#include "Lekce.h"
#include "QtText.h"
#include "Reporter.h"
#include "Settings.h"
#include "SpeedMeter.h"
#include "TFormKonec.h"
#include "TrainingSummaryPanel.h"
#include "TrainingTexts.h"
#include "Vocabulary.h"
#include "WordList.h"

#include <QAction>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QPalette>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// How close a key is to the target, from far below to reached, as the keyboard shows it.
QColor SpeedColour(double share) {
    if (share >= 1) {
        return QColor(0x7c, 0xc8, 0x6e);
    }
    if (share >= 0.8) {
        return QColor(0xe6, 0xdc, 0x5a);
    }
    if (share >= 0.5) {
        return QColor(0xf0, 0xa0, 0x50);
    }
    return QColor(0xe8, 0x6a, 0x5c);
}

const QColor kFocusColour(0x6a, 0x9c, 0xf0);

} // namespace

TrainingFeature::TrainingFeature(LEKCE& store, SpeedMeter& meter, const Clock& clock,
                                 Reporter& reporter, std::string wordListPath, std::string pupilDir)
    : store_(store), meter_(meter), clock_(clock), reporter_(reporter),
      wordListPath_(std::move(wordListPath)), pupilDir_(std::move(pupilDir)),
      exercisePath_(pupilDir_ + kExerciseFileName), target_(Settings::TrainingTarget.def),
      traceFile_(qEnvironmentVariable(kTraceVariable)) {
    observer_.OnBegun([this] { Begun(); });
    observer_.OnFinished([this] { Finished(); });
}

TrainingFeature::~TrainingFeature() = default;

QWidget* TrainingFeature::CreatePanel(QWidget* parent) {
    panel_ = new QLabel(parent);
    panel_->setObjectName(QStringLiteral("TrainingPanel"));
    panel_->setAlignment(Qt::AlignCenter);
    panel_->setToolTip(QString::fromUtf8("Klepnutím na klávesu ji zvolíte jako hlavní klávesu "
                                         "tréninku, dalším klepnutím volbu zrušíte"));
    panel_->hide();
    return panel_;
}

std::vector<std::pair<QString, QAction*>> TrainingFeature::CreateActions(QWidget* window) {
    auto* action = new QAction(QString::fromUtf8("Trénink na &míru…"), window);
    action->setObjectName(QStringLiteral("ActionTrenink"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    action->setShortcutContext(Qt::WindowShortcut);
    const QString hint = QString::fromUtf8(
        "Trénink na míru | Krátká cvičení psaná pro nejslabší klávesu; nové klávesy přibývají, "
        "jakmile všechny dosavadní dosáhnou cílové rychlosti");
    action->setToolTip(QtText::ShortHint(hint));
    action->setStatusTip(QtText::LongHint(hint));
    QObject::connect(action, &QAction::triggered, window, [this] { Start(); });
    return {{QStringLiteral("Soubor1"), action}};
}

void TrainingFeature::ReadSettings(const IniFile& ini) {
    used_ = !Settings::TrainingTarget.ReadString(ini).empty() ||
            !Settings::TrainingPinned.ReadString(ini).empty();
    target_ = Settings::TrainingTarget.ReadInteger(ini);
    pinned_ = static_cast<unsigned char>(Settings::TrainingPinned.ReadInteger(ini));
    if (session_) {
        session_->Plan().SetTarget(target_);
        session_->Plan().Pin(pinned_);
    }
}

void TrainingFeature::WriteSettings(IniFile& ini) const {
    // A pupil who never trained gets no [Trenink] section.
    if (!used_) {
        return;
    }
    Settings::TrainingTarget.WriteInteger(ini, target_);
    Settings::TrainingPinned.WriteInteger(ini, pinned_);
    SaveState();
}

std::string TrainingFeature::StatePath(bool qwertz) const {
    return pupilDir_ + (qwertz ? "trenink-qwertz.txt" : "trenink-qwerty.txt");
}

TrainingSession& TrainingFeature::Session() {
    if (!session_ || session_->Qwertz() != store_.Qwertz) {
        SaveState();
        session_ = std::make_unique<TrainingSession>(clock_, store_.Qwertz);
        session_->Load(ReadAll(StatePath(store_.Qwertz)));
        session_->Plan().SetTarget(target_);
        session_->Plan().Pin(pinned_);
    }
    return *session_;
}

void TrainingFeature::SaveState() const {
    if (!session_) {
        return;
    }
    std::ofstream file(StatePath(session_->Qwertz()), std::ios::binary | std::ios::trunc);
    file << session_->Save();
}

const Vocabulary* TrainingFeature::Words() {
    if (!vocabulary_) {
        WordList words = WordList::Load(wordListPath_);
        if (words.State() != WordList::Status::Ready) {
            reporter_.ReportError(
                Cp1250::FromUtf8("Seznam slov (") + WordList::kFileName +
                Cp1250::FromUtf8(words.State() == WordList::Status::Missing
                                     ? ") chybí. Cvičení tréninku nelze sestavit."
                                     : ") je poškozený. Cvičení tréninku nelze sestavit."));
            return nullptr;
        }
        wordList_ = std::make_unique<WordList>(std::move(words));
        vocabulary_ = std::make_unique<Vocabulary>(wordList_->Words());
    }
    return vocabulary_.get();
}

bool TrainingFeature::Start() {
    const Vocabulary* words = Words();
    if (words == nullptr) {
        return false;
    }
    TrainingSession& session = Session();
    used_ = true;
    const Exercise exercise = session.Next(*words, std::random_device{}());
    // A folder that cannot be made shows up as the file's write error.
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(exercisePath_).parent_path(),
                                        ignored);
    {
        std::ofstream file(exercisePath_, std::ios::binary | std::ios::trunc);
        file << TrainingTexts::IntroLine(exercise.focus, exercise.unlocked, session.Plan().Target())
             << "\r\n";
        for (const std::string& line : exercise.lines) {
            file << line << "\r\n";
        }
        if (!file.flush()) {
            reporter_.ReportError(Cp1250::FromUtf8("Cvičení tréninku nelze uložit do souboru ") +
                                  Cp1250::FromUtf8(exercisePath_) + ".");
            return false;
        }
    }
    lastUnlocked_ = exercise.unlocked;
    summary_.reset();
    store_.LoadTextFile(exercisePath_);
    meter_.Clear();
    Trace(exercise);
    if (host_.beginText) {
        host_.beginText();
    } else {
        Begun();
    }
    return true;
}

bool TrainingFeature::Active() const {
    return store_.CurrentLesson < 0 && store_.UserFileName == exercisePath_;
}

void TrainingFeature::Begun() {
    observer_.Follow(Active() ? &Session().Timer() : nullptr);
    ShowState();
}

void TrainingFeature::Finished() {
    ExerciseSummary summary = session_->Finish();
    SaveState();
    if (listener_) {
        listener_(summary, session_->Qwertz());
    }
    summary_ = std::move(summary);
    ShowState();
}

void TrainingFeature::ShowState() {
    const bool active = Active();
    if (panel_ != nullptr) {
        if (active) {
            panel_->setText(TrainingTexts::StateLine(Session()));
        }
        if (panel_->isHidden() == active) {
            panel_->setHidden(!active);
            if (relayout_) {
                relayout_();
            }
        }
    }
    if (tintsChanged_) {
        tintsChanged_();
    }
}

void TrainingFeature::AddToEvaluation(TFormKonec& evaluation, TypingEngine& engine) {
    (void)engine;
    if (!summary_ || !Active()) {
        return;
    }
    auto* part = new TrainingSummaryPanel(TrainingTexts::Summary(*summary_), &evaluation);
    evaluation.AddPart(part);
    QObject::connect(part, &TrainingSummaryPanel::nextRequested, &evaluation, [this, &evaluation] {
        if (Start()) {
            evaluation.FinishWithPractice();
        }
    });
}

std::optional<std::string> TrainingFeature::CaptionSuffix() const {
    if (!Active() || !session_) {
        return std::nullopt;
    }
    return Cp1250::FromUtf8(" trénink na míru: ") +
           Cp1250::FromUtf8(TrainingTexts::KeyName(session_->Plan().Focus()).toStdString());
}

std::optional<KeyTints> TrainingFeature::Tints(const KeyboardLayout& layout,
                                               const QPalette& palette) const {
    if (!Active() || !session_) {
        return std::nullopt;
    }
    const TrainingPlan& plan = session_->Plan();
    const QColor ink = palette.color(QPalette::ButtonText);
    const QColor locked = palette.color(QPalette::Mid);
    const QColor unmeasured = palette.color(QPalette::Button);
    // Each key shows its slowest open character: ď and D count for the d key.
    std::map<int, double> shares;
    for (const char c : plan.Unlocked()) {
        const KeySequence& sequence = layout.SequenceFor(static_cast<unsigned char>(c));
        if (!sequence.Writable()) {
            continue;
        }
        const KeyMeasure measure = session_->Statistics().Measure(static_cast<unsigned char>(c));
        const double share = measure.timed < TrainingPlan::kMinimumTimed
                                 ? -1
                                 : plan.WeighedSpeed(measure) / plan.Target();
        const int key = sequence.strokes.back().key;
        const auto known = shares.find(key);
        shares[key] = known == shares.end() ? share : std::min(known->second, share);
    }
    KeyTints tints;
    for (size_t key = 0; key < layout.Keys().size(); ++key) {
        if (layout.Keys()[key].role == KeyRole::Character) {
            tints.tints[static_cast<int>(key)] = KeyColours::Readable(locked, ink);
        }
    }
    for (const auto& [key, share] : shares) {
        tints.tints[key] = share < 0 ? unmeasured : KeyColours::Readable(SpeedColour(share), ink);
    }
    const KeySequence& focus = layout.SequenceFor(plan.Focus());
    if (focus.Writable()) {
        tints.tints[focus.strokes.back().key] = KeyColours::Readable(kFocusColour, ink);
    }
    const auto legend = [&](const QColor& colour, const char* words) {
        tints.legend.emplace_back(KeyColours::Readable(colour, ink), QString::fromUtf8(words));
    };
    legend(kFocusColour, "hlavní");
    legend(SpeedColour(1), "cíl splněn");
    legend(SpeedColour(0.9), "blízko cíle");
    legend(SpeedColour(0.6), "pomalá");
    legend(SpeedColour(0), "velmi pomalá");
    legend(locked, "zamčená");
    return tints;
}

void TrainingFeature::KeyClicked(const KeyboardLayout& layout, int key) {
    if (!Active()) {
        return;
    }
    for (const char c : Session().Plan().Order()) {
        const KeySequence& sequence = layout.SequenceFor(static_cast<unsigned char>(c));
        if (sequence.strokes.size() == 1 && sequence.strokes[0].key == key &&
            sequence.strokes[0].modifiers.empty()) {
            const auto byte = static_cast<unsigned char>(c);
            pinned_ = pinned_ == byte ? 0 : byte;
            Session().Plan().Pin(pinned_);
            ShowState();
            return;
        }
    }
}

void TrainingFeature::Trace(const Exercise& exercise) const {
    if (traceFile_.isEmpty()) {
        return;
    }
    QFile file(traceFile_);
    if (!file.open(QIODevice::Append | QIODevice::Text)) {
        return;
    }
    const auto key = [](unsigned char c) {
        return c == 0 ? std::string("-") : Cp1250::ToUtf8(std::string(1, static_cast<char>(c)));
    };
    std::string text = "focus " + key(exercise.focus) + "\nopen " +
                       Cp1250::ToUtf8(session_->Plan().Unlocked()) + "\nnew " +
                       key(exercise.unlocked) + "\n";
    for (const std::string& line : exercise.lines) {
        text += "line " + Cp1250::ToUtf8(line) + "\n";
    }
    file.write(text.data(), static_cast<qint64>(text.size()));
}
