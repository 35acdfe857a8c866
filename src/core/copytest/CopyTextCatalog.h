#pragma once
// The program's own copy texts: the files NN-name.txt of one folder, in the order of their
// names, each with the title on its first line.

#include <string>
#include <vector>

struct CopyTextEntry {
    std::string path;  // the file system's bytes
    std::string title; // code page 1250
    friend bool operator==(const CopyTextEntry&, const CopyTextEntry&) = default;
};

class CopyTextCatalog {
public:
    // Where the copy texts lie among the program's files.
    static constexpr const char* kFolderName = "opisy";

    // The texts of `dir`; none when the folder is missing or empty.
    [[nodiscard]] static std::vector<CopyTextEntry> List(const std::string& dir);
};
