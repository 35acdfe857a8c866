#include "PupilChart.h"

#include "HistoryText.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

constexpr int kMargin = 8;
constexpr int kAxisWidth = 40;
constexpr int kPointRadius = 3;
constexpr int kPlotPadding = 8; // the first and the last point clear of the plot's edges
const QColor kTextLine(0, 90, 170);
const QColor kCopyTest(200, 110, 0);

// A scale that ends on a round number above the best speed.
int ScaleTop(int best) {
    const int step = best > 300 ? 100 : 50;
    return std::max(step, (best / step + 1) * step);
}

int Speed(const ClassResult& result) {
    return result.kind == ResultKind::CopyTest ? result.netSpeed : result.absoluteSpeed;
}

} // namespace

PupilChart::PupilChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PupilChart"));
    setMinimumSize(300, 160);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void PupilChart::SetResults(const QString& login, std::vector<ClassResult> results) {
    login_ = login;
    results_ = std::move(results);
    update();
}

void PupilChart::paintEvent(QPaintEvent* event) {
    (void)event;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics = fontMetrics();
    const int line = metrics.lineSpacing();
    const QRect whole = rect().adjusted(kMargin, kMargin, -kMargin, -kMargin);
    painter.setPen(palette().color(QPalette::Text));
    if (login_.isEmpty()) {
        painter.drawText(whole, Qt::AlignCenter, QString::fromUtf8("Vyberte žáka v tabulce."));
        return;
    }
    painter.drawText(whole.left(), whole.top() + metrics.ascent(),
                     QString::fromUtf8("%1: rychlost (úhozy/min)").arg(login_));
    if (results_.empty()) {
        painter.drawText(whole, Qt::AlignCenter, QString::fromUtf8("Zatím žádné výsledky."));
        return;
    }
    const QRect plot(whole.left() + kAxisWidth, whole.top() + line + kMargin,
                     whole.width() - kAxisWidth, whole.height() - 3 * line - kMargin);
    int best = 0;
    for (const ClassResult& result : results_) {
        best = std::max(best, Speed(result));
    }
    const int top = ScaleTop(best);
    const auto y = [&](int speed) {
        return plot.bottom() - static_cast<double>(speed) * plot.height() / top;
    };
    const auto x = [&](std::size_t i) {
        const double width = plot.width() - 2.0 * kPlotPadding;
        return results_.size() == 1
                   ? plot.center().x()
                   : plot.left() + kPlotPadding +
                         static_cast<double>(i) * width / static_cast<double>(results_.size() - 1);
    };

    // The scale: the zero line, the middle and the top, each named on the left.
    painter.setPen(palette().color(QPalette::Mid));
    for (int value : {0, top / 2, top}) {
        painter.drawLine(QPointF(plot.left(), y(value)), QPointF(plot.right(), y(value)));
        painter.drawText(QRectF(whole.left(), y(value) - line / 2.0, kAxisWidth - 4, line),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(value));
    }
    painter.setPen(palette().color(QPalette::Text));
    const QString first = QString::fromStdString(HistoryText::Date(results_.front().endedAt));
    const QString last = QString::fromStdString(HistoryText::Date(results_.back().endedAt));
    painter.drawText(QRect(plot.left(), plot.bottom() + 4, plot.width(), line),
                     Qt::AlignLeft | Qt::AlignTop, first);
    if (results_.size() > 1) {
        painter.drawText(QRect(plot.left(), plot.bottom() + 4, plot.width(), line),
                         Qt::AlignRight | Qt::AlignTop, last);
    }

    QPainterPath texts;
    bool started = false;
    for (std::size_t i = 0; i < results_.size(); ++i) {
        if (results_[i].kind == ResultKind::CopyTest) {
            continue;
        }
        const QPointF point(x(i), y(Speed(results_[i])));
        started ? texts.lineTo(point) : texts.moveTo(point);
        started = true;
    }
    painter.setPen(QPen(kTextLine, 2));
    painter.drawPath(texts);
    for (std::size_t i = 0; i < results_.size(); ++i) {
        const QPointF point(x(i), y(Speed(results_[i])));
        if (results_[i].kind == ResultKind::CopyTest) {
            painter.fillRect(QRectF(point.x() - kPointRadius - 1, point.y() - kPointRadius - 1,
                                    2 * kPointRadius + 2, 2 * kPointRadius + 2),
                             kCopyTest);
        } else {
            painter.setBrush(kTextLine);
            painter.drawEllipse(point, kPointRadius, kPointRadius);
        }
    }

    // The legend below the dates.
    const int legendY = plot.bottom() + 4 + line + metrics.ascent();
    painter.setPen(kTextLine);
    painter.drawText(plot.left(), legendY, QString::fromUtf8("● texty a lekce"));
    painter.setPen(kCopyTest);
    painter.drawText(plot.left() + metrics.horizontalAdvance(QStringLiteral("● texty a lekce")) +
                         16,
                     legendY, QString::fromUtf8("■ opisy: čistá rychlost"));
}
