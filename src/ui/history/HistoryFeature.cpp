#include "HistoryFeature.h"

#include "HistoryStore.h"
#include "LessonResults.h"
#include "QtText.h"
#include "TFormLekce.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>

#include <utility>

HistoryFeature::HistoryFeature(HistoryStore& history, const SpeedMeter& meter, const LEKCE& store,
                               Reporter& reporter, const KeyErrorCounts* keyErrors,
                               QStringList pluginDirs)
    : history_(history), recorder_(history, meter, store, keyErrors),
      progress_(history, reporter, std::move(pluginDirs)) {}

std::vector<std::pair<QString, QAction*>> HistoryFeature::CreateActions(QWidget* window) {
    auto* action = new QAction(QString::fromUtf8("&Můj pokrok"), window);
    action->setObjectName(QStringLiteral("ActionMujPokrok"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    const QString hint = QString::fromUtf8("Rychlost a chybovost v čase, výsledky lekcí, export");
    action->setToolTip(hint);
    action->setStatusTip(hint);
    // The window is not modal: typing stops only as it does whenever the main window loses
    // the keyboard, and the pupil may keep it open beside the typing.
    QObject::connect(action, &QAction::triggered, window,
                     [this, window] { progress_.Show(window); });
    return {{QStringLiteral("MenuProgram"), action}};
}

void HistoryFeature::PrepareLessonDialog(TFormLekce& dialog) {
    const LessonResults results(history_.Records());
    dialog.MarkPassed(results.PassedLessons(false), results.PassedLessons(true));
}
