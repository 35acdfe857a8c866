#include "AttemptsModel.h"

#include "HistoryQueries.h"
#include "HistoryText.h"
#include "HistoryThread.h"
#include "QtText.h"
#include "SpeedMeter.h"

#include <array>
#include <optional>

namespace {

enum Column { When, What, Time, Keystrokes, Errors, Rate, Apparent, Absolute, Passed, kColumns };

struct Heading {
    const char* title;
    const char* tip;
};

const std::array<Heading, kColumns> kHeadings{{
    {"Datum a čas", "Kdy jste text dopsali"},
    {"Text", "Lekce, procvičení nebo vlastní text"},
    {"Doba\npsaní", "Čistý čas psaní (hodiny:minuty:sekundy)"},
    {"Úhozy", "Všechny úhozy textu"},
    {"Chyby", "Chybné úhozy"},
    {"Frekvence\nchyb", "Chyby v procentech všech úhozů"},
    {"Zdánlivá\nrychlost", "Všechny úhozy za minutu"},
    {"Průměrná\nrychlost", "Správné úhozy za minutu, jako v hlavním okně"},
    {"Splněno", "Hodnocení doporučilo pokračovat dál"},
}};

QString Cell(const HistoryRecord& r, int column) {
    switch (column) {
    case When:
        return QString::fromStdString(HistoryText::DateAndTime(r.endedAt));
    case What:
        return QtText::FromCp1250(HistoryText::TextName(r));
    case Time:
        return QString::fromStdString(HistoryText::Duration(r.typingMs));
    case Keystrokes:
        return QString::number(r.keystrokes);
    case Errors:
        return QString::number(r.errors);
    case Rate:
        return QString::fromStdString(FormatPerMille(r.ErrorPerMille())) + QStringLiteral(" %");
    case Apparent:
        return QString::number(r.averageSpeed);
    case Absolute:
        return QString::number(r.absoluteSpeed);
    case Passed:
        return r.passed ? QStringLiteral("ano") : QStringLiteral("ne");
    default:
        return {};
    }
}

} // namespace

AttemptsModel::AttemptsModel(HistoryThread& history, QObject* parent)
    : QAbstractTableModel(parent), history_(history) {}

void AttemptsModel::ShowFilter(int filter) {
    beginResetModel();
    filter_ = filter;
    ++generation_;
    rows_.clear();
    rows_.shrink_to_fit();
    asking_ = false;
    arrived_ = false;
    complete_ = false;
    endResetModel();
    AskPage();
}

void AttemptsModel::AskPage() {
    asking_ = true;
    std::optional<HistoryRecord> after;
    if (!rows_.empty()) {
        after = rows_.back();
        after->keyErrors.clear();
    }
    history_.Ask<std::vector<HistoryRecord>>(
        this,
        [filter = filter_, after](const HistoryQueries& queries) {
            return queries.Attempts(filter, after ? &*after : nullptr, kPageSize);
        },
        [this, generation = generation_](std::vector<HistoryRecord> page) {
            if (generation != generation_) {
                return;
            }
            asking_ = false;
            arrived_ = true;
            complete_ = page.size() < static_cast<std::size_t>(kPageSize);
            if (!page.empty()) {
                const int first = static_cast<int>(rows_.size());
                beginInsertRows({}, first, first + static_cast<int>(page.size()) - 1);
                rows_.insert(rows_.end(), std::make_move_iterator(page.begin()),
                             std::make_move_iterator(page.end()));
                endInsertRows();
            }
            emit PageArrived();
        });
}

int AttemptsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int AttemptsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant AttemptsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return Cell(rows_[static_cast<std::size_t>(index.row())], index.column());
    }
    if (role == Qt::TextAlignmentRole && index.column() >= Time) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

QVariant AttemptsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumns) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (role == Qt::DisplayRole) {
        return QString::fromUtf8(kHeadings[static_cast<std::size_t>(section)].title);
    }
    if (role == Qt::ToolTipRole) {
        return QString::fromUtf8(kHeadings[static_cast<std::size_t>(section)].tip);
    }
    return {};
}

bool AttemptsModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && arrived_ && !complete_ && !asking_;
}

void AttemptsModel::fetchMore(const QModelIndex& parent) {
    if (canFetchMore(parent)) {
        AskPage();
    }
}
