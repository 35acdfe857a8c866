#include "ClassSendWorker.h"

#include "ClassDatabase.h"
#include "ClassQueueStore.h"
#include "ClassSendRound.h"
#include "UnshownReporter.h"

#include <utility>

ClassSendWorker::ClassSendWorker(ClassConnection connection, std::string dataDir)
    : connection_(std::move(connection)), dataDir_(std::move(dataDir)),
      reporter_(std::make_unique<UnshownReporter>()) {}

// The queue and the connection go on the worker's thread, where they were made.
ClassSendWorker::~ClassSendWorker() = default;

ClassQueueStore& ClassSendWorker::Store() {
    if (store_ == nullptr) {
        store_ = std::make_unique<ClassQueueStore>(dataDir_, *reporter_);
    }
    return *store_;
}

void ClassSendWorker::Start(const QString& password) {
    server_ = std::make_unique<ClassDatabase>(connection_, password);
    server_->SetInsertedStep([this](int count) {
        trace_.SenderStep(QStringLiteral("inserted"), QString::number(count));
    });
    started_ = true;
    Send();
}

void ClassSendWorker::Send() {
    if (!started_) {
        return;
    }
    if (!Store().IsKept()) {
        Finish(static_cast<int>(ClassProblem::QueueNotKept), 0);
        return;
    }
    ClassSendRound round(Store(), *server_, [this](std::string_view step, int count) {
        trace_.SenderStep(QString::fromLatin1(step.data(), static_cast<qsizetype>(step.size())),
                          step == "connected" ? QString() : QString::number(count));
    });
    const ClassProblem problem = round.Run();
    Finish(static_cast<int>(problem), round.Sent());
}

void ClassSendWorker::Finish(int problem, int sent) {
    const int waiting = Store().Count();
    if (problem == static_cast<int>(ClassProblem::None)) {
        trace_.Step(QStringLiteral("done"), QString::number(waiting));
    } else {
        const std::string_view name = ClassProblems::Name(static_cast<ClassProblem>(problem));
        trace_.Step(QStringLiteral("problem"),
                    QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    }
    emit Finished(problem, sent, waiting);
}
