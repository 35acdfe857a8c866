#include "CopyTestList.h"

#include "CopyVerdict.h"
#include "HistoryText.h"
#include "QtText.h"

#include <QHeaderView>

#include <array>

namespace {

constexpr std::array<const char*, 8> kHeaders{"Dne",         "Text",  "Délka",           "Pravidla",
                                              "Hrubé úhozy", "Chyby", "Čisté úhozy/min", "Známka"};

QString Rate(int hundredths) {
    return QStringLiteral("%1,%2 %")
        .arg(hundredths / 100)
        .arg(hundredths % 100, 2, 10, QLatin1Char('0'));
}

} // namespace

CopyTestList::CopyTestList(QWidget* parent) : QTableWidget(parent) {
    setObjectName(QStringLiteral("TableOpisy"));
    setColumnCount(static_cast<int>(kHeaders.size()));
    QStringList headers;
    for (const char* header : kHeaders) {
        headers << QString::fromUtf8(header);
    }
    setHorizontalHeaderLabels(headers);
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAlternatingRowColors(true);
    setTabKeyNavigation(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

void CopyTestList::Show(const std::vector<CopyTestRecord>& tests) {
    setRowCount(static_cast<int>(tests.size()));
    int row = 0;
    for (auto test = tests.rbegin(); test != tests.rend(); ++test, ++row) {
        const CopyTestResult& r = test->result;
        const QStringList cells{
            QString::fromStdString(HistoryText::DateAndTime(test->endedAt)),
            QtText::FromCp1250(r.title),
            QtText::FromCp1250(CopyVerdict::Minutes(r.minutes)),
            r.rules == CopyRules::School ? QString::fromUtf8("školní")
                                         : QString::fromUtf8("soutěžní"),
            QString::number(r.gross),
            QStringLiteral("%1 (%2)").arg(r.errors).arg(Rate(r.errorRateHundredths)),
            QString::number(r.netPerMinute),
            QtText::FromCp1250(CopyVerdict::Grade(r))};
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column >= 4 && column <= 6) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            setItem(row, column, item);
        }
    }
}
