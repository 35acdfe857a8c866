#pragma once
// The plots of the "Můj pokrok" window: speed and error rate over the pupil's attempts. They
// come from the optional plugin klaptos_progress.so, which draws them with Qt Charts (GPLv3);
// without it the window shows its tables alone. Only this header is shared with the plugin.

#include <QList>
#include <QString>
#include <QWidget>
#include <QtPlugin>

// One point of both plots: an attempt, or a group of attempts one after the other.
struct ProgressPlotPoint {
    double x = 0;             // on the axis of attempts
    double speed = 0;         // correct keystrokes per minute
    double errorPercent = 0;  // errors per 100 keystrokes
    double expectedSpeed = 0; // what the lesson expects
    QString tip;              // when, and the figures, for the pointer
};

struct ProgressAxisMark {
    double x = 0;
    QString text; // a date or a time of day; no two marks have the same text
};

struct ProgressPlotData {
    QList<ProgressPlotPoint> points; // in order of x, at least two
    QList<ProgressAxisMark> marks;
    double errorLimit = 2.0; // the error rate a lesson may not exceed, in per cent
};

class ProgressPlots {
public:
    virtual ~ProgressPlots() = default;
    // The plots' widget, a child of the parent it was made for.
    [[nodiscard]] virtual QWidget* Widget() = 0;
    virtual void Show(const ProgressPlotData& data) = 0;
};

class ProgressPlotsPlugin {
public:
    virtual ~ProgressPlotsPlugin() = default;
    // New plots as a child of `parent`, deleted with it.
    [[nodiscard]] virtual ProgressPlots* CreatePlots(QWidget* parent) = 0;
};

Q_DECLARE_INTERFACE(ProgressPlotsPlugin, "org.klaptos.ProgressPlotsPlugin/1")
