#include "ProgressWindow.h"

#include "AttemptsModel.h"
#include "CopyTestList.h"
#include "HistoryCsv.h"
#include "HistoryFailure.h"
#include "HistoryQueries.h"
#include "HistoryText.h"
#include "HistoryThread.h"
#include "ProgressPlots.h"
#include "ProgressPlotsLoader.h"
#include "QtText.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr QSize kPreferredSize(820, 720);

QString FromCp1250(const std::string& text) {
    return QtText::FromCp1250(text);
}

QString FilterName(int filter) {
    if (filter == ProgressSeries::kAllTexts) {
        return QString::fromUtf8("Všechny texty");
    }
    if (filter == ProgressSeries::kOwnTexts) {
        return QString::fromUtf8("Vlastní texty a procvičení");
    }
    if (filter == ProgressSeries::kCopyTests) {
        return QString::fromUtf8("Opisy na čas");
    }
    return QString::fromUtf8("Lekce %1").arg(filter);
}

// The timed copies are plotted against the speeds of the grades, their errors against the
// most a grade 3 allows.
void ShowAsCopyTests(ProgressPlotData& data) {
    data.speedTitle = QString::fromUtf8("Čisté úhozy za minutu");
    data.errorGuide = QString::fromUtf8("nejvýše 0,50 % chyb (známka 3)");
    data.errorLimit = 0.5;
    data.speedLevels = {{200, QString::fromUtf8("200 (známka 3)")},
                        {220, QString::fromUtf8("220 (známka 2)")},
                        {240, QString::fromUtf8("240 (známka 1)")}};
}

QString Attempts(int64_t count) {
    if (count == 1) {
        return QString::fromUtf8("1 pokus");
    }
    if (count >= 2 && count <= 4) {
        return QString::fromUtf8("%1 pokusy").arg(count);
    }
    return QString::fromUtf8("%1 pokusů").arg(count);
}

} // namespace

