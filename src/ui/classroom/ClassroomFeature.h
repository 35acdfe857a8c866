#pragma once
// A school class joined to the main window: "Připojit ke třídě…" in the menu Program, the
// pupil's results queued and sent to the class database in the background, the teacher's
// "Třída" window, and the [Trida] section of the settings file. The class's windows open
// through the main window's host, so that typing stops while they are open. Without a joined class
// none of it loads: no thread, no database driver, no secret store.

#include "ClassConnection.h"
#include "ClassRecordingHistory.h"
#include "ClassResultSink.h"
#include "MainWindowFeature.h"
#include "PasswordKeeper.h"

#include <QPointer>
#include <QStringList>

#include <memory>
#include <string>

class ClassSender;
class HistoryStore;
struct CopyTestResult;

class ClassroomFeature final : public MainWindowFeature, private ClassResultSink {
public:
    // `history`: where finished texts are kept; `dataDir`: the pupil's data folder, where the
    // history's database holds the queue too; `practicePath`: the practice text's file.
    ClassroomFeature(HistoryStore& history, std::string dataDir, std::string practicePath,
                     QStringList pluginDirs);
    ~ClassroomFeature() override;
    ClassroomFeature(const ClassroomFeature&) = delete;
    ClassroomFeature& operator=(const ClassroomFeature&) = delete;

    // The history that the window's features record into: it queues each result for the
    // class as well, while a pupil's class is joined.
    [[nodiscard]] HistoryStore& History() { return recording_; }

    std::vector<std::pair<QString, QAction*>> CreateActions(QWidget* window) override;
    void ReadSettings(const IniFile& ini) override;
    void WriteSettings(IniFile& ini) const override;
    void AddToEvaluation(TFormKonec& evaluation, TypingEngine& engine) override;
    void SetHost(const FeatureHost& host) override { host_ = host; }

    // A finished timed copy: queued for the class while a pupil's class is joined.
    void CopyTestFinished(const CopyTestResult& copy);

    [[nodiscard]] const ClassConnection& Connection() const { return connection_; }
    // The sender while a pupil's class is joined, else nullptr.
    [[nodiscard]] ClassSender* Sender() const { return sender_.get(); }

    // Opens the join dialog (the menu's action).
    void ShowJoinDialog();
    // Opens the teacher's window (the menu's action).
    void ShowClassWindow();

private:
    [[nodiscard]] bool WantsResults() const override;
    void Queue(const ClassResult& result) override;

    void Joined(const ClassConnection& connection);
    void Left();
    void StartSending();
    void ShowTeacherAction();
    int RunModal(QDialog& dialog);

    std::string dataDir_;
    PasswordKeeper keeper_;
    ClassRecordingHistory recording_;
    ClassConnection connection_;
    std::unique_ptr<ClassSender> sender_;
    FeatureHost host_;
    QPointer<QWidget> window_;
    QAction* joinAction_ = nullptr;
    QAction* classAction_ = nullptr;
};
