#pragma once
// The class's line in the evaluation window: the result of the text just finished on its way
// to the class database, and then what became of it. A problem is told once in full (until a
// send goes through again); after that the line only says that results wait on this
// computer.

#include "ClassProblem.h"

#include <QLabel>

#include <optional>

class ClassSender;

class ClassNoticePart final : public QLabel {
public:
    // `evaluation`: the window it is added to; `className` names the class (UTF-8).
    ClassNoticePart(ClassSender& sender, const QString& className, QWidget* evaluation);

    // As wide as the evaluation window, as high as its longest text.
    [[nodiscard]] QSize sizeHint() const override;

private:
    void Update(int problem, int waiting);
    void Tell(ClassProblem problem);

    ClassSender& sender_;
    QString className_;
    std::optional<ClassProblem> told_;
};
