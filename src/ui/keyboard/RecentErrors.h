#pragma once
// The errors of the pupil's last finished texts on one layout, read from the history on its
// own thread for the keyboard's heat map: the history keeps each text's wrong keystrokes per
// character, and each text's characters are counted again from its lesson or its file.

#include "ErrorMap.h"

#include <string>
#include <vector>

class HistoryQueries;

class RecentErrors {
public:
    // The window of the heat map: the last few texts say what the pupil gets wrong now, and are
    // long enough together (a lesson has a few hundred keystrokes) for most keys' rates.
    static constexpr int kTexts = 5;

    // Up to kTexts texts, newest first: lessons of the layout and own texts, whose characters can
    // still be read (`dataDir` holds the lesson files). Own texts keep no layout of their own.
    [[nodiscard]] static std::vector<RecordedErrors> Read(const HistoryQueries& queries,
                                                          const std::string& dataDir, bool qwertz);
};
