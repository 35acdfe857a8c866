#pragma once
// Decides once, at start, where the program finds its lesson files and help and where it
// keeps a pupil's settings and data: beside itself when it is a portable copy (the build
// folder, a copied folder), in the pupil's own folders when it is installed.

#include <string>

class ProgramPlaces {
public:
    // What the decision depends on, gathered from the running system by Observe().
    struct Inputs {
        std::string programFile;         // the executable's absolute path
        bool programDirWritable = false; // the executable's folder accepts new files
        bool dataBesideProgram = false;  // the help lies in the executable's folder
        bool dataInShare = false;        // the help lies in ../share/klaptos/
        std::string xdgConfigHome;       // the variables as set, empty when unset
        std::string xdgDataHome;
        std::string home;
    };

    // The name of the help file, whose presence tells where the program's files lie.
    static constexpr const char* kHelpFileName = "napoveda.html";
    static constexpr const char* kFolderName = "klaptos";

    [[nodiscard]] static ProgramPlaces Decide(const Inputs& inputs);
    // Reads the file system and the environment for `programFile`.
    [[nodiscard]] static Inputs Observe(const std::string& programFile);

    // Folders end with '/'.
    [[nodiscard]] const std::string& DataDir() const { return dataDir_; }
    [[nodiscard]] std::string HelpFile() const { return dataDir_ + kHelpFileName; }
    [[nodiscard]] const std::string& SettingsFile() const { return settingsFile_; }
    // Where features store what they remember of a pupil beyond the settings (history).
    [[nodiscard]] const std::string& PupilDataDir() const { return pupilDataDir_; }
    // Where the file dialog first opens for an own text.
    [[nodiscard]] const std::string& TextDir() const { return textDir_; }
    [[nodiscard]] bool Portable() const { return portable_; }

    // Creates the settings file's folder if it is missing, since the settings file is
    // written as a new file in that folder; false when it cannot be created.
    [[nodiscard]] bool MakeSettingsDir() const;

    friend bool operator==(const ProgramPlaces&, const ProgramPlaces&) = default;

private:
    std::string dataDir_;
    std::string settingsFile_;
    std::string pupilDataDir_;
    std::string textDir_;
    bool portable_ = false;
};
