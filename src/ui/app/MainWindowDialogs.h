#pragma once
// The main window's modal windows: the lesson and file dialogs, the font and options dialogs,
// About, the evaluation, the close question and the write-error message, all run through one
// seam (tests answer them there), and the help window.

#include "LessonCommands.h"
#include "MainWindowFeature.h"
#include "QtWindowSeam.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <vector>

class QDialog;
class QFileDialog;
class QFont;
class QFontDialog;
class QWidget;
class SoundPlayer;
class TFormHelp;
class TFormKonec;
class TFormLekce;
enum class EvaluationAnswer;
struct EvaluationInput;
struct ProgramOptions;

class MainWindowDialogs final : public LessonDialogs {
public:
    MainWindowDialogs(QWidget& window, QString helpFile);

    void SetSeam(QtWindowSeam seam) { seam_ = std::move(seam); }
    // Called with the lesson dialog before it opens (the features' marks).
    void SetLessonDialogHook(std::function<void(TFormLekce&)> hook) {
        lessonDialogHook_ = std::move(hook);
    }

    bool ChooseLesson(int& lesson, bool& qwertz) override;
    bool ChooseTextFile(const std::string& fileName, const std::string& initialDir,
                        std::string& chosen) override;

    // The font dialog on `font`; `apply` gets each font applied or accepted (sizes corrected
    // to the accepted range), `place` moves the dialog before it appears.
    void ChooseFont(const QFont& font, const std::function<void(const QFont&)>& apply,
                    const std::function<void(QFontDialog&)>& place);
    // True when the pupil saved new options; the features' check boxes are set on OK too.
    bool EditOptions(ProgramOptions& options, SoundPlayer& sound,
                     const std::vector<FeatureOption>& featureOptions = {});
    void ShowHelp();
    // About, with the line that says where the settings file lies.
    void ShowAbout(const QString& settingsFile);
    // `addParts` adds the features' parts to the window before it is shown.
    [[nodiscard]] EvaluationAnswer
    ShowEvaluation(const EvaluationInput& input,
                   const std::function<void(TFormKonec&)>& addParts = {});
    // True when the program may close (asks only when the options say so).
    bool ConfirmClose(ProgramOptions& options);
    void ShowWriteError(const QString& message);
    // A modal window of a feature's own, through the same seam; its result.
    int RunModal(QDialog& window) { return seam_.runModal(window); }

private:
    QFileDialog& OpenDialog();

    QWidget& window_;
    QString helpFile_;
    QtWindowSeam seam_;
    std::function<void(TFormLekce&)> lessonDialogHook_;
    QPointer<TFormHelp> helpWindow_;
    QFileDialog* OpenDialogFile = nullptr; // built on first use, see OpenDialog()
};
