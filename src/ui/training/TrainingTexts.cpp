#include "TrainingTexts.h"

#include "Cp1250.h"
#include "QtText.h"
#include "TrainingSession.h"

#include <QLocale>

#include <cmath>

namespace TrainingTexts {

namespace {

QString Speed(double speed) {
    return QString::fromUtf8("%1 úhozů/min").arg(static_cast<int>(std::lround(speed)));
}

QString Keys(int count) {
    if (count == 1) {
        return QString::fromUtf8("1 klávesa");
    }
    return count >= 2 && count <= 4 ? QString::fromUtf8("%1 klávesy").arg(count)
                                    : QString::fromUtf8("%1 kláves").arg(count);
}

QString Exercises(int count) {
    if (count == 1) {
        return QString::fromUtf8("1 cvičení");
    }
    return QString::fromUtf8("%1 cvičení").arg(count);
}

} // namespace

QString KeyName(unsigned char key) {
    if (key == ' ') {
        return QString::fromUtf8("mezera");
    }
    return key == 0 ? QString() : QtText::FromCp1250(std::string(1, static_cast<char>(key)));
}

std::string IntroLine(unsigned char focus, unsigned char unlocked, int target) {
    QString line = QString::fromUtf8("Trénink na míru: hlavní klávesa %1, cíl %2")
                       .arg(KeyName(focus), Speed(target));
    if (unlocked != 0) {
        line += QString::fromUtf8(", nová klávesa %1").arg(KeyName(unlocked));
    }
    return Cp1250::FromUtf8(line.toStdString());
}

QString StateLine(const TrainingSession& session) {
    const TrainingPlan& plan = session.Plan();
    const unsigned char focus = plan.Focus();
    QString line = QString::fromUtf8("Cíl: %1").arg(Speed(plan.Target()));
    if (focus != 0) {
        const KeyMeasure measure = session.Statistics().Measure(focus);
        line += QString::fromUtf8("   ·   hlavní klávesa %1: %2")
                    .arg(KeyName(focus), measure.timed > 0 ? Speed(measure.speed)
                                                           : QString::fromUtf8("zatím neměřená"));
        if (plan.Pinned() == focus) {
            line += QString::fromUtf8(" (zvolená)");
        }
    }
    line +=
        QString::fromUtf8("   ·   otevřeno %1").arg(Keys(static_cast<int>(plan.UnlockedCount())));
    return line;
}

QString EstimateNote(const TrainingSession& session) {
    const TrainingPlan& plan = session.Plan();
    if (plan.Focus() == 0) {
        return QString::fromUtf8("Trénink na míru zatím neproběhl.");
    }
    const KeyMeasure measure = session.Statistics().Measure(plan.Focus());
    QString note = QString::fromUtf8("Hlavní klávesa tréninku %1: %2, cíl %3.")
                       .arg(KeyName(plan.Focus()), Speed(measure.speed), Speed(plan.Target()));
    const std::optional<int> exercises = session.Trend().Key() == plan.Focus()
                                             ? session.Trend().ExercisesTo(plan.Target())
                                             : std::nullopt;
    if (exercises && *exercises == 0) {
        note += QString::fromUtf8(" Cíle už dosáhla.");
    } else if (exercises) {
        note += QString::fromUtf8(" Podle posledních cvičení cíle dosáhne asi za %1.")
                    .arg(Exercises(*exercises));
    } else {
        note += QString::fromUtf8(" Odhad bude po dalších cvičeních.");
    }
    return note;
}

QString Summary(const ExerciseSummary& summary) {
    const QLocale czech(QLocale::Czech, QLocale::CzechRepublic);
    const double rate = summary.characters > 0 ? 100.0 * summary.errors / summary.characters : 0;
    QString text = QString::fromUtf8("<b>Trénink na míru</b><br>Rychlost: %1, chyby: %2 z %3 znaků "
                                     "(%4 %)")
                       .arg(Speed(summary.speed))
                       .arg(summary.errors)
                       .arg(summary.characters)
                       .arg(czech.toString(rate, 'f', 1));
    if (summary.focus != 0) {
        text += QString::fromUtf8("<br>Hlavní klávesa <b>%1</b>: %2, cíl %3")
                    .arg(KeyName(summary.focus).toHtmlEscaped(), Speed(summary.focusSpeed),
                         Speed(summary.target));
        const int missing = summary.target - static_cast<int>(std::lround(summary.focusSpeed));
        text += missing > 0 ? QString::fromUtf8(" – chybí ještě %1").arg(Speed(missing))
                            : QString::fromUtf8(" – cíl splněn");
        if (summary.exercisesToTarget && *summary.exercisesToTarget > 0) {
            text += QString::fromUtf8("<br>Odhad: cíle dosáhne asi za %1")
                        .arg(Exercises(*summary.exercisesToTarget));
        }
    }
    return text;
}

} // namespace TrainingTexts
