#include "ChartPlots.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QGraphicsLayout>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QPen>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// Points are drawn as dots up to this many; more would merge into a thick line.
constexpr int kMostDots = 120;

} // namespace

ChartPlots::ChartPlots(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ProgressPlots"));
    speed_ = MakePlot("ChartRychlost", QString::fromUtf8("Rychlost (správné úhozy za minutu)"),
                      QString::fromUtf8("rychlost"), QString::fromUtf8("očekávaná rychlost lekce"),
                      QStringLiteral("%.0f"));
    errors_ = MakePlot("ChartChybovost", QString::fromUtf8("Frekvence chyb (% úhozů)"),
                       QString::fromUtf8("chyby"), QString::fromUtf8("nejvýše 2 % chyb"),
                       QStringLiteral("%.1f"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(speed_.view);
    layout->addWidget(errors_.view);
}

ChartPlots::Plot ChartPlots::MakePlot(const char* name, const QString& title,
                                      const QString& valuesName, const QString& guideName,
                                      const QString& labelFormat) {
    Plot plot;
    plot.chart = new QChart;
    plot.chart->setTitle(title);
    // Room on the right for half the last date on the axis.
    plot.chart->setMargins(QMargins(4, 2, 24, 2));
    plot.chart->setLocalizeNumbers(true);
    plot.chart->setLocale(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    plot.chart->legend()->setAlignment(Qt::AlignBottom);

    plot.values = new QLineSeries(plot.chart);
    plot.values->setName(valuesName);
    plot.guide = new QLineSeries(plot.chart);
    plot.guide->setName(guideName);
    QPen guidePen(QColor(200, 60, 40));
    guidePen.setStyle(Qt::DashLine);
    guidePen.setWidthF(1.5);
    plot.guide->setPen(guidePen);
    plot.chart->addSeries(plot.values);
    plot.chart->addSeries(plot.guide);

    plot.attempts = new QCategoryAxis(plot.chart);
    plot.attempts->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    plot.attempts->setGridLineVisible(false);
    plot.value = new QValueAxis(plot.chart);
    // Localized numbers take a format with its precision only.
    plot.value->setLabelFormat(labelFormat);
    plot.chart->addAxis(plot.attempts, Qt::AlignBottom);
    plot.chart->addAxis(plot.value, Qt::AlignLeft);
    for (QLineSeries* series : {plot.values, plot.guide}) {
        series->attachAxis(plot.attempts);
        series->attachAxis(plot.value);
    }
    connect(plot.values, &QLineSeries::hovered, this, &ChartPlots::ShowTip);
    connect(plot.chart, &QChart::plotAreaChanged, this, [this] { AlignPlotAreas(); });

    plot.view = new QChartView(plot.chart, this);
    plot.view->setObjectName(QString::fromLatin1(name));
    plot.view->setRenderHint(QPainter::Antialiasing);
    plot.view->setMinimumHeight(150);
    // A plot is looked at, not used: Tab passes it by.
    plot.view->setFocusPolicy(Qt::NoFocus);
    return plot;
}

void ChartPlots::Show(const ProgressPlotData& data) {
    data_ = data;
    QList<QPointF> speed;
    QList<QPointF> errors;
    QList<QPointF> expected;
    speed.reserve(data.points.size());
    errors.reserve(data.points.size());
    double topSpeed = 0;
    double topErrors = data.errorLimit;
    for (const ProgressPlotPoint& p : data.points) {
        speed.append({p.x, p.speed});
        errors.append({p.x, p.errorPercent});
        // The expected speed changes between attempts of different lessons: a step, not a slope.
        if (!expected.isEmpty() && expected.last().y() != p.expectedSpeed) {
            expected.append({p.x - 0.5, expected.last().y()});
            expected.append({p.x - 0.5, p.expectedSpeed});
        }
        expected.append({p.x, p.expectedSpeed});
        topSpeed = std::max({topSpeed, p.speed, p.expectedSpeed});
        topErrors = std::max(topErrors, p.errorPercent);
    }
    speed_.values->replace(speed);
    speed_.guide->replace(expected);
    errors_.values->replace(errors);
    const double first = data.points.isEmpty() ? 0 : data.points.first().x;
    const double last = data.points.isEmpty() ? 1 : data.points.last().x;
    errors_.guide->replace({{first - 0.5, data.errorLimit}, {last + 0.5, data.errorLimit}});

    for (Plot* plot : {&speed_, &errors_}) {
        plot->values->setPointsVisible(data.points.size() <= kMostDots);
        for (const QString& label : plot->attempts->categoriesLabels()) {
            plot->attempts->remove(label);
        }
        plot->attempts->setStartValue(first - 0.5);
        for (const ProgressAxisMark& mark : data.marks) {
            plot->attempts->append(mark.text, mark.x);
        }
        plot->attempts->setRange(first - 0.5, last + 0.5);
    }
    ShowRange(speed_, std::max(50.0, topSpeed * 1.1));
    ShowRange(errors_, topErrors * 1.15);
    AlignPlotAreas();
}

void ChartPlots::ShowRange(Plot& plot, double top) {
    plot.value->setRange(0, top);
    plot.value->applyNiceNumbers();
}

void ChartPlots::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    AlignPlotAreas();
}

void ChartPlots::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    AlignPlotAreas();
}

// Each chart places its plot area by the width of its own axis labels ("150" against "2"); both
// take the narrower span of the two, so that an attempt lies above itself.
void ChartPlots::AlignPlotAreas() {
    if (aligning_) {
        return;
    }
    aligning_ = true;
    QRectF areas[2];
    int i = 0;
    for (Plot* plot : {&speed_, &errors_}) {
        plot->chart->setPlotArea(QRectF());
        plot->chart->resize(plot->view->size());
        if (QGraphicsLayout* layout = plot->chart->layout()) {
            layout->invalidate();
            layout->activate();
        }
        areas[i++] = plot->chart->plotArea();
    }
    const qreal left = std::max(areas[0].left(), areas[1].left());
    const qreal right = std::min(areas[0].right(), areas[1].right());
    i = 0;
    for (Plot* plot : {&speed_, &errors_}) {
        const QRectF& area = areas[i++];
        if (right > left && area.height() > 0) {
            plot->chart->setPlotArea(QRectF(left, area.top(), right - left, area.height()));
        }
    }
    aligning_ = false;
}

void ChartPlots::ShowTip(const QPointF& position, bool hovered) {
    if (!hovered || data_.points.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    const auto nearest =
        std::min_element(data_.points.begin(), data_.points.end(),
                         [&](const ProgressPlotPoint& a, const ProgressPlotPoint& b) {
                             return std::abs(a.x - position.x()) < std::abs(b.x - position.x());
                         });
    QToolTip::showText(QCursor::pos(), nearest->tip, this);
}
