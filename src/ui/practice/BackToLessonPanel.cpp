#include "BackToLessonPanel.h"

#include <QHBoxLayout>
#include <QPushButton>

BackToLessonPanel::BackToLessonPanel(int lesson, QWidget* parent)
    : QWidget(parent),
      back_(new QPushButton(QStringLiteral("&Zpět k lekci %1").arg(lesson), this)) {
    setObjectName(QStringLiteral("PanelZpetKLekci"));
    back_->setObjectName(QStringLiteral("ButtonZpetKLekci"));
    back_->setToolTip(
        QStringLiteral("Znovu začít lekci %1, kterou tento text procvičoval").arg(lesson));
    auto* layout = new QHBoxLayout(this);
    layout->addStretch();
    layout->addWidget(back_);
    connect(back_, &QPushButton::clicked, this, &BackToLessonPanel::backRequested);
}
