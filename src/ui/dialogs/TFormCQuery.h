#pragma once
// Asks whether the program is to end, with Yes or No preselected as the options say.

#include <QDialog>
#include <QDialogButtonBox>

struct ProgramOptions;
class QLabel;
class QPushButton;

class TFormCQuery : public QDialog {
    Q_OBJECT

public:
    // Only `CloseQuery` is read, when the dialog first paints.
    explicit TFormCQuery(const ProgramOptions& options, QWidget* parent = nullptr);

    // Yes from "&Ano", No from "&Ne" or Escape, Cancel from the title bar's close button;
    // exec() returns the same value.
    [[nodiscard]] QDialogButtonBox::StandardButton Answer() const;

    // Gives the initial focus once, on the first paint while the dialog is visible.
    void FormPaint();

    void reject() override;

    QLabel* Label1;
    QPushButton* BitBtnAno;
    QPushButton* BitBtnNe;
    QLabel* Label2;
    bool focusDone = false;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const ProgramOptions& options_;
};
