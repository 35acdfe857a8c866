#include "TFormHelp.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <utility>

TFormHelp::TFormHelp(QString helpFile, QWidget* parent)
    : QWidget(parent, Qt::Window), helpFile_(std::move(helpFile)) {
    setWindowTitle(QString::fromUtf8("Klaptos - nápověda"));
    TextBrowser = new QTextBrowser(this);
    TextBrowser->setOpenExternalLinks(true);
    ButtonZavrit = new QPushButton(QString::fromUtf8("&Zavřít"), this);
    ButtonZavrit->setObjectName(QStringLiteral("ButtonZavrit"));
    connect(ButtonZavrit, &QPushButton::clicked, this, &QWidget::close);
    // A window of its own, not a dialog: Escape has to be taught to close it.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(6, 6, 6, 6);
    buttons->addStretch();
    buttons->addWidget(ButtonZavrit);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(TextBrowser);
    layout->addLayout(buttons);
    resize(640, 560);
}

void TFormHelp::ShowTopic(const QString& topic) {
    if (!loaded_) {
        LoadHelpFile();
    }
    if (isMinimized()) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
    }
    show();
    raise();
    activateWindow();
    // The browser postpones the scroll until it is visible and laid out at its width.
    TextBrowser->scrollToAnchor(topic);
}

void TFormHelp::LoadHelpFile() {
    if (QFileInfo(helpFile_).isFile()) {
        TextBrowser->setSource(QUrl::fromLocalFile(helpFile_), QTextDocument::HtmlResource);
        loaded_ = true;
        return;
    }
    // Not remembered as loaded: a help file put in place later is found at the next topic.
    TextBrowser->setHtml(QString::fromUtf8("<p>Soubor nápovědy <b>%1</b> nebyl nalezen.</p>"
                                           "<p>Nápověda patří do stejné složky jako program.</p>")
                             .arg(helpFile_.toHtmlEscaped()));
}
