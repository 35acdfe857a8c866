#include "ProgressWindow.h"

#include "Cp1250.h"
#include "HistoryCsv.h"
#include "HistoryStore.h"
#include "HistoryText.h"
#include "LessonResults.h"
#include "ProgressSeries.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace {

QString FromCp1250(const std::string& text) {
    return QString::fromStdString(Cp1250::ToUtf8(text));
}

constexpr int kMsPerSecond = 1000;

} // namespace

ProgressWindow::ProgressWindow(HistoryStore& history, QWidget* parent)
    : QWidget(parent, Qt::Window), history_(history), filter_(new QComboBox(this)),
      table_(new QTableWidget(this)) {
    setObjectName(QStringLiteral("ProgressWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromUtf8("Můj pokrok"));
    resize(760, 720);

    filter_->setObjectName(QStringLiteral("ComboFiltr"));
    filter_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* filterLabel = new QLabel(QString::fromUtf8("&Zobrazit:"), this);
    filterLabel->setBuddy(filter_);
    auto* top = new QHBoxLayout;
    top->addWidget(filterLabel);
    top->addWidget(filter_);
    top->addStretch();

    speed_ = MakePlot(QString::fromUtf8("Rychlost (správných úhozů za minutu)"));
    errors_ = MakePlot(QString::fromUtf8("Chybovost (% chyb z úhozů)"));
    auto* speedView = new QChartView(speed_.chart, this);
    auto* errorView = new QChartView(errors_.chart, this);
    speedView->setObjectName(QStringLiteral("ChartRychlost"));
    errorView->setObjectName(QStringLiteral("ChartChybovost"));
    for (QChartView* view : {speedView, errorView}) {
        view->setRenderHint(QPainter::Antialiasing);
        view->setMinimumHeight(170);
    }

    table_->setObjectName(QStringLiteral("TableLekce"));
    table_->setColumnCount(6);
    table_->setHorizontalHeaderLabels(
        {QString::fromUtf8("Lekce"), QString::fromUtf8("Nejlepší výsledek"),
         QString::fromUtf8("Dne"), QString::fromUtf8("Poslední výsledek"), QString::fromUtf8("Dne"),
         QString::fromUtf8("Pokusů")});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* exportButton = new QPushButton(QString::fromUtf8("&Exportovat do CSV…"), this);
    exportButton->setObjectName(QStringLiteral("ButtonExport"));
    auto* closeButton = new QPushButton(QString::fromUtf8("&Zavřít"), this);
    closeButton->setObjectName(QStringLiteral("ButtonZavrit"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(exportButton);
    buttons->addStretch();
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(speedView, 2);
    layout->addWidget(errorView, 2);
    layout->addWidget(new QLabel(QString::fromUtf8("Výsledky lekcí (✓ = lekce splněna)"), this));
    layout->addWidget(table_, 3);
    layout->addLayout(buttons);

    connect(filter_, &QComboBox::currentIndexChanged, this, &ProgressWindow::ShowSeries);
    connect(exportButton, &QPushButton::clicked, this, &ProgressWindow::ExportClicked);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
}

ProgressWindow::Plot ProgressWindow::MakePlot(const QString& title) {
    Plot plot;
    plot.chart = new QChart;
    plot.chart->setTitle(title);
    plot.chart->legend()->hide();
    plot.chart->setMargins(QMargins(4, 4, 4, 4));
    plot.series = new QLineSeries(plot.chart);
    plot.chart->addSeries(plot.series);
    plot.time = new QDateTimeAxis(plot.chart);
    plot.time->setFormat(QStringLiteral("d. M."));
    plot.time->setTickCount(8);
    plot.value = new QValueAxis(plot.chart);
    plot.value->setLabelFormat(QStringLiteral("%g"));
    plot.chart->addAxis(plot.time, Qt::AlignBottom);
    plot.chart->addAxis(plot.value, Qt::AlignLeft);
    plot.series->attachAxis(plot.time);
    plot.series->attachAxis(plot.value);
    return plot;
}

void ProgressWindow::showEvent(QShowEvent* event) {
    // Each opening shows the texts finished since the window was made; a window brought
    // back from the task bar keeps what it shows.
    if (!event->spontaneous()) {
        Reload();
    }
    QWidget::showEvent(event);
}

void ProgressWindow::Reload() {
    records_ = history_.Records();
    FillFilters();
    FillTable();
    ShowSeries();
}

void ProgressWindow::FillFilters() {
    const int wanted =
        filter_->currentIndex() >= 0 ? filter_->currentData().toInt() : ProgressSeries::kAllTexts;
    const QSignalBlocker block(filter_);
    filter_->clear();
    for (int filter : ProgressSeries::Filters(records_)) {
        QString name;
        if (filter == ProgressSeries::kAllTexts) {
            name = QString::fromUtf8("Všechny texty");
        } else if (filter == ProgressSeries::kOwnTexts) {
            name = QString::fromUtf8("Vlastní texty");
        } else {
            name = QString::fromUtf8("Lekce %1").arg(filter);
        }
        filter_->addItem(name, filter);
    }
    filter_->setCurrentIndex(std::max(0, filter_->findData(wanted)));
}

void ProgressWindow::FillTable() {
    const LessonResults results(records_);
    table_->setRowCount(static_cast<int>(results.Rows().size()));
    int row = 0;
    for (const LessonResult& r : results.Rows()) {
        const QString name = FromCp1250(HistoryText::LessonName(r.lesson, r.qwertz));
        const QStringList cells{r.Passed() ? name + QString::fromUtf8(" ✓") : name,
                                FromCp1250(HistoryText::Result(r.best)),
                                QString::fromStdString(HistoryText::Date(r.best.endedAt)),
                                FromCp1250(HistoryText::Result(r.last)),
                                QString::fromStdString(HistoryText::Date(r.last.endedAt)),
                                QString::number(r.count)};
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column == 5) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            table_->setItem(row, column, item);
        }
        ++row;
    }
}

void ProgressWindow::ShowSeries() {
    const std::vector<ProgressPoint> points =
        ProgressSeries::Of(records_, filter_->currentData().toInt());
    QList<QPointF> speed;
    QList<QPointF> errors;
    speed.reserve(static_cast<qsizetype>(points.size()));
    errors.reserve(static_cast<qsizetype>(points.size()));
    double maxSpeed = 0;
    double maxErrors = 0;
    for (const ProgressPoint& p : points) {
        const double x = static_cast<double>(p.endedAt) * kMsPerSecond;
        speed.append({x, static_cast<double>(p.speed)});
        errors.append({x, p.errorPercent});
        maxSpeed = std::max(maxSpeed, static_cast<double>(p.speed));
        maxErrors = std::max(maxErrors, p.errorPercent);
    }
    speed_.series->replace(speed);
    errors_.series->replace(errors);

    // A day on each side, so that one text or one day still spans the axis.
    constexpr qint64 kDayMs = 24LL * 3600 * 1000;
    const qint64 first = points.empty() ? QDateTime::currentMSecsSinceEpoch()
                                        : points.front().endedAt * kMsPerSecond;
    const qint64 last = points.empty() ? first : points.back().endedAt * kMsPerSecond;
    // The year only where the plot spans more than one.
    const bool manyMonths = last - first > 300 * kDayMs;
    for (Plot* plot : {&speed_, &errors_}) {
        plot->time->setFormat(manyMonths ? QStringLiteral("M/yyyy") : QStringLiteral("d. M."));
        plot->time->setRange(QDateTime::fromMSecsSinceEpoch(first - kDayMs / 2),
                             QDateTime::fromMSecsSinceEpoch(last + kDayMs / 2));
        plot->series->setPointsVisible(points.size() <= 200);
    }
    speed_.value->setRange(0, std::max(50.0, maxSpeed * 1.1));
    errors_.value->setRange(0, std::max(5.0, maxErrors * 1.1));
    speed_.value->applyNiceNumbers();
    errors_.value->applyNiceNumbers();
}

bool ProgressWindow::ExportCsv(const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const std::string csv = HistoryCsv::Text(history_.Records());
    file.write(csv.data(), static_cast<qint64>(csv.size()));
    return file.commit();
}

void ProgressWindow::ExportClicked() {
    const QString path = QFileDialog::getSaveFileName(
        this, QString::fromUtf8("Uložit historii jako CSV"), QStringLiteral("historie-klaptos.csv"),
        QString::fromUtf8("CSV (*.csv);;Všechny soubory (*)"));
    if (path.isEmpty()) {
        return;
    }
    if (!ExportCsv(path)) {
        QMessageBox::warning(this, windowTitle(),
                             QString::fromUtf8("Soubor „%1“ nelze uložit.").arg(path));
    }
}
