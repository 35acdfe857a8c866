#pragma once
// The features that join the main window (MainWindowFeature), and how they join it: their
// panels, their menu actions, their observers of the typing and their settings keys.

#include "MainWindowFeature.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class Commands;
class IniFile;
class KeyRouter;
class MainWindowFeature;
class QMainWindow;
class QWidget;
class TFormKonec;
class TFormLekce;
class TypingEngine;

class FeatureList {
public:
    explicit FeatureList(std::vector<MainWindowFeature*> features);

    // Panels into the window's client area (their keystrokes go to the engine too), actions
    // into the menus and the window, observers onto the engine; `relayout` lays the window
    // out again when a feature asks; `runModal` runs a feature's window through the window's
    // seam, `commands` stop and resume typing around the features' windows, `typingFont` tells
    // them the typing font.
    void Join(QMainWindow& window, TypingEngine& engine, KeyRouter& keys,
              const std::function<void()>& relayout, Commands& commands,
              const std::function<int(QDialog&)>& runModal,
              const std::function<QFont()>& typingFont);
    // Takes the observers off the engine again.
    void Leave(TypingEngine& engine) const;

    void PrepareLessonDialog(TFormLekce& dialog) const;
    void ReadSettings(const IniFile& ini) const;
    void WriteSettings(IniFile& ini) const;
    // Every feature's check boxes for the Options dialog, in the features' order.
    [[nodiscard]] std::vector<FeatureOption> Options() const;

    void AddToEvaluation(TFormKonec& evaluation, TypingEngine& engine) const;
    // The first feature's caption suffix, if any has one.
    [[nodiscard]] std::optional<std::string> CaptionSuffix() const;

    // The panels in their order from the typing line down.
    [[nodiscard]] const std::vector<QWidget*>& Panels() const { return panels_; }

private:
    std::vector<MainWindowFeature*> features_;
    std::vector<QWidget*> panels_;
};
