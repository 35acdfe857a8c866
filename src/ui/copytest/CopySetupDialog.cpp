#include "CopySetupDialog.h"

#include "CopyVerdict.h"
#include "QtText.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

CopySetupDialog::CopySetupDialog(std::vector<CopyTextEntry> texts, const CopyTestSetup& setup,
                                 std::function<std::optional<QString>()> chooseFile,
                                 QWidget* parent)
    : QDialog(parent), texts_(std::move(texts)), setup_(setup), chooseFile_(std::move(chooseFile)) {
    setObjectName(QStringLiteral("CopySetupDialog"));
    setWindowTitle(QString::fromUtf8("Opis na čas"));

    text_ = new QComboBox(this);
    text_->setObjectName(QStringLiteral("CopyText"));
    text_->setMinimumContentsLength(32);
    for (const CopyTextEntry& entry : texts_) {
        text_->addItem(QtText::FromCp1250(entry.title), QtText::FromPath(entry.path));
    }
    auto* own = new QPushButton(QString::fromUtf8("&Vlastní soubor…"), this);
    own->setObjectName(QStringLiteral("CopyOwnFile"));
    own->setAutoDefault(false);
    connect(own, &QPushButton::clicked, this, &CopySetupDialog::ChooseOwnFile);
    auto* textRow = new QHBoxLayout;
    textRow->addWidget(text_, 1);
    textRow->addWidget(own);

    minutes_ = new QComboBox(this);
    minutes_->setObjectName(QStringLiteral("CopyMinutes"));
    for (const int minutes : CopyTestSetup::kDurations) {
        minutes_->addItem(QtText::FromCp1250(CopyVerdict::Minutes(minutes)), minutes);
    }
    minutes_->setCurrentIndex(std::max(0, minutes_->findData(setup_.minutes)));

    rules_ = new QButtonGroup(this);
    auto* rulesBox = new QVBoxLayout;
    for (const CopyRules rules : {CopyRules::School, CopyRules::Competition}) {
        auto* button = new QRadioButton(QtText::FromCp1250(CopyVerdict::Rules(rules)), this);
        button->setObjectName(rules == CopyRules::School ? QStringLiteral("CopySchool")
                                                         : QStringLiteral("CopyCompetition"));
        button->setChecked(rules == setup_.rules);
        rules_->addButton(button, static_cast<int>(rules));
        rulesBox->addWidget(button);
    }

    auto* form = new QFormLayout;
    auto* textLabel = new QLabel(QString::fromUtf8("&Text:"), this);
    textLabel->setBuddy(text_);
    form->addRow(textLabel, textRow);
    form->addRow(QString::fromUtf8("&Doba:"), minutes_);
    form->addRow(QString::fromUtf8("Pravidla:"), rulesBox);

    auto* about = new QLabel(
        QString::fromUtf8("Text opisujete do pole pod ním, souvisle a bez klávesy Enter. Čas se "
                          "spustí prvním úhozem. Za každou chybu se odečte 10 úhozů (školní "
                          "pravidla) nebo 50 (soutěžní); hodnotí se čisté úhozy za minutu a "
                          "chybovost."),
        this);
    about->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    start_ = buttons->addButton(QString::fromUtf8("&Začít"), QDialogButtonBox::AcceptRole);
    start_->setObjectName(QStringLiteral("CopyStart"));
    buttons->addButton(QString::fromUtf8("Zrušit"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(about);
    layout->addWidget(buttons);

    SelectText(setup_.textFile);
    UpdateStart();
    start_->setDefault(true);
    start_->setFocus();
}

void CopySetupDialog::SelectText(const std::string& path) {
    if (path.empty()) {
        return; // the first of the program's texts
    }
    const int index = text_->findData(QtText::FromPath(path));
    if (index >= 0) {
        text_->setCurrentIndex(index);
    } else if (QFileInfo::exists(QtText::FromPath(path))) {
        AddOwnFile(path);
    }
}

// A pupil's file stands below the program's texts, named by its file name.
void CopySetupDialog::AddOwnFile(const std::string& path) {
    const QString file = QtText::FromPath(path);
    int index = text_->findData(file);
    if (index < 0) {
        text_->addItem(QString::fromUtf8("Vlastní: ") + QFileInfo(file).fileName(), file);
        index = text_->count() - 1;
    }
    text_->setCurrentIndex(index);
    UpdateStart();
}

void CopySetupDialog::ChooseOwnFile() {
    if (const std::optional<QString> chosen = chooseFile_()) {
        AddOwnFile(QtText::ToPath(*chosen));
    }
}

void CopySetupDialog::UpdateStart() {
    start_->setEnabled(text_->count() > 0);
    if (text_->count() == 0) {
        text_->setPlaceholderText(QString::fromUtf8("(zvolte vlastní soubor)"));
    }
}

CopyTestSetup CopySetupDialog::Setup() const {
    CopyTestSetup setup = setup_;
    setup.textFile = QtText::ToPath(text_->currentData().toString());
    setup.minutes = minutes_->currentData().toInt();
    setup.rules = rules_->checkedId() == static_cast<int>(CopyRules::Competition)
                      ? CopyRules::Competition
                      : CopyRules::School;
    setup.used = true;
    return setup;
}
