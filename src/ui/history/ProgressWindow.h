#pragma once
// The "Můj pokrok" window: the pupil's speed and error rate attempt by attempt, for all texts
// or one lesson, the attempts one per row, each lesson's best and last result, the timed copies
// with their grades' levels, and the history as CSV. Everything is read on the history's thread:
// the window opens at once and fills in as the answers arrive; what it held goes with it when it
// closes.

#include "CopyTestRecord.h"
#include "LessonResults.h"
#include "ProgressSeries.h"

#include <QDialog>

#include <vector>

class AttemptsModel;
class CopyTestList;
class HistoryThread;
class ProgressPlots;
class ProgressPlotsLoader;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class QTableWidget;
class QTabWidget;

class ProgressWindow final : public QDialog {
    Q_OBJECT

public:
    // At most this many points in a plot; a longer history is plotted in groups of attempts.
    static constexpr int kMostPoints = 300;

    ProgressWindow(HistoryThread& history, ProgressPlotsLoader& plots, QWidget* parent);

    // Writes the history as CSV to `path` on the history's thread; Exported tells how it went.
    void ExportCsv(const QString& path);
    // Where the export is offered first: the pupil's documents folder.
    [[nodiscard]] static QString DefaultCsvPath();
    // Whether everything the window asked for its filter has arrived.
    [[nodiscard]] bool IsLoaded() const;
    // A table of a feature's own after the window's tables.
    void AddTab(QWidget* tab, const QString& title);

signals:
    void Exported(bool written);

private:
    struct Overview {
        std::vector<int> filters;
        std::vector<LessonResult> lessons;
        std::vector<CopyTestRecord> copyTests;
    };

    void AskOverview();
    void AskSeries();
    void ShowOverview(const Overview& overview);
    void ShowSeries(const ProgressSeries& series);
    void ShowNote(const QString& text);
    void FilterChosen();
    void ExportClicked();
    void ExportDone(bool written, const QString& path);
    [[nodiscard]] int Filter() const;

    HistoryThread& history_;
    QComboBox* filter_;
    QLabel* count_;
    ProgressPlots* plots_ = nullptr;
    QString plotsProblem_;
    QLabel* note_;
    QTabWidget* tabs_;
    AttemptsModel* attempts_;
    QTableView* attemptsView_;
    QTableWidget* lessons_;
    CopyTestList* copyTests_; // a tab of its own once the pupil has taken a test
    QPushButton* export_;
    QLabel* status_;
    int generation_ = 0; // answers for an earlier filter are dropped
    bool overviewShown_ = false;
    bool seriesShown_ = false;
};
