#pragma once
// The end-of-lesson window: shows an evaluation and asks whether to go on, repeat or quit.

#include "Evaluation.h"

#include <QDialog>

#include <string>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

class TFormKonec : public QDialog {
    Q_OBJECT

public:
    // The modal results of the three buttons; closing the window any other way repeats.
    static constexpr int kResultNext = 6;   // yes
    static constexpr int kResultRepeat = 4; // retry
    static constexpr int kResultQuit = 3;   // abort
    // A part added below the window started a practice text; no design button has this result.
    static constexpr int kResultPractice = 11;

    explicit TFormKonec(const Evaluation& evaluation, QWidget* owner = nullptr);

    // What the pupil chose; Repeat until a button other than repeat has been pressed.
    [[nodiscard]] EvaluationAnswer Answer() const { return answer_; }
    [[nodiscard]] static EvaluationAnswer AnswerFromResult(int result);

    // Places `part` (a child of this window) below the window's content, across its width,
    // and makes the window that much taller; the content above stays where it is.
    void AddPart(QWidget* part);
    // Closes the window after a part started a practice text, which replaces the answers.
    void FinishWithPractice();

private:
    QLineEdit* AddField(const char* name, int left, int top, const std::string& value);
    QLabel* AddLabel(QWidget* parent, const QString& text, const QRect& place);
    void Highlight(QLineEdit* field);
    void FillEvaluation(const Evaluation& evaluation);
    void Finish(EvaluationAnswer answer, int result);

    QGroupBox* GroupBox1;
    QLineEdit* EditKDoba;
    QLineEdit* EditKChyby;
    QLineEdit* EditKFrekvence;
    QLineEdit* EditKPocetUhozu;
    QLineEdit* EditKRychlost;
    QLineEdit* EditKAbsRychlost;
    QTextEdit* RichEditKonec;
    QPushButton* BitBtnKDalsi;
    QPushButton* BitBtnKOpakovat;
    QPushButton* BitBtn3;

    EvaluationAnswer answer_ = EvaluationAnswer::Repeat;
};
