#pragma once
// The timed copy joined to the main window: "Opis na čas" in the menu "Soubor lekce" opens
// the choices, then the test, then the result sheet, while the main window's typing is
// stopped; the choices are kept in the settings file's [Opis] section.

#include "CopyTestResult.h"
#include "CopyTestSetup.h"
#include "MainWindowFeature.h"
#include "QtWindowSeam.h"
#include "SheetPrintLoader.h"

#include <functional>
#include <optional>
#include <string>

class Clock;
class CopySetupDialog;
class CopyResultSheet;
class CopyTestWindow;
class LEKCE;
class Reporter;
struct CopyText;

class CopyTestFeature final : public MainWindowFeature {
public:
    // `copyDir`: the folder of the program's copy texts; `textDir`: where the file dialog first
    // opens for a pupil's own text. `store` tells the keyboard layout of the current text.
    CopyTestFeature(const LEKCE& store, const Clock& clock, Reporter& reporter, std::string copyDir,
                    std::string textDir);

    std::vector<std::pair<QString, QAction*>> CreateActions(QWidget* window) override;
    void ReadSettings(const IniFile& ini) override;
    void WriteSettings(IniFile& ini) const override;
    void SetHost(const FeatureHost& host) override { host_ = host; }

    // Every modal window of the copy runs through this seam; tests answer them there.
    void SetSeam(QtWindowSeam seam) { seam_ = std::move(seam); }
    // Hears each finished test's figures (a history may keep them).
    void SetResultListener(std::function<void(const CopyTestResult&)> listener) {
        resultListener_ = std::move(listener);
    }

    // "Opis na čas", as if chosen from the menu.
    void Run();

    [[nodiscard]] const CopyTestSetup& Setup() const { return setup_; }

private:
    void RunStopped();
    [[nodiscard]] std::optional<CopyText> ChooseText();
    [[nodiscard]] std::optional<QString> ChooseOwnFile();
    [[nodiscard]] std::optional<QString> ChoosePdfFile(const QString& suggested);
    [[nodiscard]] QString SystemPupilName() const;

    const LEKCE& store_;
    const Clock& clock_;
    Reporter& reporter_;
    std::string copyDir_;
    std::string textDir_;
    CopyTestSetup setup_;
    FeatureHost host_;
    QtWindowSeam seam_;
    SheetPrintLoader printer_;
    std::function<void(const CopyTestResult&)> resultListener_;
    QWidget* window_ = nullptr;
    QString pdfDir_; // where the last PDF went
};
