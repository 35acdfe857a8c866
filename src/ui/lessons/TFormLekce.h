#pragma once
// Lets the pupil choose one of the 44 built-in lessons and the keyboard layout to type it on.

#include "LessonCount.h"

#include <QDialog>

#include <map>
#include <optional>
#include <string>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;

class TFormLekce : public QDialog {
    Q_OBJECT

public:
    static constexpr int kLessonCount = ::kLessonCount;

    explicit TFormLekce(QWidget* parent = nullptr);

    // `lesson` 1..44; a number outside that range leaves the lesson choice as it is.
    void Select(int lesson, bool qwertz);
    [[nodiscard]] int SelectedLesson() const;
    [[nodiscard]] bool SelectedQwertz() const;
    // Marks the lessons already passed on each layout with a tick and a tooltip (code page
    // 1250), by lesson number; the marks follow the layout chosen. Captions stay as they are.
    void MarkPassed(std::map<int, std::string> qwerty, std::map<int, std::string> qwertz);
    // Whether lesson n (1..44) shows its tick now. Every item has an icon, ticked or not, so
    // that all captions start at one place.
    [[nodiscard]] bool IsTicked(int lesson) const;
    // The layout the desktop types with (true QWERTZ, false QWERTY, nothing unknown): while the
    // layout chosen is the other one, a note below the choice says so.
    void SetDesktopLayout(std::optional<bool> qwertz);

    QGroupBox* RadioGroupCisloLekce;
    QButtonGroup* lessonItems; // id = item index, lesson = id + 1
    QGroupBox* RadioGroupQWERTYZ;
    QButtonGroup* layoutItems; // id 0 QWERTY, 1 QWERTZ
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QLabel* LabelRozlozeni; // the note on the desktop's layout

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowMarks();
    void ShowLayoutNote();

    std::map<int, std::string> passed_[2]; // by layout id
    std::optional<bool> desktopQwertz_;
};
