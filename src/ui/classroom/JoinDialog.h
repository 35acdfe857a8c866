#pragma once
// "Připojení ke třídě": the server, port, database, login and password of the pupil's (or
// teacher's) class. "Připojit" tests the connection at once, in the background, and answers
// in Czech; a connection that works is kept (the password where PasswordKeeper keeps it) and
// reported through Joined. "Odpojit od třídy" leaves the class.

#include "ClassConnection.h"
#include "ClassDatabase.h"

#include <QDialog>

#include <functional>

class PasswordKeeper;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// What a test of the connection found.
struct JoinAnswer {
    ClassProblem problem = ClassProblem::None;
    ClassMembership membership;
    QString detail; // the server's words, for the tooltip
};

class JoinDialog final : public QDialog {
    Q_OBJECT

public:
    // Runs on a thread of its own.
    using Tester = std::function<JoinAnswer(const ClassConnection&, const QString& password)>;

    // `current`: the class joined now, if any.
    JoinDialog(const ClassConnection& current, PasswordKeeper& keeper, QWidget* parent,
               Tester tester = TestConnection);

    // Connects with the real database.
    [[nodiscard]] static JoinAnswer TestConnection(const ClassConnection& connection,
                                                   const QString& password);

signals:
    void Joined(const ClassConnection& connection);
    void Left();
    // After each test of the connection has been answered (ClassProblem as int).
    void Answered(int problem);

private:
    void Connect();
    void TakeAnswer(const JoinAnswer& answer, const ClassConnection& connection,
                    const QString& password);
    void Kept(const ClassConnection& connection);
    void Leave();
    void SetBusy(bool busy);
    void Say(const QString& text, bool problem);
    [[nodiscard]] ClassConnection Entered() const;

    PasswordKeeper& keeper_;
    Tester tester_;
    ClassConnection current_;
    QLineEdit* server_;
    QSpinBox* port_;
    QLineEdit* database_;
    QLineEdit* login_;
    QLineEdit* password_;
    QLabel* answer_;
    QPushButton* connect_;
    QPushButton* leave_;
    QPushButton* close_;
};
