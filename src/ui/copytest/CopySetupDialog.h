#pragma once
// The choices before a timed copy: the text (one of the program's own, or a file of the
// pupil's), the duration and the rules.

#include "CopyTestSetup.h"
#include "CopyTextCatalog.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QButtonGroup;
class QComboBox;
class QPushButton;

class CopySetupDialog final : public QDialog {
    Q_OBJECT

public:
    // `chooseFile` opens the own-text file dialog and gives the chosen file's path, if any.
    CopySetupDialog(std::vector<CopyTextEntry> texts, const CopyTestSetup& setup,
                    std::function<std::optional<QString>()> chooseFile, QWidget* parent);

    // The choices as they stand; `used` is set.
    [[nodiscard]] CopyTestSetup Setup() const;

    // "Vlastní soubor…", as if clicked.
    void ChooseOwnFile();

private:
    void SelectText(const std::string& path);
    void AddOwnFile(const std::string& path);
    void UpdateStart();

    std::vector<CopyTextEntry> texts_;
    CopyTestSetup setup_;
    std::function<std::optional<QString>()> chooseFile_;
    QComboBox* text_ = nullptr;
    QComboBox* minutes_ = nullptr;
    QButtonGroup* rules_ = nullptr;
    QPushButton* start_ = nullptr;
};
