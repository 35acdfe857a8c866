#pragma once
// The evaluation's way back after a practice text: a button that starts the lesson the text
// practised.

#include <QWidget>

class QPushButton;

class BackToLessonPanel : public QWidget {
    Q_OBJECT

public:
    BackToLessonPanel(int lesson, QWidget* parent = nullptr);

signals:
    // The button was pressed; the owner starts the lesson (PracticeCommand::BackToLesson).
    void backRequested();

private:
    QPushButton* back_;
};
