#include "HistoryFeature.h"

#include "KeySpeedsTab.h"

#include "HistoryQueries.h"
#include "HistoryThread.h"
#include "LessonResults.h"
#include "ProgressWindow.h"
#include "TFormLekce.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>

#include <utility>

HistoryFeature::HistoryFeature(HistoryThread& history, const SpeedMeter& meter, const LEKCE& store,
                               HistoryRecorder::Sources sources, QStringList pluginDirs,
                               HistoryStore* recordInto)
    : history_(history),
      recorder_(recordInto != nullptr ? *recordInto : static_cast<HistoryStore&>(history), meter,
                store, std::move(sources)),
      plots_(std::move(pluginDirs)) {}

std::vector<std::pair<QString, QAction*>> HistoryFeature::CreateActions(QWidget* window) {
    auto* action = new QAction(QString::fromUtf8("&Můj pokrok"), window);
    action->setObjectName(QStringLiteral("ActionMujPokrok"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    const QString hint = QString::fromUtf8("Rychlost a chybovost v čase, výsledky lekcí, export");
    action->setToolTip(hint);
    action->setStatusTip(hint);
    QObject::connect(action, &QAction::triggered, window, [this, window] { ShowProgress(window); });
    return {{QStringLiteral("MenuProgram"), action}};
}

void HistoryFeature::ShowProgress(QWidget* window) {
    // Typing stops while the window is open, as for the main window's own windows.
    ProgressWindow progress(history_, plots_, window);
    progress.AddTab(new KeySpeedsTab(history_, keysNote_ ? keysNote_() : QString(), &progress),
                    QString::fromUtf8("&Klávesy"));
    if (runModal_) {
        runModal_(progress);
    } else {
        progress.exec();
    }
}

void HistoryFeature::PrepareLessonDialog(TFormLekce& dialog) {
    if (passed_) {
        dialog.MarkPassed(passed_->first, passed_->second);
    }
    history_.Ask<std::vector<LessonResult>>(
        &dialog, [](const HistoryQueries& queries) { return queries.LessonRows(); },
        [this, &dialog](std::vector<LessonResult> rows) {
            const LessonResults results(std::move(rows));
            passed_ = PassedLessons(results.PassedLessons(false), results.PassedLessons(true));
            dialog.MarkPassed(passed_->first, passed_->second);
        });
}
