#pragma once
// One pupil's speed over the results, drawn by the program itself: the correct keystrokes per
// minute of each text as a line, the net speed of each copy test as squares, in the order the
// results came, with the first and the last date below.

#include "ClassResult.h"

#include <QString>
#include <QWidget>

#include <vector>

class PupilChart final : public QWidget {
    Q_OBJECT

public:
    explicit PupilChart(QWidget* parent = nullptr);

    // `login`: whose results they are; none clears the chart.
    void SetResults(const QString& login, std::vector<ClassResult> results);
    [[nodiscard]] int PointCount() const { return static_cast<int>(results_.size()); }

    [[nodiscard]] QSize sizeHint() const override { return {420, 220}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString login_;
    std::vector<ClassResult> results_;
};
