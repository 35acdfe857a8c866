#pragma once
// A temporary directory with lesson files and user text files written by a test; removed
// with everything in it when the test ends. Texts are given in UTF-8 and stored as code
// page 1250, as the program's own files are.

#include "Cp1250.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

class TempLessonDir {
public:
    TempLessonDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "klaptos-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary directory");
        }
        path_ = pattern;
    }
    ~TempLessonDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempLessonDir(const TempLessonDir&) = delete;
    TempLessonDir& operator=(const TempLessonDir&) = delete;

    // The directory with a closing slash, so that a file name can be appended directly.
    [[nodiscard]] std::string Path() const { return path_.string() + "/"; }

    // The file that holds lesson n: the lessons 12 to 22 have one file for each layout.
    [[nodiscard]] static std::string LessonFile(int n, bool qwertz) {
        if (n <= 11) {
            return "KTOSCA.DAT";
        }
        if (n >= 23) {
            return "KTOSCC.DAT";
        }
        return qwertz ? "KTOSCBZ.DAT" : "KTOSCBY.DAT";
    }

    // Appends the section of lesson n, closed by an empty line, to its lesson file.
    void AddLesson(int n, std::string_view intro, std::initializer_list<std::string_view> lines,
                   bool qwertz = true) {
        char marker[16];
        std::snprintf(marker, sizeof marker, "$LEKCE:%02d", n);
        std::string section = std::string(marker) + "\r\n" + Cp1250::FromUtf8(intro) + "\r\n";
        for (std::string_view line : lines) {
            section += Cp1250::FromUtf8(line) + "\r\n";
        }
        section += "\r\n";
        Append(LessonFile(n, qwertz), section);
    }

    // Writes a user text file: the introductory line, then the text lines. Returns its path.
    std::string WriteTextFile(std::string_view name, std::string_view intro,
                              std::initializer_list<std::string_view> lines) {
        std::string content = Cp1250::FromUtf8(intro) + "\n";
        for (std::string_view line : lines) {
            content += Cp1250::FromUtf8(line) + "\n";
        }
        const std::string path = Path() + std::string(name);
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

private:
    void Append(const std::string& name, const std::string& bytes) {
        std::ofstream(Path() + name, std::ios::binary | std::ios::app) << bytes;
    }

    std::filesystem::path path_;
};
