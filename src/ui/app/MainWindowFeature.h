#pragma once
// How a feature that is not part of the window's design joins the main window: a panel
// below the typing line, actions in the window's menus, keys in the settings file and an
// observer of the typing. The window is given its features at construction; without any it
// is exactly the designed window.

#include <QFont>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class IniFile;
class QAction;
class QDialog;
class QWidget;
class TFormKonec;
class TypingEngine;
class TFormLekce;
class TypingObserver;

// What the main window lends its features for windows of their own; given once at joining.
// Typing stops while such a window is open and goes on afterwards, unless it was stopped
// before or a text began meanwhile (as around the window's own modal windows).
struct FeatureHost {
    // Runs one window of the feature's own modally through the window's seam (tests answer it
    // there); returns its result.
    std::function<int(QDialog&)> runModal;
    // Runs `show`, which opens windows of the feature's own one after another and returns when
    // the last has closed, with the typing stopped for the whole of it.
    std::function<void(const std::function<void()>& show)> runStopped;
    // The typing font in use.
    std::function<QFont()> typingFont;
    // Begins the text the store now holds from its first line, as a new lesson begins.
    std::function<void()> beginText;
};

// A check box of a feature's own at the foot of the Options dialog: `set` runs on OK only.
struct FeatureOption {
    QString caption; // UTF-8 Czech, as the dialog's own captions
    std::function<bool()> get;
    std::function<void(bool)> set;
};

class MainWindowFeature {
public:
    virtual ~MainWindowFeature() = default;

    // A panel to place between the typing line and the counters, made as a child of
    // `parent`; the window grows by its height. nullptr for none.
    virtual QWidget* CreatePanel(QWidget* parent) {
        (void)parent;
        return nullptr;
    }

    // Actions to append to the menus named by their design names ("Soubor1", "MenuPsani",
    // "MenuProgram", "Help1"); the window takes their shortcuts too. Made as children of
    // `window`.
    virtual std::vector<std::pair<QString, QAction*>> CreateActions(QWidget* window) {
        (void)window;
        return {};
    }

    // Adds the feature's marks to the lesson dialog each time before it opens.
    virtual void PrepareLessonDialog(TFormLekce& dialog) { (void)dialog; }

    // Hears the typing engine from the window's start until it closes; nullptr for nothing.
    virtual TypingObserver* Observer() { return nullptr; }

    // The feature's own keys (declared in Settings.h): read at start after the window's own
    // sections, written at the end after them, in the same batch.
    virtual void ReadSettings(const IniFile& ini) { (void)ini; }
    virtual void WriteSettings(IniFile& ini) const { (void)ini; }

    // Adds a part of its own below the evaluation window's content (TFormKonec::AddPart)
    // before it is shown; `engine` begins a text the part starts, which then closes the
    // window with TFormKonec::FinishWithPractice.
    virtual void AddToEvaluation(TFormKonec& evaluation, TypingEngine& engine) {
        (void)evaluation, (void)engine;
    }

    // What the caption says after "Klaptos" (and the title after "KTOS") instead of the
    // engine's words for the current text, code page 1250; nullopt leaves them.
    [[nodiscard]] virtual std::optional<std::string> CaptionSuffix() const { return std::nullopt; }
    // True while the feature shows the text's whole intro line itself (the keyboard's panel
    // does): the "Úkol" field, which cuts a long line off, then gives the whole line as its
    // tooltip instead of its designed hint. Asked when a text begins and at each relayout.
    [[nodiscard]] virtual bool ShowsIntroLine() const { return false; }
    // Its check boxes in the Options dialog; none leaves the dialog as designed.
    virtual std::vector<FeatureOption> Options() { return {}; }

    // Given once when the feature joins the window: the feature calls it after it showed, hid
    // or changed the height of its panel, and the window lays itself out again. A hidden panel
    // takes no room; a panel with a height for its width is made as wide as the typing line
    // (at least as the counters panel, at most its maximumWidth) and as high as it asks.
    virtual void SetRelayout(std::function<void()> relayout) { (void)relayout; }

    // Given once when the feature joins the window, for the windows it opens itself.
    virtual void SetHost(const FeatureHost& host) { (void)host; }
};
