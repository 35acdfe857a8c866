#include "WeakKeysPanel.h"

#include "FingerNames.h"
#include "QtText.h"
#include "TypingLine.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kColumns = 5;

} // namespace

WeakKeysPanel::WeakKeysPanel(QWidget* parent)
    : QGroupBox(QStringLiteral("Nejčastější chyby"), parent), grid_(new QGridLayout(this)),
      practise_(new QPushButton(QStringLiteral("Procvičit &chyby"), this)) {
    setObjectName(QStringLiteral("GroupBoxChyby"));
    const QStringList headers = {QStringLiteral("Znak"), QStringLiteral("Chyby"),
                                 QStringLiteral("Četnost"), QStringLiteral("Prst"),
                                 QStringLiteral("Místo něj")};
    for (int column = 0; column < kColumns; ++column) {
        auto* header = new QLabel(headers[column], this);
        QFont bold = header->font();
        bold.setBold(true);
        header->setFont(bold);
        grid_->addWidget(header, 0, column);
    }
    for (int row = 0; row < WeakKeys::kShown; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            auto* cell = new QLabel(this);
            if (column != 3) {
                cell->setAlignment(Qt::AlignCenter);
            }
            grid_->addWidget(cell, row + 1, column);
            cells_.push_back(cell);
        }
    }
    practise_->setObjectName(QStringLiteral("ButtonProcvicit"));
    practise_->setToolTip(
        QStringLiteral("Procvičit tyto znaky na slovech, ve kterých se často objevují"));
    grid_->addWidget(practise_, WeakKeys::kShown + 1, 0, 1, kColumns, Qt::AlignRight);
    connect(practise_, &QPushButton::clicked, this, &WeakKeysPanel::practiseRequested);
    hide();
}

QString WeakKeysPanel::CharacterName(unsigned char c) {
    if (c == TypingLine::kEndOfLine) {
        return QStringLiteral("Enter");
    }
    if (c == ' ') {
        return QStringLiteral("mezera");
    }
    return QtText::FromCp1250(std::string(1, static_cast<char>(c)));
}

void WeakKeysPanel::SetWeakKeys(const std::vector<WeakKey>& keys, const FingerNames& fingers) {
    keys_ = keys;
    for (int row = 0; row < WeakKeys::kShown; ++row) {
        QLabel* const* cells = &cells_[static_cast<size_t>(row * kColumns)];
        const bool shown = row < static_cast<int>(keys.size());
        for (int column = 0; column < kColumns; ++column) {
            cells[column]->setVisible(shown);
        }
        if (!shown) {
            continue;
        }
        const WeakKey& key = keys[static_cast<size_t>(row)];
        cells[0]->setText(CharacterName(key.character));
        cells[1]->setText(QStringLiteral("%1 z %2").arg(key.errors).arg(key.attempts));
        cells[2]->setText(
            QStringLiteral("%1,%2 %").arg(key.ratePerMille / 10).arg(key.ratePerMille % 10));
        cells[3]->setText(QtText::FromCp1250(fingers.FingerOf(key.character)));
        cells[4]->setText(key.struckInstead != 0 ? CharacterName(key.struckInstead) : QString());
    }
    setVisible(!keys.empty());
}
