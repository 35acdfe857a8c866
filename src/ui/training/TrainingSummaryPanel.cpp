#include "TrainingSummaryPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

TrainingSummaryPanel::TrainingSummaryPanel(const QString& summary, QWidget* parent)
    : QWidget(parent), next_(new QPushButton(QString::fromUtf8("&Další cvičení"), this)) {
    setObjectName(QStringLiteral("PanelTrenink"));
    next_->setObjectName(QStringLiteral("ButtonDalsiCviceni"));
    next_->setToolTip(QString::fromUtf8("Napsat další cvičení tréninku (Enter)"));
    auto* text = new QLabel(summary, this);
    text->setObjectName(QStringLiteral("LabelTrenink"));
    text->setTextFormat(Qt::RichText);
    text->setWordWrap(true);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(text, 1);
    layout->addWidget(next_, 0, Qt::AlignBottom);
    connect(next_, &QPushButton::clicked, this, &TrainingSummaryPanel::nextRequested);
}

void TrainingSummaryPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The evaluation window gives its own button the focus when it shows; the next exercise
    // takes Enter once that is done.
    QTimer::singleShot(0, next_, [this] {
        next_->setDefault(true);
        next_->setFocus();
    });
}
