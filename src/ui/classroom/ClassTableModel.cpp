#include "ClassTableModel.h"

#include "HistoryText.h"
#include "LessonCount.h"
#include "QtPicture.h"
#include "SpeedMeter.h"

#include <utility>

ClassTableModel::ClassTableModel(QObject* parent)
    : QAbstractTableModel(parent), overview_({}, {}),
      tick_(QtPicture::Icon(QStringLiteral(":/lessons/passed.svg"))) {}

void ClassTableModel::SetOverview(ClassOverview overview) {
    beginResetModel();
    overview_ = std::move(overview);
    endResetModel();
}

int ClassTableModel::LessonOf(int column) {
    return column >= Lessons ? column - Lessons + kFirstLesson : 0;
}

int ClassTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(overview_.Pupils().size());
}

int ClassTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Lessons + kLessonCount;
}

QVariant ClassTableModel::Figure(const PupilSummary& pupil, int column) const {
    switch (column) {
    case Login:
        return QString::fromStdString(pupil.login);
    case Results:
        return pupil.results;
    case LastActivity:
        return pupil.lastActivity > 0
                   ? QString::fromStdString(HistoryText::DateTime(pupil.lastActivity))
                   : QString();
    case Passed:
        return static_cast<int>(pupil.passedLessons.size());
    case ErrorRate:
        return pupil.keystrokes > 0
                   ? QString::fromStdString(FormatPerMille(pupil.ErrorPerMille()) + " %")
                   : QString();
    case CopySpeed:
        return QString::fromStdString(pupil.CopySpeedText());
    case CopyGrade:
        return QString::fromStdString(pupil.CopyGradeText());
    default:
        return {};
    }
}

QVariant ClassTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const PupilSummary& pupil = overview_.Pupils()[static_cast<size_t>(index.row())];
    const int lesson = LessonOf(index.column());
    if (lesson > 0) {
        const bool passed = pupil.passedLessons.contains(lesson);
        if (role == Qt::DecorationRole && passed) {
            return tick_;
        }
        if (role == Qt::ToolTipRole) {
            return QString::fromUtf8("%1, lekce %2: %3")
                .arg(QString::fromStdString(pupil.login))
                .arg(lesson)
                .arg(passed ? QString::fromUtf8("prošel") : QString::fromUtf8("zatím ne"));
        }
        // The tick in words for screen readers, and as a flag for whoever reads the model.
        if (role == Qt::AccessibleTextRole) {
            return passed ? QString::fromUtf8("prošel") : QString();
        }
        if (role == Qt::UserRole) {
            return passed;
        }
        return {};
    }
    if (role == Qt::DisplayRole) {
        return Figure(pupil, index.column());
    }
    if (role == Qt::TextAlignmentRole && index.column() != Login) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

QVariant ClassTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) {
        return {};
    }
    const int lesson = LessonOf(section);
    if (role == Qt::ToolTipRole && lesson > 0) {
        return QString::fromUtf8("Lekce %1").arg(lesson);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (lesson > 0) {
        return QString::number(lesson);
    }
    switch (section) {
    case Login:
        return QString::fromUtf8("Žák");
    case Results:
        return QString::fromUtf8("Výsledků");
    case LastActivity:
        return QString::fromUtf8("Poslední\nčinnost");
    case Passed:
        return QString::fromUtf8("Prošlé\nlekce");
    case ErrorRate:
        return QString::fromUtf8("Chybovost");
    case CopySpeed:
        return QString::fromUtf8("Opis:\nčistá rychlost");
    case CopyGrade:
        return QString::fromUtf8("Opis:\nznámka");
    default:
        return {};
    }
}
