#pragma once
// "Klávesy" in "Můj pokrok": every key the training measured, its speed per key press and its
// error rate over all days, with the training's estimate for its focus key above the table.

#include <QWidget>

#include <vector>

class HistoryThread;
class QTableWidget;
struct KeySpeedRow;

class KeySpeedsTab final : public QWidget {
public:
    KeySpeedsTab(HistoryThread& history, const QString& note, QWidget* parent);

    void Show(const std::vector<KeySpeedRow>& rows);

private:
    QTableWidget* table_;
};
