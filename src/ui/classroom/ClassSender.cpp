#include "ClassSender.h"

#include "ClassQueueStore.h"
#include "ClassResult.h"
#include "ClassSendWorker.h"
#include "ClassTrace.h"
#include "ResultJson.h"
#include "UnshownReporter.h"

ClassSender::ClassSender(const ClassConnection& connection, std::string dataDir)
    : dataDir_(std::move(dataDir)), reporter_(std::make_unique<UnshownReporter>()),
      worker_(new ClassSendWorker(connection, dataDir_)) {
    thread_.setObjectName(QStringLiteral("ClassSender"));
    worker_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    connect(worker_, &ClassSendWorker::Finished, this, &ClassSender::Note);
    retry_.setInterval(kRetryMs);
    connect(&retry_, &QTimer::timeout, this, &ClassSender::SendNow);
    thread_.start();
}

ClassSender::~ClassSender() {
    thread_.quit();
    thread_.wait();
}

void ClassSender::Start(const QString& password) {
    QMetaObject::invokeMethod(worker_, [worker = worker_, password] { worker->Start(password); });
    retry_.start();
}

void ClassSender::Queue(const ClassResult& result) {
    if (queue_ == nullptr) {
        queue_ = std::make_unique<ClassQueueStore>(dataDir_, *reporter_);
    }
    if (!queue_->Add({result.id, ResultJson::Payload(result)})) {
        Note(static_cast<int>(ClassProblem::QueueNotKept), 0, waiting_);
        return;
    }
    ClassTrace().Step(QStringLiteral("queued"), QString::fromStdString(result.id));
    SendNow();
}

void ClassSender::SendNow() {
    QMetaObject::invokeMethod(worker_, [worker = worker_] { worker->Send(); });
}

void ClassSender::Note(int problem, int sent, int waiting) {
    notice_.Observe(static_cast<ClassProblem>(problem));
    waiting_ = waiting;
    emit Finished(problem, sent, waiting);
}
