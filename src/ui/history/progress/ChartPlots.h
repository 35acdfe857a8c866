#pragma once
// The two plots of "Můj pokrok" drawn with Qt Charts, one above the other over the same axis of
// attempts: the speed with the lesson's expected speed, the error rate with its limit. Their
// plot areas are kept aligned, so that an attempt lies at the same place in both.

#include "ProgressPlots.h"

#include <QWidget>

class QCategoryAxis;
class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;

class ChartPlots final : public QWidget, public ProgressPlots {
    Q_OBJECT

public:
    explicit ChartPlots(QWidget* parent);

    QWidget* Widget() override { return this; }
    void Show(const ProgressPlotData& data) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct Plot {
        QChart* chart = nullptr;
        QChartView* view = nullptr;
        QLineSeries* values = nullptr;
        QLineSeries* guide = nullptr;
        QCategoryAxis* attempts = nullptr;
        QValueAxis* value = nullptr;
    };
    Plot MakePlot(const char* name, const QString& title, const QString& valuesName,
                  const QString& guideName, const QString& labelFormat);
    void ShowRange(Plot& plot, double top);
    void AlignPlotAreas();
    void ShowTip(const QPointF& position, bool hovered);

    Plot speed_;
    Plot errors_;
    ProgressPlotData data_;
    bool aligning_ = false; // setting a plot area announces a changed one
};
