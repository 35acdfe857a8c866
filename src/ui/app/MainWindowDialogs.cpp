#include "MainWindowDialogs.h"

#include "Evaluation.h"
#include "ProgramOptions.h"
#include "QtText.h"
#include "SoundPlayer.h"
#include "QtTypingFont.h"
#include "TFormAbout.h"
#include "TFormCQuery.h"
#include "TFormHelp.h"
#include "TFormKonec.h"
#include "TFormLekce.h"
#include "TFormOptions.h"
#include "TextFileDialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeView>

#include <utility>

namespace {

// Calls `onShow` when the watched window is shown, before it appears on the screen.
class ShowHook final : public QObject {
    Q_OBJECT

public:
    explicit ShowHook(std::function<void()> onShow) : onShow_(std::move(onShow)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            onShow_();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> onShow_;
};

} // namespace

MainWindowDialogs::MainWindowDialogs(QWidget& window, QString helpFile)
    : window_(window), helpFile_(std::move(helpFile)) {}

bool MainWindowDialogs::ChooseLesson(int& lesson, bool& qwertz) {
    TFormLekce dialog(&window_);
    dialog.Select(lesson, qwertz);
    if (lessonDialogHook_) {
        lessonDialogHook_(dialog);
    }
    if (seam_.runModal(dialog) != QDialog::Accepted) {
        return false;
    }
    lesson = dialog.SelectedLesson();
    qwertz = dialog.SelectedQwertz();
    return true;
}

bool MainWindowDialogs::ChooseTextFile(const std::string& fileName, const std::string& initialDir,
                                       std::string& chosen) {
    QFileDialog& dialog = OpenDialog();
    if (!fileName.empty()) {
        const QString path = QtText::FromPath(fileName);
        dialog.setDirectory(QFileInfo(path).absolutePath());
        dialog.selectFile(path);
    } else if (!initialDir.empty()) {
        dialog.setDirectory(QtText::FromPath(initialDir));
    }
    if (seam_.runModal(dialog) != QDialog::Accepted) {
        return false;
    }
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) {
        return false;
    }
    chosen = QtText::ToPath(files.first());
    return true;
}

// The file dialog is built when it is first needed: building it loads a whole set of style
// icons, a third of the program's start-up. Once built it stays, so it remembers the last
// folder and its size.
QFileDialog& MainWindowDialogs::OpenDialog() {
    if (OpenDialogFile == nullptr) {
        OpenDialogFile = new TextFileDialog(&window_, QStringLiteral("Otevrit textovy soubor"));
        OpenDialogFile->setNameFilters(
            {QStringLiteral("Text (*.txt)"), QString::fromUtf8("Všechny soubory (*)")});
        OpenDialogFile->setFileMode(QFileDialog::ExistingFile);
        OpenDialogFile->setAcceptMode(QFileDialog::AcceptOpen);
        OpenDialogFile->setOption(QFileDialog::ReadOnly, true);
        OpenDialogFile->setOption(QFileDialog::DontUseNativeDialog, true);
        OpenDialogFile->setSizeGripEnabled(true);
        // Wide enough that the Czech column titles and dates are not cut off.
        OpenDialogFile->resize(800, 500);
        if (auto* list = OpenDialogFile->findChild<QTreeView*>()) {
            list->header()->resizeSection(2, 190); // type: "prostý textový dokument"
            list->header()->resizeSection(3, 130); // date and time, Czech
        }
    }
    return *OpenDialogFile;
}

void MainWindowDialogs::ChooseFont(const QFont& font,
                                   const std::function<void(const QFont&)>& apply,
                                   const std::function<void(QFontDialog&)>& place) {
    // The dialog lists installed fonts only: it gets the font that the typing font's name
    // stands for here ("Courier New" is usually a metric-compatible substitute).
    const QFontInfo resolved(font);
    QFont current = font;
    current.setFamily(resolved.family());
    current.setStyleName(resolved.styleName());
    QFontDialog FontDialog1(current, &window_);
    FontDialog1.setOptions(QFontDialog::DontUseNativeDialog | QFontDialog::MonospacedFonts);
    FontDialog1.setCurrentFont(current);
    if (auto* buttons = FontDialog1.findChild<QDialogButtonBox*>()) {
        QPushButton* applyButton = buttons->addButton(QDialogButtonBox::Apply);
        QObject::connect(applyButton, &QPushButton::clicked, &FontDialog1,
                         [&] { apply(QtTypingFont::WithAcceptedSize(FontDialog1.currentFont())); });
    }
    ShowHook placement([&] { place(FontDialog1); });
    FontDialog1.installEventFilter(&placement);
    if (seam_.runModal(FontDialog1) == QDialog::Accepted) {
        apply(QtTypingFont::WithAcceptedSize(FontDialog1.currentFont()));
    }
    FontDialog1.removeEventFilter(&placement);
}

bool MainWindowDialogs::EditOptions(ProgramOptions& options, SoundPlayer& sound,
                                    const std::vector<FeatureOption>& featureOptions) {
    // Its sound list plays a sample of each sound.
    sound.WarmUp();
    TFormOptions dialog(options, sound, &window_);
    std::vector<QCheckBox*> boxes;
    for (const FeatureOption& option : featureOptions) {
        boxes.push_back(dialog.AddCheckBox(option.caption));
        boxes.back()->setChecked(option.get());
    }
    if (seam_.runModal(dialog) != QDialog::Accepted) {
        return false;
    }
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        featureOptions[i].set(boxes[i]->isChecked());
    }
    return true;
}

void MainWindowDialogs::ShowHelp() {
    if (!helpWindow_) {
        helpWindow_ = new TFormHelp(helpFile_, &window_);
    }
    helpWindow_->ShowTopic(QStringLiteral("CONTENTS"));
}

void MainWindowDialogs::ShowAbout(const QString& settingsFile) {
    TFormAbout about(&window_, seam_);
    about.SetSettingsFile(settingsFile);
    // A help window of the About window itself, so that the modal About does not block it.
    about.showHelp = [this, &about](const QString& topic) {
        auto* help = new TFormHelp(helpFile_, &about);
        help->setAttribute(Qt::WA_DeleteOnClose);
        help->ShowTopic(topic);
    };
    seam_.runModal(about);
}

EvaluationAnswer
MainWindowDialogs::ShowEvaluation(const EvaluationInput& input,
                                  const std::function<void(TFormKonec&)>& addParts) {
    TFormKonec dialog(Evaluate(input), &window_);
    if (addParts) {
        addParts(dialog);
    }
    return TFormKonec::AnswerFromResult(seam_.runModal(dialog));
}

bool MainWindowDialogs::ConfirmClose(ProgramOptions& options) {
    if (options.CloseQuery == 0) {
        return true;
    }
    TFormCQuery query(options, &window_);
    return seam_.runModal(query) == QDialogButtonBox::Yes;
}

void MainWindowDialogs::ShowWriteError(const QString& message) {
    QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(), message,
                    QMessageBox::Ok, &window_);
    seam_.runModal(box);
}

#include "MainWindowDialogs.moc"
