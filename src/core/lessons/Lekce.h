#pragma once
// Holds the one text that the pupil is copying, split into lines, and the position in it;
// loads it from the lesson files or a user's own file and remembers it across runs.
// All texts are code page 1250 bytes.

#include "LineWidth.h"

#include <cstdint>
#include <string>
#include <vector>

class IniFile;
class Reporter;

class LEKCE {
public:
    static constexpr int kLineWidth = ::kLineWidth; // the name the loaders and their tests use

    // `dataDir`: the directory of the lesson files (the program's directory).
    LEKCE(std::string dataDir, Reporter& reporter);

    std::vector<std::string> Lines;
    std::string IntroLine;
    int32_t LessonNumber = 0;    // last built-in lesson loaded; "Cislo"
    std::string UserFileName;    // last user file loaded; "UzivSoubor"
    int32_t SavedLineNumber = 0; // "CisloRadku" as read at start-up
    bool Qwertz = false;         // layout of the last lesson loaded; "QWERTZ"
    int32_t CurrentLesson = 0;   // 1..44 a lesson, -1 a user text, 0 nothing; "CisloAkt"
    std::string DisplayFileName; // the user file's path for the caption
    int32_t LineNumber = 0;      // current line from 1; 0 before the first
    int32_t TotalChars = 0;      // sum of (length + 1) over all lines
    int32_t CharsBefore = 0;     // the same over the lines before the current one
    int32_t LineSize = 0;        // length of the current line + 1

    void Clear();
    // Each returns false, leaving `text` and the store untouched, when there is no such line.
    bool CurrentLine(std::string& text);
    bool NextLine(std::string& text);
    bool PreviousLine(std::string& text);
    bool FirstLine(std::string& text);
    [[nodiscard]] double Progress(int pos) const;
    [[nodiscard]] int32_t LineCount() const { return static_cast<int32_t>(Lines.size()); }

    bool LoadLesson(int n, bool qwertz);
    bool LoadTextFile(const std::string& path);

    // Section "Lekce". RestorePosition loads the saved text and returns true when it also
    // found the saved line in it; otherwise the text's statistics no longer apply.
    void SavePosition(IniFile& ini) const;
    bool RestorePosition(const IniFile& ini);

    // The lesson file that holds lesson n on the given layout ("KTOSCA.DAT", ...).
    [[nodiscard]] static std::string LessonFileName(int n, bool qwertz);
    [[nodiscard]] const std::string& DataDir() const { return dataDir_; }

private:
    void Recount();

    std::string dataDir_;
    Reporter& reporter_;
};
