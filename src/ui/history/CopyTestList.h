#pragma once
// The "Můj pokrok" window's table of timed copies: one row per test, newest first, with the
// figures and the grade its result sheet gave.

#include "CopyTestRecord.h"

#include <QTableWidget>

#include <vector>

class CopyTestList final : public QTableWidget {
    Q_OBJECT

public:
    explicit CopyTestList(QWidget* parent);

    // `tests` oldest first, as the history gives them.
    void Show(const std::vector<CopyTestRecord>& tests);
};
