#include "ClassNoticePart.h"

#include "ClassProblem.h"
#include "ClassSender.h"

ClassNoticePart::ClassNoticePart(ClassSender& sender, const QString& className, QWidget* evaluation)
    : QLabel(evaluation), sender_(sender), className_(className) {
    setObjectName(QStringLiteral("ClassNotice"));
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setContentsMargins(12, 4, 12, 10);
    // A problem found before the text ended (at start, on a retry) is told here first.
    if (const std::optional<ClassProblem> untold = sender_.Notice().Take()) {
        Tell(*untold);
    } else {
        setText(QString::fromUtf8("Výsledek se posílá do třídy „%1“…").arg(className_));
    }
    connect(&sender_, &ClassSender::Finished, this, [this](int problem, int sent, int waiting) {
        (void)sent;
        Update(problem, waiting);
    });
}

QSize ClassNoticePart::sizeHint() const {
    const int width = parentWidget()->width();
    QLabel longest(QString::fromStdString(ClassProblems::WaitingNotice(ClassProblem::NotAdmitted)));
    longest.setFont(font());
    longest.setWordWrap(true);
    longest.setContentsMargins(contentsMargins());
    return {width, std::max(longest.heightForWidth(width), heightForWidth(width))};
}

void ClassNoticePart::Update(int problem, int waiting) {
    if (problem == static_cast<int>(ClassProblem::None)) {
        setText(waiting == 0
                    ? QString::fromUtf8("Výsledek je odeslán do třídy „%1“.").arg(className_)
                    : QString::fromUtf8("Výsledky se posílají do třídy „%1“…").arg(className_));
        return;
    }
    if (const std::optional<ClassProblem> untold = sender_.Notice().Take()) {
        Tell(*untold);
        return;
    }
    // What this window told stays in it.
    if (told_ == static_cast<ClassProblem>(problem)) {
        return;
    }
    setText(QString::fromUtf8("Výsledky čekají v tomto počítači na odeslání do třídy (%1).")
                .arg(waiting));
}

void ClassNoticePart::Tell(ClassProblem problem) {
    told_ = problem;
    setText(QString::fromStdString(ClassProblems::WaitingNotice(problem)));
}
