#include "ClassWindow.h"

#include "BackgroundWork.h"
#include "ClassCsv.h"
#include "ClassTableModel.h"
#include "ClassTrace.h"
#include "PasswordKeeper.h"
#include "PupilChart.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <set>

namespace {

constexpr int kTickColumnWidth = 26;

QLabel* Heading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

} // namespace

ClassWindow::ClassWindow(const ClassConnection& connection, PasswordKeeper& keeper, QWidget* parent,
                         Reader reader)
    : QDialog(parent), connection_(connection), keeper_(keeper), reader_(std::move(reader)) {
    setObjectName(QStringLiteral("ClassWindow"));
    setWindowTitle(QString::fromUtf8("Třída"));
    setSizeGripEnabled(true);

    classes_ = new QComboBox(this);
    classes_->setObjectName(QStringLiteral("ComboTrida"));
    classes_->setMinimumContentsLength(12);
    state_ = new QLabel(this);
    state_->setObjectName(QStringLiteral("LabelStav"));
    refresh_ = new QPushButton(QString::fromUtf8("&Obnovit"), this);
    refresh_->setObjectName(QStringLiteral("ButtonObnovit"));
    auto* top = new QHBoxLayout;
    auto* classLabel = new QLabel(QString::fromUtf8("T&řída:"), this);
    classLabel->setBuddy(classes_);
    top->addWidget(classLabel);
    top->addWidget(classes_);
    top->addWidget(state_, 1);
    top->addWidget(refresh_);

    table_ = new ClassTableModel(this);
    view_ = new QTableView(this);
    view_->setObjectName(QStringLiteral("TablePupils"));
    view_->setModel(table_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->verticalHeader()->hide();
    view_->setIconSize(QSize(12, 12));
    for (int column = ClassTableModel::Lessons; column < table_->columnCount(); ++column) {
        view_->horizontalHeader()->setSectionResizeMode(column, QHeaderView::Fixed);
        view_->setColumnWidth(column, kTickColumnWidth);
    }

    keyErrors_ = new QTableWidget(0, 2, this);
    keyErrors_->setObjectName(QStringLiteral("TableChyby"));
    keyErrors_->setHorizontalHeaderLabels({QString::fromUtf8("Znak"), QString::fromUtf8("Chyby")});
    keyErrors_->verticalHeader()->hide();
    keyErrors_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    keyErrors_->horizontalHeader()->setStretchLastSection(true);
    chart_ = new PupilChart(this);

    auto* errorsBox = new QWidget(this);
    auto* errorsLayout = new QVBoxLayout(errorsBox);
    errorsLayout->setContentsMargins(0, 0, 0, 0);
    errorsLayout->addWidget(Heading(QString::fromUtf8("Chyby podle znaků (celá třída)"), this));
    errorsLayout->addWidget(keyErrors_);
    auto* chartBox = new QWidget(this);
    auto* chartLayout = new QVBoxLayout(chartBox);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    chartLayout->addWidget(Heading(QString::fromUtf8("Vývoj žáka"), this));
    chartLayout->addWidget(chart_, 1);
    auto* lower = new QSplitter(Qt::Horizontal, this);
    lower->addWidget(errorsBox);
    lower->addWidget(chartBox);
    lower->setStretchFactor(1, 2);

    auto* exportButton = new QPushButton(QString::fromUtf8("&Exportovat do CSV…"), this);
    exportButton->setObjectName(QStringLiteral("ButtonExport"));
    auto* closeButton = new QPushButton(QString::fromUtf8("&Zavřít"), this);
    closeButton->setObjectName(QStringLiteral("ButtonZavrit"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(exportButton);
    buttons->addStretch(1);
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(view_, 3);
    layout->addWidget(lower, 2);
    layout->addLayout(buttons);
    resize(920, 620);

    connect(refresh_, &QPushButton::clicked, this, &ClassWindow::Refresh);
    connect(exportButton, &QPushButton::clicked, this, &ClassWindow::ExportClicked);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(classes_, &QComboBox::currentTextChanged, this, &ClassWindow::ShowClass);
    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &ClassWindow::ShowPupil);
    Refresh();
}

ClassReading ClassWindow::ReadClass(const ClassConnection& connection, const QString& password) {
    ClassDatabase database(connection, password);
    ClassReading reading;
    reading.problem = database.Connect();
    if (reading.problem == ClassProblem::None) {
        reading.problem = database.ReadContents(reading.contents);
    }
    return reading;
}

void ClassWindow::Refresh() {
    refresh_->setEnabled(false);
    state_->setStyleSheet({});
    state_->setText(QString::fromUtf8("Načítám výsledky třídy…"));
    keeper_.Fetch(connection_,
                  [this, guard = QPointer<ClassWindow>(this)](const QString& password) {
                      if (guard == nullptr) {
                          return;
                      }
                      RunInBackground(
                          this,
                          [reader = reader_, connection = connection_, password] {
                              return reader(connection, password);
                          },
                          [this](const ClassReading& reading) { Show(reading); });
                  });
}

void ClassWindow::Show(const ClassReading& reading) {
    refresh_->setEnabled(true);
    if (reading.problem != ClassProblem::None) {
        state_->setStyleSheet(QStringLiteral("color: #b00000;"));
        state_->setText(QString::fromStdString(ClassProblems::Sentence(reading.problem)));
        emit Read(static_cast<int>(reading.problem));
        return;
    }
    contents_ = reading.contents;
    std::set<QString> names;
    for (const auto& [login, className] : contents_.pupils) {
        names.insert(QString::fromStdString(className));
    }
    names.insert(QString::fromStdString(connection_.className));
    const QString chosen = classes_->currentText().isEmpty()
                               ? QString::fromStdString(connection_.className)
                               : classes_->currentText();
    {
        const QSignalBlocker quiet(classes_);
        classes_->clear();
        for (const QString& name : names) {
            classes_->addItem(name);
        }
        classes_->setCurrentText(chosen);
    }
    ShowClass(classes_->currentText());
    ClassTrace().Step(QStringLiteral("read"), QString::number(contents_.results.size()));
    emit Read(0);
}

void ClassWindow::ShowClass(const QString& className) {
    std::vector<std::string> pupils;
    std::set<std::string> members;
    for (const auto& [login, name] : contents_.pupils) {
        if (QString::fromStdString(name) == className) {
            pupils.push_back(login);
            members.insert(login);
        }
    }
    std::vector<ClassResult> results;
    for (const ClassResult& result : contents_.results) {
        if (members.contains(result.pupil)) {
            results.push_back(result);
        }
    }
    table_->SetOverview(ClassOverview(pupils, std::move(results)));
    view_->resizeColumnsToContents();
    for (int column = ClassTableModel::Lessons; column < table_->columnCount(); ++column) {
        view_->setColumnWidth(column, kTickColumnWidth);
    }
    const ClassOverview& overview = table_->Overview();
    state_->setText(QString::fromUtf8("Žáků: %1, výsledků: %2")
                        .arg(overview.Pupils().size())
                        .arg(overview.ResultCount()));
    keyErrors_->setRowCount(static_cast<int>(overview.KeyErrors().size()));
    int row = 0;
    for (const auto& [character, count] : overview.KeyErrors()) {
        keyErrors_->setItem(
            row, 0,
            new QTableWidgetItem(QString::fromStdString(ClassCsv::CharacterName(character))));
        auto* number = new QTableWidgetItem(QString::number(count));
        number->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        keyErrors_->setItem(row, 1, number);
        ++row;
    }
    if (!overview.Pupils().empty()) {
        view_->selectRow(0);
    }
    ShowPupil();
}

void ClassWindow::ShowPupil() {
    const QModelIndex current = view_->currentIndex();
    const auto& pupils = table_->Overview().Pupils();
    if (!current.isValid() || current.row() >= static_cast<int>(pupils.size())) {
        chart_->SetResults({}, {});
        return;
    }
    const std::string& login = pupils[static_cast<size_t>(current.row())].login;
    chart_->SetResults(QString::fromStdString(login), table_->Overview().ResultsOf(login));
}

bool ClassWindow::ExportCsv(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const std::string csv = ClassCsv::Text(table_->Overview());
    file.write(csv.data(), static_cast<qint64>(csv.size()));
    return file.commit();
}

void ClassWindow::ExportClicked() {
    const QString path = QFileDialog::getSaveFileName(
        this, QString::fromUtf8("Uložit přehled třídy jako CSV"),
        QStringLiteral("trida-klaptos.csv"), QString::fromUtf8("CSV (*.csv);;Všechny soubory (*)"));
    if (path.isEmpty()) {
        return;
    }
    if (!ExportCsv(path)) {
        QMessageBox::warning(this, windowTitle(),
                             QString::fromUtf8("Soubor „%1“ nelze uložit.").arg(path));
    }
}
