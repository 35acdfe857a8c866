#include "KeySpeedsTab.h"

#include "HistoryQueries.h"
#include "HistoryThread.h"
#include "KeyDays.h"
#include "QtText.h"

#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

KeySpeedsTab::KeySpeedsTab(HistoryThread& history, const QString& note, QWidget* parent)
    : QWidget(parent), table_(new QTableWidget(this)) {
    setObjectName(QStringLiteral("TabKlavesy"));
    table_->setObjectName(QStringLiteral("TableKlavesy"));
    table_->setColumnCount(5);
    table_->setHorizontalHeaderLabels({QString::fromUtf8("Klávesa"),
                                       QString::fromUtf8("Rychlost (úhozů/min)"),
                                       QString::fromUtf8("Chybovost"), QString::fromUtf8("Napsáno"),
                                       QString::fromUtf8("Rozložení")});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setTabKeyNavigation(false);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* layout = new QVBoxLayout(this);
    auto* words = new QLabel(
        note.isEmpty() ? QString::fromUtf8("Rychlost kláves z tréninku na míru: úhozy za minutu "
                                           "na jeden stisk klávesy.")
                       : note,
        this);
    words->setObjectName(QStringLiteral("LabelOdhad"));
    words->setWordWrap(true);
    layout->addWidget(words);
    layout->addWidget(table_, 1);
    history.Ask<std::vector<KeySpeedRow>>(
        this, [](const HistoryQueries& queries) { return queries.KeySpeeds(); },
        [this](std::vector<KeySpeedRow> rows) { Show(rows); });
}

void KeySpeedsTab::Show(const std::vector<KeySpeedRow>& rows) {
    const QLocale czech(QLocale::Czech, QLocale::CzechRepublic);
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const KeySpeedRow& row = rows[static_cast<size_t>(r)];
        const QString key =
            row.character == ' '
                ? QString::fromUtf8("mezera")
                : QtText::FromCp1250(std::string(1, static_cast<char>(row.character)));
        const QStringList cells = {
            key, row.speed > 0 ? QString::number(std::lround(row.speed)) : QString::fromUtf8("–"),
            czech.toString(100 * row.errorRate, 'f', 1) + QString::fromUtf8(" %"),
            QString::number(row.occurrences),
            row.qwertz ? QStringLiteral("QWERTZ") : QStringLiteral("QWERTY")};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(c == 0 ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(r, c, item);
        }
    }
}
