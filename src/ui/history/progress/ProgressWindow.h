#pragma once
// The "Můj pokrok" window: the pupil's speed and error rate over time, for all texts or one
// lesson, a table of every lesson's best and last result, and the history as CSV.

#include "HistoryRecord.h"

#include <QWidget>

#include <vector>

class HistoryStore;
class QChart;
class QComboBox;
class QDateTimeAxis;
class QLineSeries;
class QTableWidget;
class QValueAxis;

class ProgressWindow final : public QWidget {
    Q_OBJECT

public:
    ProgressWindow(HistoryStore& history, QWidget* parent);

    // Reads the history again and shows it.
    void Reload();
    // Writes the history as CSV; false when the file cannot be written.
    Q_INVOKABLE bool ExportCsv(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Plot {
        QChart* chart = nullptr;
        QLineSeries* series = nullptr;
        QDateTimeAxis* time = nullptr;
        QValueAxis* value = nullptr;
    };
    Plot MakePlot(const QString& title);
    void FillFilters();
    void FillTable();
    void ShowSeries();
    void ExportClicked();

    HistoryStore& history_;
    std::vector<HistoryRecord> records_;
    QComboBox* filter_;
    Plot speed_;
    Plot errors_;
    QTableWidget* table_;
};
