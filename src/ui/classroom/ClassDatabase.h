#pragma once
// The class database through Qt SQL's PostgreSQL driver: a connection of its own, used only on
// the thread that made the object (the sender's worker, a test of the join dialog, the
// teacher's window's reader), never on the window's thread.

#include "ClassConnection.h"
#include "ClassResult.h"
#include "ClassServer.h"

#include <QSqlError>
#include <QString>

#include <functional>
#include <string>
#include <utility>
#include <vector>

// What a login is in the database.
struct ClassMembership {
    bool teacher = false;
    std::string className; // UTF-8: the pupil's class, the first class a teacher teaches
};

// What the teacher's window shows: the pupils of the teacher's classes and their results.
struct ClassContents {
    std::vector<std::pair<std::string, std::string>> pupils; // login, class
    std::vector<ClassResult> results;
};

class ClassDatabase final : public ClassServer {
public:
    // The schema version this program makes and reads (data/klaptos-trida.sql).
    static constexpr int kSchemaVersion = 1;

    // An empty `password` leaves it to libpq's password file.
    ClassDatabase(ClassConnection connection, QString password);
    ~ClassDatabase() override;
    ClassDatabase(const ClassDatabase&) = delete;
    ClassDatabase& operator=(const ClassDatabase&) = delete;

    [[nodiscard]] bool Connected() const override;
    // Connects and checks that the database is a class database this program can read.
    ClassProblem Connect() override;
    ClassProblem Insert(const std::vector<QueuedResult>& batch) override;
    void Disconnect() override;

    // After Connect.
    ClassProblem ReadMembership(ClassMembership& membership);
    ClassProblem ReadContents(ClassContents& contents);

    // Called after a batch was inserted and before it is committed (the program's trace).
    void SetInsertedStep(std::function<void(int count)> inserted) {
        inserted_ = std::move(inserted);
    }
    // The server's or the driver's words about the last problem.
    [[nodiscard]] const QString& Detail() const { return detail_; }

private:
    ClassProblem Open();
    ClassProblem Failed(const QSqlError& error, ClassProblem fallback = ClassProblem::Other);

    ClassConnection connection_;
    QString password_;
    QString name_;
    QString detail_;
    std::function<void(int)> inserted_;
};
