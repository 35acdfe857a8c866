#include "JoinDialog.h"

#include "BackgroundWork.h"
#include "ClassTrace.h"
#include "PasswordKeeper.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kFieldWidth = 280;

QLineEdit* Field(QWidget* parent, const char* name, const std::string& text) {
    auto* field = new QLineEdit(QString::fromStdString(text), parent);
    field->setObjectName(QLatin1String(name));
    field->setMinimumWidth(kFieldWidth);
    return field;
}

} // namespace

JoinDialog::JoinDialog(const ClassConnection& current, PasswordKeeper& keeper, QWidget* parent,
                       Tester tester)
    : QDialog(parent), keeper_(keeper), tester_(std::move(tester)), current_(current) {
    setObjectName(QStringLiteral("JoinDialog"));
    setWindowTitle(QString::fromUtf8("Připojení ke třídě"));

    auto* intro = new QLabel(
        QString::fromUtf8("Údaje o připojení dostanete od učitele. Výsledky psaní se pak "
                          "posílají do databáze třídy; v tomto počítači zůstávají také."),
        this);
    intro->setWordWrap(true);

    const ClassConnection shown = current.IsJoined() ? current : ClassConnection{};
    server_ = Field(this, "EditServer", shown.server);
    server_->setPlaceholderText(QString::fromUtf8("např. skola.example.cz nebo 192.168.1.10"));
    port_ = new QSpinBox(this);
    port_->setObjectName(QStringLiteral("EditPort"));
    port_->setRange(1, 65535);
    port_->setValue(shown.port);
    database_ = Field(this, "EditDatabaze", shown.database);
    login_ = Field(this, "EditJmeno", shown.login);
    password_ = Field(this, "EditHeslo", {});
    password_->setEchoMode(QLineEdit::Password);
    if (current.IsJoined()) {
        password_->setPlaceholderText(QString::fromUtf8("uložené; pro změnu zadejte znovu"));
    }

    auto* form = new QFormLayout;
    form->addRow(QString::fromUtf8("&Server:"), server_);
    form->addRow(QString::fromUtf8("&Port:"), port_);
    form->addRow(QString::fromUtf8("&Databáze:"), database_);
    form->addRow(QString::fromUtf8("Přihlašovací &jméno:"), login_);
    form->addRow(QString::fromUtf8("&Heslo:"), password_);

    answer_ = new QLabel(this);
    answer_->setObjectName(QStringLiteral("LabelOdpoved"));
    answer_->setWordWrap(true);
    answer_->setMinimumHeight(answer_->fontMetrics().lineSpacing() * 3);
    answer_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (current.IsJoined()) {
        Say(QString::fromUtf8("Připojeno ke třídě „%1“ jako %2.")
                .arg(QString::fromStdString(current.className),
                     current.teacher ? QString::fromUtf8("učitel") : QString::fromUtf8("žák")),
            false);
    }

    // "Odpojit od třídy" on the left, away from the answers the dialog expects.
    leave_ = new QPushButton(QString::fromUtf8("&Odpojit od třídy"), this);
    leave_->setObjectName(QStringLiteral("ButtonOdpojit"));
    leave_->setAutoDefault(false);
    leave_->setVisible(current.IsJoined());
    connect_ = new QPushButton(QString::fromUtf8("&Připojit"), this);
    connect_->setObjectName(QStringLiteral("ButtonPripojit"));
    connect_->setDefault(true);
    close_ = new QPushButton(QString::fromUtf8("&Zavřít"), this);
    close_->setObjectName(QStringLiteral("ButtonZavrit"));
    close_->setAutoDefault(false);
    QObject::connect(connect_, &QPushButton::clicked, this, &JoinDialog::Connect);
    QObject::connect(leave_, &QPushButton::clicked, this, &JoinDialog::Leave);
    QObject::connect(close_, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(leave_);
    buttons->addStretch(1);
    buttons->addWidget(connect_);
    buttons->addWidget(close_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(form);
    layout->addWidget(answer_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

JoinAnswer JoinDialog::TestConnection(const ClassConnection& connection, const QString& password) {
    ClassDatabase database(connection, password);
    JoinAnswer answer;
    answer.problem = database.Connect();
    if (answer.problem == ClassProblem::None) {
        answer.problem = database.ReadMembership(answer.membership);
    }
    answer.detail = database.Detail();
    return answer;
}

ClassConnection JoinDialog::Entered() const {
    ClassConnection entered;
    entered.server = server_->text().trimmed().toStdString();
    entered.port = port_->value();
    entered.database = database_->text().trimmed().toStdString();
    entered.login = login_->text().trimmed().toStdString();
    return entered;
}

void JoinDialog::Connect() {
    const ClassConnection entered = Entered();
    if (entered.server.empty() || entered.database.empty() || entered.login.empty()) {
        Say(QString::fromUtf8("Vyplňte server, databázi a přihlašovací jméno."), true);
        return;
    }
    if (password_->text().isEmpty()) {
        Say(QString::fromUtf8("Zadejte heslo."), true);
        password_->setFocus();
        return;
    }
    const QString password = password_->text();
    SetBusy(true);
    Say(QString::fromUtf8("Zkouším spojení se serverem…"), false);
    RunInBackground(
        this, [tester = tester_, entered, password] { return tester(entered, password); },
        [this, entered, password](const JoinAnswer& answer) {
            TakeAnswer(answer, entered, password);
        });
}

void JoinDialog::TakeAnswer(const JoinAnswer& answer, const ClassConnection& connection,
                            const QString& password) {
    if (answer.problem != ClassProblem::None) {
        SetBusy(false);
        answer_->setToolTip(answer.detail);
        Say(QString::fromStdString(ClassProblems::Sentence(answer.problem)), true);
        emit Answered(static_cast<int>(answer.problem));
        return;
    }
    ClassConnection joined = connection;
    joined.teacher = answer.membership.teacher;
    joined.className = answer.membership.className;
    // The secret store answers later; the dialog may have been closed by then.
    keeper_.Keep(
        joined, password,
        [this, guard = QPointer<JoinDialog>(this), joined](std::optional<PasswordPlace> place,
                                                           const QString& error) mutable {
            if (guard == nullptr) {
                return;
            }
            SetBusy(false);
            if (!place) {
                Say(QString::fromUtf8("Spojení funguje, ale heslo nelze uložit: %1").arg(error),
                    true);
                emit Answered(static_cast<int>(ClassProblem::Other));
                return;
            }
            joined.passwordPlace = *place;
            Kept(joined);
            emit Answered(static_cast<int>(ClassProblem::None));
        });
}

void JoinDialog::Kept(const ClassConnection& connection) {
    current_ = connection;
    password_->clear();
    password_->setPlaceholderText(QString::fromUtf8("uložené; pro změnu zadejte znovu"));
    leave_->setVisible(true);
    answer_->setToolTip({});
    const QString className = QString::fromStdString(connection.className);
    const QString place = PasswordKeeper::PlaceName(connection.passwordPlace);
    Say(connection.teacher
            ? QString::fromUtf8("Připojeno ke třídě „%1“ jako učitel. Přehled třídy otevře "
                                "Program → Třída. Heslo je uloženo %2.")
                  .arg(className, place)
            : QString::fromUtf8("Připojeno ke třídě „%1“. Výsledky se budou posílat učiteli. "
                                "Heslo je uloženo %2.")
                  .arg(className, place),
        false);
    ClassTrace().Step(QStringLiteral("joined"),
                      connection.passwordPlace == PasswordPlace::SecretStore
                          ? QStringLiteral("secret-store")
                          : QStringLiteral("password-file"));
    emit Joined(connection);
}

void JoinDialog::Leave() {
    keeper_.Forget(current_);
    current_ = ClassConnection{};
    leave_->setVisible(false);
    password_->setPlaceholderText({});
    Say(QString::fromUtf8("Počítač je od třídy odpojen: výsledky se už nikam neposílají."), false);
    emit Left();
}

void JoinDialog::SetBusy(bool busy) {
    for (QWidget* widget : std::initializer_list<QWidget*>{server_, port_, database_, login_,
                                                           password_, connect_, leave_}) {
        widget->setEnabled(!busy);
    }
}

void JoinDialog::Say(const QString& text, bool problem) {
    answer_->setText(text);
    // Problems in red, everything else in the window's own text colour.
    answer_->setStyleSheet(problem ? QStringLiteral("color: #b00000;") : QString());
}
