#include "CopyTestFeature.h"

#include "CopyResultSheet.h"
#include "CopySetupDialog.h"
#include "CopyTestWindow.h"
#include "CopyTextCatalog.h"
#include "CopyTextReader.h"
#include "KeyboardLayout.h"
#include "Lekce.h"
#include "PluginFile.h"
#include "PupilName.h"
#include "QtText.h"
#include "Reporter.h"
#include "TextFileDialog.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>

#include <pwd.h>
#include <unistd.h>

#include <utility>

CopyTestFeature::CopyTestFeature(const LEKCE& store, const Clock& clock, Reporter& reporter,
                                 std::string copyDir, std::string textDir)
    : store_(store), clock_(clock), reporter_(reporter), copyDir_(std::move(copyDir)),
      textDir_(std::move(textDir)), printer_(reporter, PluginFile::DefaultDirs()) {}

std::vector<std::pair<QString, QAction*>> CopyTestFeature::CreateActions(QWidget* window) {
    window_ = window;
    auto* action = new QAction(QString::fromUtf8("Opis na &čas…"), window);
    action->setObjectName(QStringLiteral("ActionOpis"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    action->setShortcutContext(Qt::WindowShortcut);
    const QString hint =
        QString::fromUtf8("Opis na čas | Opis textu na čas, hodnocený čistými úhozy za minutu, "
                          "chybovostí a známkou");
    action->setToolTip(QtText::ShortHint(hint));
    action->setStatusTip(QtText::LongHint(hint));
    QObject::connect(action, &QAction::triggered, window, [this] { Run(); });
    return {{QStringLiteral("Soubor1"), action}};
}

void CopyTestFeature::ReadSettings(const IniFile& ini) {
    setup_.ReadSettings(ini);
}

void CopyTestFeature::WriteSettings(IniFile& ini) const {
    setup_.WriteSettings(ini);
}

void CopyTestFeature::Run() {
    if (host_.runStopped) {
        host_.runStopped([this] { RunStopped(); });
    } else {
        RunStopped();
    }
}

void CopyTestFeature::RunStopped() {
    const std::optional<CopyText> copy = ChooseText();
    if (!copy) {
        return;
    }
    const KeyboardLayout& layout = KeyboardLayout::Of(store_.Qwertz);
    const QFont font = host_.typingFont ? host_.typingFont() : QFont();
    CopyTestWindow test(*copy, setup_.minutes, font, clock_, window_);
    test.SetQuestionRunner(seam_.runModal);
    if (seam_.runModal(test) != QDialog::Accepted) {
        return; // closed before the first keystroke
    }
    const CopyOutcome outcome =
        CopyScore::Evaluate(*copy, test.Typed(), setup_.minutes, setup_.rules, layout);
    if (resultListener_) {
        resultListener_(outcome.result);
    }

    const QString systemName = SystemPupilName();
    const QString pupil =
        setup_.pupilName.empty() ? systemName : QtText::FromCp1250(setup_.pupilName);
    CopyResultSheet sheet(
        outcome, pupil, QDate::currentDate(),
        {.choosePdfFile = [this](const QString& suggested) { return ChoosePdfFile(suggested); },
         .print = [this](QTextDocument& document,
                         QWidget* parent) { printer_.Print(document, parent); },
         .reportError =
             [this](const QString& message) { reporter_.ReportError(QtText::ToCp1250(message)); }},
        window_);
    seam_.runModal(sheet);
    // A name typed over the system's is remembered for the next sheet.
    setup_.pupilName =
        sheet.PupilName() == systemName ? std::string() : QtText::ToCp1250(sheet.PupilName());
}

// The choices until a text that can be copied is chosen, or the pupil gives up.
std::optional<CopyText> CopyTestFeature::ChooseText() {
    const std::vector<CopyTextEntry> texts = CopyTextCatalog::List(copyDir_);
    for (;;) {
        CopySetupDialog dialog(
            texts, setup_, [this] { return ChooseOwnFile(); }, window_);
        if (seam_.runModal(dialog) != QDialog::Accepted) {
            return std::nullopt;
        }
        setup_ = dialog.Setup();
        CopyTextReader::Result read =
            CopyTextReader::Read(setup_.textFile, KeyboardLayout::Of(store_.Qwertz));
        if (read.text) {
            return std::move(read.text);
        }
        reporter_.ReportError(read.problem);
    }
}

// The same dialog as for an own text, with its filters and its completion handling.
std::optional<QString> CopyTestFeature::ChooseOwnFile() {
    TextFileDialog dialog(window_, QString::fromUtf8("Vlastní text pro opis"));
    dialog.setNameFilters(
        {QStringLiteral("Text (*.txt)"), QString::fromUtf8("Všechny soubory (*)")});
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::ReadOnly, true);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setSizeGripEnabled(true);
    dialog.resize(800, 500);
    const QString own = QtText::FromPath(setup_.textFile);
    if (!setup_.textFile.empty() && !own.startsWith(QtText::FromPath(copyDir_))) {
        dialog.setDirectory(QFileInfo(own).absolutePath());
        dialog.selectFile(own);
    } else {
        dialog.setDirectory(QtText::FromPath(textDir_));
    }
    if (seam_.runModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first();
}

std::optional<QString> CopyTestFeature::ChoosePdfFile(const QString& suggested) {
    QFileDialog dialog(window_, QString::fromUtf8("Uložit výsledek jako PDF"));
    dialog.setObjectName(QStringLiteral("CopyPdfDialog"));
    dialog.setNameFilter(QStringLiteral("PDF (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.resize(800, 500);
    dialog.setDirectory(pdfDir_.isEmpty() ? QDir::homePath() : pdfDir_);
    dialog.selectFile(suggested);
    if (seam_.runModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString path = dialog.selectedFiles().first();
    pdfDir_ = QFileInfo(path).absolutePath();
    return path;
}

QString CopyTestFeature::SystemPupilName() const {
    const passwd* account = getpwuid(getuid());
    if (account == nullptr) {
        return {};
    }
    return QString::fromStdString(PupilName::FromAccount(
        account->pw_gecos != nullptr ? account->pw_gecos : "", account->pw_name));
}
