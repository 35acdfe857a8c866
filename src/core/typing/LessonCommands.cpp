#include "LessonCommands.h"

#include "Lekce.h"
#include "LessonCount.h"
#include "ModalPause.h"
#include "TypingEngine.h"

#include <utility>

LessonCommands::LessonCommands(TypingEngine& engine, LEKCE& store, LessonDialogs& dialogs,
                               Commands& commands, std::string programDir)
    : engine_(engine), store_(store), dialogs_(dialogs), commands_(commands),
      programDir_(std::move(programDir)) {}

void LessonCommands::ActionLekce() {
    int lesson = store_.LessonNumber;
    if (lesson < kFirstLesson || lesson > kLastLesson) {
        lesson = kFirstLesson;
    }
    bool qwertz = store_.Qwertz;

    ModalPause pause(engine_, commands_);
    if (dialogs_.ChooseLesson(lesson, qwertz)) {
        // Started whatever the load returns: the loader has told the pupil what went wrong,
        // and BeginText copes with the old text as well as with an empty store.
        pause.KeepStopped();
        store_.LoadLesson(lesson, qwertz);
        engine_.BeginNewText();
    }
}

void LessonCommands::ActionOpenFile() {
    ModalPause pause(engine_, commands_);
    std::string initialDir;
    if (dialogFileName_.empty()) {
        // First use in this run: open on the file of the last run, else beside the program.
        if (!store_.UserFileName.empty()) {
            dialogFileName_ = store_.UserFileName;
        } else {
            initialDir = programDir_;
        }
    }

    std::string chosen;
    if (dialogs_.ChooseTextFile(dialogFileName_, initialDir, chosen)) {
        pause.KeepStopped();
        dialogFileName_ = chosen;
        store_.LoadTextFile(chosen);
        engine_.BeginNewText();
    }
}
