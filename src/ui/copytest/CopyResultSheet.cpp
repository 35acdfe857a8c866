#include "CopyResultSheet.h"

#include "CopySheetDocument.h"
#include "QtText.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

#include <utility>

CopyResultSheet::CopyResultSheet(CopyOutcome outcome, const QString& pupil, const QDate& date,
                                 Actions actions, QWidget* parent)
    : QDialog(parent), outcome_(std::move(outcome)), date_(date), actions_(std::move(actions)) {
    setObjectName(QStringLiteral("CopyResultSheet"));
    setWindowTitle(QString::fromUtf8("Opis na čas – výsledek"));
    setSizeGripEnabled(true);

    name_ = new QLineEdit(pupil, this);
    name_->setObjectName(QStringLiteral("CopyPupilName"));
    auto* nameLabel = new QLabel(QString::fromUtf8("&Jméno na listu:"), this);
    nameLabel->setBuddy(name_);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(name_, 1);

    sheet_ = new QTextBrowser(this);
    sheet_->setObjectName(QStringLiteral("CopySheet"));
    sheet_->setOpenLinks(false);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* pdf =
        buttons->addButton(QString::fromUtf8("&Uložit jako PDF…"), QDialogButtonBox::ActionRole);
    pdf->setObjectName(QStringLiteral("CopySavePdf"));
    QPushButton* print =
        buttons->addButton(QString::fromUtf8("&Tisk…"), QDialogButtonBox::ActionRole);
    print->setObjectName(QStringLiteral("CopyPrint"));
    QPushButton* close =
        buttons->addButton(QString::fromUtf8("&Zavřít"), QDialogButtonBox::RejectRole);
    close->setDefault(true);
    connect(pdf, &QPushButton::clicked, this, &CopyResultSheet::SaveAsPdf);
    connect(print, &QPushButton::clicked, this, &CopyResultSheet::Print);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(name_, &QLineEdit::textChanged, this, &CopyResultSheet::ShowSheet);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(nameRow);
    layout->addWidget(sheet_, 1);
    layout->addWidget(buttons);
    resize(760, 680);
    ShowSheet();
    close->setFocus();
}

QString CopyResultSheet::PupilName() const {
    return name_->text().trimmed();
}

QString CopyResultSheet::Html() const {
    return CopySheetDocument::Html(outcome_, PupilName(), date_);
}

void CopyResultSheet::ShowSheet() {
    // The scroll position stays while the name is edited.
    const int scrolled = sheet_->verticalScrollBar()->value();
    sheet_->setHtml(Html());
    sheet_->verticalScrollBar()->setValue(scrolled);
}

bool CopyResultSheet::WritePdf(const QString& path) const {
    return CopySheetDocument::WritePdf(Html(), windowTitle(), path);
}

void CopyResultSheet::SaveAsPdf() {
    const QString suggested =
        QStringLiteral("opis-%1.pdf").arg(date_.toString(QStringLiteral("yyyy-MM-dd")));
    const std::optional<QString> path = actions_.choosePdfFile(suggested);
    if (!path) {
        return;
    }
    if (!WritePdf(*path)) {
        actions_.reportError(QString::fromUtf8("Soubor %1 nelze zapsat.").arg(*path));
    }
}

void CopyResultSheet::Print() {
    QTextDocument document;
    document.setHtml(Html());
    document.setMetaInformation(QTextDocument::DocumentTitle, windowTitle());
    actions_.print(document, this);
}
