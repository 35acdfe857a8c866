#pragma once
// The table of attempts in "Můj pokrok": one row per finished text, newest first, read from
// the history a page at a time as the pupil scrolls, so that a long history opens as fast as a
// short one.

#include "HistoryRecord.h"

#include <QAbstractTableModel>

#include <vector>

class HistoryThread;

class AttemptsModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int kPageSize = 100;

    AttemptsModel(HistoryThread& history, QObject* parent);

    // Forgets the rows shown and asks for the newest page of `filter` (ProgressSeries).
    void ShowFilter(int filter);
    // Whether the first page of the filter shown has arrived.
    [[nodiscard]] bool Arrived() const { return arrived_; }

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;
    [[nodiscard]] bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

signals:
    void PageArrived();

private:
    void AskPage();

    HistoryThread& history_;
    int filter_ = 0;
    int generation_ = 0; // answers for an earlier filter are dropped
    std::vector<HistoryRecord> rows_;
    bool asking_ = false;
    bool arrived_ = false;
    bool complete_ = false;
};
