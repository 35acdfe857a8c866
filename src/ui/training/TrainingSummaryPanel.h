#pragma once
// The training's part of the evaluation window: the exercise's figures and "Další cvičení",
// which takes Enter, so that the pupil goes on without the mouse.

#include <QWidget>

class QPushButton;

class TrainingSummaryPanel final : public QWidget {
    Q_OBJECT

public:
    TrainingSummaryPanel(const QString& summary, QWidget* parent);

signals:
    void nextRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* next_;
};
