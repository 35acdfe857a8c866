#include "ClassroomFeature.h"

#include "ClassNoticePart.h"
#include "ClassResult.h"
#include "ClassSender.h"
#include "ClassWindow.h"
#include "JoinDialog.h"
#include "TFormKonec.h"

#include <QAction>
#include <QTimer>
#include <QUuid>

#include <ctime>

#include <utility>

namespace {

std::string NewId() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toStdString();
}

} // namespace

ClassroomFeature::ClassroomFeature(HistoryStore& history, std::string dataDir,
                                   std::string practicePath, QStringList pluginDirs)
    : dataDir_(std::move(dataDir)), keeper_(std::move(pluginDirs)),
      recording_(history, *this, NewId, std::move(practicePath)) {}

ClassroomFeature::~ClassroomFeature() = default;

std::vector<std::pair<QString, QAction*>> ClassroomFeature::CreateActions(QWidget* window) {
    window_ = window;
    joinAction_ = new QAction(QString::fromUtf8("&Připojit ke třídě…"), window);
    joinAction_->setObjectName(QStringLiteral("ActionPripojitKeTride"));
    const QString joinHint = QString::fromUtf8("Posílat výsledky psaní do databáze třídy");
    joinAction_->setToolTip(joinHint);
    joinAction_->setStatusTip(joinHint);
    QObject::connect(joinAction_, &QAction::triggered, window, [this] { ShowJoinDialog(); });

    classAction_ = new QAction(QString::fromUtf8("&Třída"), window);
    classAction_->setObjectName(QStringLiteral("ActionTrida"));
    classAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_U));
    classAction_->setShortcutContext(Qt::WindowShortcut);
    const QString classHint =
        QString::fromUtf8("Přehled třídy: prošlé lekce, rychlost a chyby žáků, export");
    classAction_->setToolTip(classHint);
    classAction_->setStatusTip(classHint);
    QObject::connect(classAction_, &QAction::triggered, window, [this] { ShowClassWindow(); });
    ShowTeacherAction();
    return {{QStringLiteral("MenuProgram"), joinAction_},
            {QStringLiteral("MenuProgram"), classAction_}};
}

void ClassroomFeature::ShowTeacherAction() {
    if (classAction_ != nullptr) {
        const bool teacher = connection_.IsJoined() && connection_.teacher;
        classAction_->setVisible(teacher);
        classAction_->setEnabled(teacher);
    }
}

void ClassroomFeature::ReadSettings(const IniFile& ini) {
    connection_ = ClassConnection::Read(ini);
    ShowTeacherAction();
    if (WantsResults() && window_ != nullptr) {
        // Once the window is up: start-up never waits for the class.
        QTimer::singleShot(0, window_, [this] { StartSending(); });
    }
}

void ClassroomFeature::WriteSettings(IniFile& ini) const {
    connection_.Write(ini);
}

bool ClassroomFeature::WantsResults() const {
    return connection_.IsJoined() && !connection_.teacher;
}

void ClassroomFeature::StartSending() {
    if (sender_ != nullptr || !WantsResults()) {
        return;
    }
    sender_ = std::make_unique<ClassSender>(connection_, dataDir_);
    keeper_.Fetch(connection_,
                  [sender = QPointer<ClassSender>(sender_.get())](const QString& password) {
                      if (sender != nullptr) {
                          sender->Start(password);
                      }
                  });
}

void ClassroomFeature::CopyTestFinished(const CopyTestResult& copy) {
    if (WantsResults()) {
        Queue(ClassResult::OfCopyTest(copy, NewId(), std::time(nullptr)));
    }
}

void ClassroomFeature::Queue(const ClassResult& result) {
    StartSending();
    sender_->Queue(result);
}

void ClassroomFeature::AddToEvaluation(TFormKonec& evaluation, TypingEngine& engine) {
    (void)engine;
    if (sender_ == nullptr) {
        return;
    }
    evaluation.AddPart(
        new ClassNoticePart(*sender_, QString::fromStdString(connection_.className), &evaluation));
}

int ClassroomFeature::RunModal(QDialog& dialog) {
    return host_.runModal ? host_.runModal(dialog) : dialog.exec();
}

void ClassroomFeature::ShowJoinDialog() {
    JoinDialog dialog(connection_, keeper_, window_);
    QObject::connect(&dialog, &JoinDialog::Joined, &dialog,
                     [this](const ClassConnection& connection) { Joined(connection); });
    QObject::connect(&dialog, &JoinDialog::Left, &dialog, [this] { Left(); });
    RunModal(dialog);
}

void ClassroomFeature::Joined(const ClassConnection& connection) {
    sender_.reset();
    connection_ = connection;
    ShowTeacherAction();
    if (WantsResults()) {
        StartSending();
    }
}

void ClassroomFeature::Left() {
    sender_.reset();
    connection_ = ClassConnection{};
    ShowTeacherAction();
}

void ClassroomFeature::ShowClassWindow() {
    if (!connection_.IsJoined() || !connection_.teacher) {
        return;
    }
    ClassWindow classWindow(connection_, keeper_, window_);
    RunModal(classWindow);
}