ProgressWindow::ProgressWindow(HistoryThread& history, ProgressPlotsLoader& plots, QWidget* parent)
    : QDialog(parent), history_(history), filter_(new QComboBox(this)), count_(new QLabel(this)),
      note_(new QLabel(this)), tabs_(new QTabWidget(this)),
      attempts_(new AttemptsModel(history, this)), attemptsView_(new QTableView(this)),
      lessons_(new QTableWidget(this)), copyTests_(new CopyTestList(this)),
      export_(new QPushButton(this)), status_(new QLabel(this)) {
    setObjectName(QStringLiteral("ProgressWindow"));
    setWindowTitle(QString::fromUtf8("Můj pokrok"));
    setSizeGripEnabled(true);

    filter_->setObjectName(QStringLiteral("ComboFiltr"));
    filter_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    filter_->addItem(FilterName(ProgressSeries::kAllTexts), ProgressSeries::kAllTexts);
    auto* filterLabel = new QLabel(QString::fromUtf8("Zo&brazit:"), this);
    filterLabel->setBuddy(filter_);
    count_->setObjectName(QStringLiteral("LabelPocet"));
    auto* top = new QHBoxLayout;
    top->addWidget(filterLabel);
    top->addWidget(filter_);
    top->addSpacing(12);
    top->addWidget(count_, 1);

    note_->setObjectName(QStringLiteral("LabelGrafy"));
    note_->setWordWrap(true);
    note_->setAlignment(Qt::AlignCenter);
    note_->setMargin(12);
    plots_ = plots.Create(this, plotsProblem_);
    plotsProblem_.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));

    attemptsView_->setObjectName(QStringLiteral("TablePokusy"));
    attemptsView_->setModel(attempts_);
    attemptsView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    attemptsView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    attemptsView_->setAlternatingRowColors(true);
    // Arrows move within a table; Tab moves on to the next control.
    attemptsView_->setTabKeyNavigation(false);
    attemptsView_->verticalHeader()->hide();
    attemptsView_->setWordWrap(false);
    attemptsView_->horizontalHeader()->setStretchLastSection(true);
    lessons_->setObjectName(QStringLiteral("TableLekce"));
    lessons_->setColumnCount(6);
    lessons_->setHorizontalHeaderLabels(
        {QString::fromUtf8("Lekce"), QString::fromUtf8("Nejlepší výsledek"),
         QString::fromUtf8("Dne"), QString::fromUtf8("Poslední výsledek"), QString::fromUtf8("Dne"),
         QString::fromUtf8("Pokusů")});
    lessons_->verticalHeader()->hide();
    lessons_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lessons_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lessons_->setTabKeyNavigation(false);
    lessons_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tabs_->setObjectName(QStringLiteral("TabTabulky"));
    tabs_->addTab(attemptsView_, QString::fromUtf8("&Pokusy"));
    tabs_->addTab(lessons_, QString::fromUtf8("Výsledky &lekcí (✓ = lekce splněna)"));
    copyTests_->hide();

    export_->setText(QString::fromUtf8("&Exportovat do CSV…"));
    export_->setObjectName(QStringLiteral("ButtonExport"));
    auto* closeButton = new QPushButton(QString::fromUtf8("&Zavřít"), this);
    closeButton->setObjectName(QStringLiteral("ButtonZavrit"));
    // Enter wherever it means nothing else closes the window, as Esc does.
    closeButton->setDefault(true);
    status_->setObjectName(QStringLiteral("LabelStav"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(export_);
    buttons->addWidget(status_, 1);
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    if (plots_ != nullptr) {
        layout->addWidget(plots_->Widget(), 3);
        plots_->Widget()->hide();
    }
    // The words stand where the plots would: the tables keep their place either way.
    layout->addWidget(note_, 3);
    layout->addWidget(tabs_, 2);
    layout->addLayout(buttons);
    // Tab goes through the controls in the order they were made: the filter, the tables, the
    // buttons.

    // As large as it was designed, within the screen the main window is on.
    const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect area =
        screen != nullptr ? screen->availableGeometry() : QRect(QPoint(), kPreferredSize);
    resize(std::min(kPreferredSize.width(), area.width() - 40),
           std::min(kPreferredSize.height(), area.height() - 60));

    connect(filter_, &QComboBox::currentIndexChanged, this, &ProgressWindow::FilterChosen);
    connect(export_, &QPushButton::clicked, this, &ProgressWindow::ExportClicked);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(attempts_, &AttemptsModel::PageArrived, this, [this] {
        // The columns fit what the rows on the screen hold; later pages keep them.
        if (attempts_->rowCount() <= AttemptsModel::kPageSize) {
            attemptsView_->resizeColumnsToContents();
        }
    });

    ShowNote(QString::fromUtf8("Načítám historii…"));
    AskOverview();
    FilterChosen();
}

int ProgressWindow::Filter() const {
    return filter_->currentIndex() >= 0 ? filter_->currentData().toInt()
                                        : ProgressSeries::kAllTexts;
}

void ProgressWindow::AddTab(QWidget* tab, const QString& title) {
    tabs_->addTab(tab, title);
}

void ProgressWindow::AskOverview() {
    history_.Ask<Overview>(
        this,
        [](const HistoryQueries& queries) {
            return Overview{queries.Filters(), queries.LessonRows(), queries.CopyTests()};
        },
        [this](Overview overview) { ShowOverview(overview); });
}

void ProgressWindow::FilterChosen() {
    ++generation_;
    seriesShown_ = false;
    AskSeries();
    attempts_->ShowFilter(Filter());
    if (Filter() == ProgressSeries::kCopyTests && tabs_->indexOf(copyTests_) >= 0) {
        tabs_->setCurrentWidget(copyTests_);
    }
}

void ProgressWindow::AskSeries() {
    history_.Ask<ProgressSeries>(
        this,
        [filter = Filter()](const HistoryQueries& queries) {
            if (filter == ProgressSeries::kCopyTests) {
                return ProgressSeries::OfCopyTests(queries.CopyTests(), kMostPoints);
            }
            return queries.Progress(filter, kMostPoints);
        },
        [this, generation = generation_](ProgressSeries series) {
            if (generation == generation_) {
                ShowSeries(series);
            }
        });
}

void ProgressWindow::ShowOverview(const Overview& overview) {
    {
        const int wanted = Filter();
        const QSignalBlocker block(filter_);
        filter_->clear();
        for (int filter : overview.filters) {
            filter_->addItem(FilterName(filter), filter);
        }
        filter_->setCurrentIndex(std::max(0, filter_->findData(wanted)));
    }
    lessons_->setRowCount(static_cast<int>(overview.lessons.size()));
    int row = 0;
    for (const LessonResult& r : overview.lessons) {
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
            lessons_->setItem(row, column, item);
        }
        ++row;
    }
    if (!overview.copyTests.empty()) {
        copyTests_->Show(overview.copyTests);
        if (tabs_->indexOf(copyTests_) < 0) {
            tabs_->addTab(copyTests_, QString::fromUtf8("&Opisy na čas"));
        }
        if (Filter() == ProgressSeries::kCopyTests) {
            tabs_->setCurrentWidget(copyTests_);
        }
    }
    overviewShown_ = true;
}

