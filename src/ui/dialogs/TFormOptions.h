#pragma once
// Lets the pupil change every program option and listen to the error sounds.

#include <QDialog>

struct ProgramOptions;
class SoundPlayer;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

class TFormOptions : public QDialog {
    Q_OBJECT

public:
    // The dialog edits `options` in place on OK only; `player` plays the sound of "&Test".
    TFormOptions(ProgramOptions& options, SoundPlayer& player, QWidget* parent = nullptr);

    void FormShow();
    void BitBtnOptionOKClick();
    void BitBtnTextClick();
    // A check box of a feature that joined the main window, in a row of its own below the
    // designed controls: the dialog grows by the row, and is the designed one without any.
    QCheckBox* AddCheckBox(const QString& caption);

    QSpinBox* UpDownCharSpace;
    QLineEdit* EditCharSpace; // the number field of UpDownCharSpace
    QLabel* Label2;
    QCheckBox* CheckBoxCaret;
    QCheckBox* CheckBoxErrorBeep;
    QComboBox* ComboBoxZvuk;
    QPushButton* BitBtnText;
    QCheckBox* CheckBoxOpakuj;
    QSpinBox* UpDownOpakuj;
    QLineEdit* EditOpakuj; // the number field of UpDownOpakuj
    QCheckBox* CheckBoxPosunPriChybe;
    QCheckBox* CheckBoxAutoStop;
    QCheckBox* CheckBoxSpeed;
    QGroupBox* RadioGroupSpeed;
    QButtonGroup* speedItems; // id = item index
    QGroupBox* RadioGroupCloseQuery;
    QButtonGroup* closeQueryItems; // id = item index = CloseQuery
    QPushButton* BitBtnOptionOK;
    QPushButton* BitBtn2;

protected:
    void showEvent(QShowEvent* event) override;

private:
    ProgramOptions& options_;
    SoundPlayer& player_;
};
