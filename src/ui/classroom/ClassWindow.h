#pragma once
// "Třída", the teacher's window: the pupils of a class with their lessons passed, last
// activity, error rate and best copy test, the class's errors per character, a chart of the
// chosen pupil's speed, and the overview as CSV. The data is read in the background each time
// the window opens or "Obnovit" is pressed.

#include "ClassConnection.h"
#include "ClassDatabase.h"

#include <QDialog>

#include <functional>

class ClassTableModel;
class PasswordKeeper;
class PupilChart;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class QTableWidget;

// What a reading of the class found.
struct ClassReading {
    ClassProblem problem = ClassProblem::None;
    ClassContents contents;
};

class ClassWindow final : public QDialog {
    Q_OBJECT

public:
    // Reads the class database on a thread of its own.
    using Reader = std::function<ClassReading(const ClassConnection&, const QString& password)>;

    ClassWindow(const ClassConnection& connection, PasswordKeeper& keeper, QWidget* parent,
                Reader reader = ReadClass);

    [[nodiscard]] static ClassReading ReadClass(const ClassConnection& connection,
                                                const QString& password);

    // Writes the overview of the chosen class; false when the file cannot be written.
    bool ExportCsv(const QString& path) const;
    [[nodiscard]] const ClassTableModel& Table() const { return *table_; }

signals:
    // After each reading, shown or not.
    void Read(int problem);

private:
    void Refresh();
    void Show(const ClassReading& reading);
    void ShowClass(const QString& className);
    void ShowPupil();
    void ExportClicked();

    ClassConnection connection_;
    PasswordKeeper& keeper_;
    Reader reader_;
    ClassContents contents_;
    QComboBox* classes_;
    QLabel* state_;
    QPushButton* refresh_;
    ClassTableModel* table_;
    QTableView* view_;
    QTableWidget* keyErrors_;
    PupilChart* chart_;
};