void ProgressWindow::ShowSeries(const ProgressSeries& series) {
    seriesShown_ = true;
    QString count = Attempts(series.attempts);
    if (!series.points.empty() && series.points.front().attempts > 1) {
        count += QString::fromUtf8(" (bod grafu je průměr %1 pokusů za sebou)")
                     .arg(series.points.front().attempts);
    }
    count_->setText(series.attempts > 0 ? count : QString());
    if (series.attempts == 0) {
        ShowNote(QString::fromUtf8("Historie je zatím prázdná. Až dopíšete lekci nebo vlastní "
                                   "text, uvidíte tady svou rychlost a chybovost."));
    } else if (series.points.size() < 2) {
        ShowNote(QString::fromUtf8("Zatím jen jeden pokus: grafy se ukážou od dvou pokusů. "
                                   "Výsledek najdete v tabulce pokusů níže."));
    } else if (plots_ == nullptr) {
        ShowNote(plotsProblem_ + QString::fromUtf8("\nVýsledky najdete v tabulkách níže."));
    } else {
        ProgressPlotData data;
        for (const ProgressPoint& point : series.points) {
            data.points.append({point.X(), point.speed, point.errorPercent, point.expectedSpeed,
                                FromCp1250(ProgressSeries::Tip(point))});
        }
        for (const ProgressAxisLabel& label : ProgressSeries::AxisLabels(series.points, 7)) {
            data.marks.append({label.x, QString::fromStdString(label.text)});
        }
        if (Filter() == ProgressSeries::kCopyTests) {
            ShowAsCopyTests(data);
        }
        plots_->Show(data);
        note_->hide();
        plots_->Widget()->show();
    }
}

void ProgressWindow::ShowNote(const QString& text) {
    if (plots_ != nullptr) {
        plots_->Widget()->hide();
    }
    note_->setText(text);
    note_->show();
}

bool ProgressWindow::IsLoaded() const {
    return overviewShown_ && seriesShown_ && attempts_->Arrived();
}

QString ProgressWindow::DefaultCsvPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = QDir::homePath();
    }
    return QDir(folder).filePath(QStringLiteral("historie-klaptos.csv"));
}

void ProgressWindow::ExportClicked() {
    const QString path = QFileDialog::getSaveFileName(
        this, QString::fromUtf8("Uložit historii jako CSV"), DefaultCsvPath(),
        QString::fromUtf8("CSV (*.csv);;Všechny soubory (*)"));
    if (!path.isEmpty()) {
        ExportCsv(path);
    }
}

void ProgressWindow::ExportCsv(const QString& path) {
    export_->setEnabled(false);
    status_->setText(QString::fromUtf8("Ukládám historii…"));
    // The window may close meanwhile: the job holds nothing of it but a guarded pointer.
    history_.Run([&history = history_, guard = QPointer<ProgressWindow>(this),
                  path](HistoryDatabase& database) {
        bool written = false;
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            const std::string header = HistoryCsv::Header();
            bool ok = file.write(header.data(), static_cast<qint64>(header.size())) >= 0;
            try {
                if (const HistoryQueries* queries = database.Queries()) {
                    const auto write = [&](const std::string& text) {
                        ok = ok && file.write(text.data(), static_cast<qint64>(text.size())) >= 0;
                    };
                    queries->ForEachText(
                        [&](const HistoryRecord& record) { write(HistoryCsv::Line(record)); });
                    const std::vector<CopyTestRecord> tests = queries->CopyTests();
                    if (!tests.empty()) {
                        write("\r\n" + HistoryCsv::CopyTestHeader());
                    }
                    for (const CopyTestRecord& test : tests) {
                        write(HistoryCsv::CopyTestLine(test));
                    }
                }
            } catch (const HistoryFailure& failure) {
                if (failure.Locked()) {
                    throw; // tried again once the lock is free, from the start
                }
                database.Fail(failure);
                ok = false;
            }
            written = ok && file.commit();
        }
        history.Deliver([guard, written, path] {
            if (guard) {
                guard->ExportDone(written, path);
            }
        });
    });
}

void ProgressWindow::ExportDone(bool written, const QString& path) {
    export_->setEnabled(true);
    status_->setText(written ? QString::fromUtf8("Uloženo do „%1“.").arg(QFileInfo(path).fileName())
                             : QString());
    if (!written) {
        QMessageBox::warning(this, windowTitle(),
                             QString::fromUtf8("Soubor „%1“ nelze uložit.").arg(path));
    }
    emit Exported(written);
}
