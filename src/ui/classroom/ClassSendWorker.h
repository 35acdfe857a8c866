#pragma once
// The class sender's work on its own thread: it reads the queue from the history's database
// and sends it to the class database through connections of its own, so that the network
// never holds up the window's thread.

#include "ClassConnection.h"
#include "ClassTrace.h"

#include <QObject>
#include <QString>

#include <memory>
#include <string>

class ClassDatabase;
class ClassQueueStore;
class UnshownReporter;

class ClassSendWorker final : public QObject {
    Q_OBJECT

public:
    ClassSendWorker(ClassConnection connection, std::string dataDir);
    ~ClassSendWorker() override;

    // The password from the secret store (empty: libpq's password file); sends from then on.
    void Start(const QString& password);
    // Sends what the queue holds, once started.
    void Send();

signals:
    // After each attempt: the problem (ClassProblem as int, 0 for none), the results sent and
    // the results still waiting.
    void Finished(int problem, int sent, int waiting);

private:
    ClassQueueStore& Store();
    void Finish(int problem, int sent);

    ClassConnection connection_;
    std::string dataDir_;
    ClassTrace trace_;
    std::unique_ptr<UnshownReporter> reporter_;
    std::unique_ptr<ClassQueueStore> store_;
    std::unique_ptr<ClassDatabase> server_;
    bool started_ = false;
};
