#pragma once
// Sends the pupil's results to the class database in the background. A result is queued in
// the history's database at once, on the window's thread, as the history itself is kept (a
// local write, so that a result is never lost behind a send that hangs); a thread of its own
// sends the queue at start, after each result and every few minutes. Typing never waits for
// the network; a problem is noted for the pupil to be told once (ProblemNotice).

#include "ClassConnection.h"
#include "ProblemNotice.h"

#include <QObject>
#include <QThread>
#include <QTimer>

#include <memory>
#include <string>

class ClassQueueStore;
class ClassSendWorker;
class UnshownReporter;
struct ClassResult;

class ClassSender final : public QObject {
    Q_OBJECT

public:
    static constexpr int kRetryMs = 3 * 60 * 1000;

    // `dataDir`: the pupil's data folder, where the history lies.
    ClassSender(const ClassConnection& connection, std::string dataDir);
    // Waits for a send in flight, which the connection's time limits keep to seconds.
    ~ClassSender() override;
    ClassSender(const ClassSender&) = delete;
    ClassSender& operator=(const ClassSender&) = delete;

    // Starts sending with the password from the secret store (empty: libpq's password file).
    // Results queued before are kept and sent then.
    void Start(const QString& password);
    void Queue(const ClassResult& result);
    void SendNow();

    [[nodiscard]] ProblemNotice& Notice() { return notice_; }
    [[nodiscard]] int Waiting() const { return waiting_; }

signals:
    // After each attempt, on the window's thread.
    void Finished(int problem, int sent, int waiting);

private:
    void Note(int problem, int sent, int waiting);

    std::string dataDir_;
    std::unique_ptr<UnshownReporter> reporter_;
    std::unique_ptr<ClassQueueStore> queue_; // the window thread's own connection
    QThread thread_;
    ClassSendWorker* worker_;
    QTimer retry_;
    ProblemNotice notice_;
    int waiting_ = 0;
};
