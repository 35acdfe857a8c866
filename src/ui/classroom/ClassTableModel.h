#pragma once
// The teacher's table: a row per pupil, the figures of the overview first, then a column per
// lesson with a tick where the pupil passed it, as the lesson dialog ticks it.

#include "ClassOverview.h"

#include <QAbstractTableModel>
#include <QIcon>

class ClassTableModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    // The figures before the lessons' columns.
    enum Column { Login, Results, LastActivity, Passed, ErrorRate, CopySpeed, CopyGrade, Lessons };

    explicit ClassTableModel(QObject* parent = nullptr);

    void SetOverview(ClassOverview overview);
    [[nodiscard]] const ClassOverview& Overview() const { return overview_; }
    // The lesson a column stands for; 0 for the figures' columns.
    [[nodiscard]] static int LessonOf(int column);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

private:
    [[nodiscard]] QVariant Figure(const PupilSummary& pupil, int column) const;

    ClassOverview overview_;
    QIcon tick_;
};
