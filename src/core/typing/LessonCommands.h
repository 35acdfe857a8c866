#pragma once
// The two commands that replace the text being typed: a built-in lesson from the lesson
// dialog, or the pupil's own text file from the open-file dialog.

#include <string>

class Commands;
class LEKCE;
class TypingEngine;

// The two modal dialogs, as the commands see them.
class LessonDialogs {
public:
    virtual ~LessonDialogs() = default;
    // `lesson` (kFirstLesson..kLastLesson) and `qwertz` come in preselected and go out chosen;
    // false when cancelled.
    virtual bool ChooseLesson(int& lesson, bool& qwertz) = 0;
    // Opens on `fileName` when it is not empty, else in `initialDir`; false when cancelled.
    virtual bool ChooseTextFile(const std::string& fileName, const std::string& initialDir,
                                std::string& chosen) = 0;
};

class LessonCommands {
public:
    LessonCommands(TypingEngine& engine, LEKCE& store, LessonDialogs& dialogs, Commands& commands,
                   std::string programDir);

    void ActionLekce();
    void ActionOpenFile();

private:
    TypingEngine& engine_;
    LEKCE& store_;
    LessonDialogs& dialogs_;
    Commands& commands_;
    std::string programDir_;
    std::string dialogFileName_; // what the open-file dialog remembers for the rest of the run
};
