#pragma once
// The lesson dialog and the open-file dialog, answered in advance by the test; each
// remembers what it was shown with.

#include "LessonCommands.h"

#include <functional>
#include <optional>
#include <string>

class FakeLessonDialogs final : public LessonDialogs {
public:
    struct LessonChoice {
        int lesson = 1;
        bool qwertz = true;
    };

    bool ChooseLesson(int& lesson, bool& qwertz) override {
        ++lessonDialogsShown;
        shownLesson = lesson;
        shownQwertz = qwertz;
        if (whileShown) {
            whileShown();
        }
        if (!lessonAnswer) {
            return false;
        }
        lesson = lessonAnswer->lesson;
        qwertz = lessonAnswer->qwertz;
        return true;
    }

    bool ChooseTextFile(const std::string& fileName, const std::string& initialDir,
                        std::string& chosen) override {
        ++fileDialogsShown;
        shownFileName = fileName;
        shownInitialDir = initialDir;
        if (whileShown) {
            whileShown();
        }
        if (!fileAnswer) {
            return false;
        }
        chosen = *fileAnswer;
        return true;
    }

    // Empty: the pupil cancels.
    std::optional<LessonChoice> lessonAnswer;
    std::optional<std::string> fileAnswer;
    // Runs while a dialog is open.
    std::function<void()> whileShown;

    int lessonDialogsShown = 0;
    int shownLesson = 0;
    bool shownQwertz = false;
    int fileDialogsShown = 0;
    std::string shownFileName;
    std::string shownInitialDir;
};
