#pragma once
// What the pupil is told when the history cannot be kept as usual: the kind of problem, told
// from the database's result code and what the disk says, and its message. Every message
// leads to the help's section on the history.

#include <string>

enum class HistoryProblem {
    Locked,         // another program holds the database's lock
    ReadOnly,       // the file or its folder may not be written: the history is only shown
    DiskFull,       // no room left on the disk
    DiskError,      // reading or writing the disk failed otherwise
    CannotOpen,     // the file cannot be opened
    Damaged,        // not a database, or a damaged one, which cannot be moved aside
    Directory,      // a folder in the file's place
    NotAFile,       // a device, a pipe or a socket in the file's place
    UnknownVersion, // written by a version of the program this one does not know
    NoFolder,       // the data folder cannot be made
    NoDriver,       // Qt has no SQLite driver
    Other,
};

class HistoryMessage {
public:
    // The help file's section on the history, and the words of the link to it (code page 1250).
    static constexpr const char* kHelpTopic = "HISTORY";
    [[nodiscard]] static std::string HelpTitle();

    // The problem behind SQLite's result code (primary or extended); `diskFull`: the disk has
    // (almost) no room left, which turns a failed write into a full disk.
    [[nodiscard]] static HistoryProblem OfSqliteCode(int code, bool diskFull);

    // The message for the pupil, code page 1250, ending with the history file's path (the file
    // system's bytes). `detail`: the database's own words for Other and DiskError, the version
    // found for UnknownVersion.
    [[nodiscard]] static std::string Text(HistoryProblem problem, const std::string& path,
                                          const std::string& detail = {});
    // A damaged file was renamed to `asideName` and a new history began.
    [[nodiscard]] static std::string MovedAside(const std::string& asideName,
                                                const std::string& path);
};
