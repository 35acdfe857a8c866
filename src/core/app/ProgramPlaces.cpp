#include "ProgramPlaces.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

std::string Folder(std::string path) {
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    return path;
}

std::string FolderOf(const std::string& file) {
    const std::size_t slash = file.rfind('/');
    return slash == std::string::npos ? std::string("./") : file.substr(0, slash + 1);
}

std::string StemOf(const std::string& file) {
    std::string name = file.substr(file.rfind('/') + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) {
        name.erase(dot);
    }
    return name;
}

// A base directory variable counts only when it holds an absolute path, as the XDG base
// directory rules say; otherwise the default below the home folder applies.
std::string BaseDir(const std::string& variable, const std::string& home,
                    const char* defaultBelowHome) {
    if (!variable.empty() && variable.front() == '/') {
        return Folder(variable);
    }
    if (!home.empty() && home.front() == '/') {
        return Folder(home) + defaultBelowHome;
    }
    return {};
}

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

} // namespace

ProgramPlaces ProgramPlaces::Decide(const Inputs& inputs) {
    ProgramPlaces places;
    const std::string programDir = FolderOf(inputs.programFile);
    const std::string shareDir =
        std::filesystem::path(programDir + "../share/" + kFolderName + "/").lexically_normal();
    // An installed program has its files in ../share/klaptos; its bin folder is no place
    // for a pupil's settings even where it is writable (root, a prefix in the home folder).
    places.dataDir_ = inputs.dataBesideProgram || !inputs.dataInShare ? programDir : shareDir;
    const bool installed = !inputs.dataBesideProgram && inputs.dataInShare;

    const std::string configDir = BaseDir(inputs.xdgConfigHome, inputs.home, ".config/");
    const std::string dataHome = BaseDir(inputs.xdgDataHome, inputs.home, ".local/share/");
    // Without a home folder there is nowhere else: beside the program, as ever.
    places.portable_ = (inputs.programDirWritable && !installed) || configDir.empty();
    if (places.portable_) {
        places.settingsFile_ = programDir + StemOf(inputs.programFile) + ".ini";
        places.pupilDataDir_ = programDir;
        places.textDir_ = programDir;
    } else {
        places.settingsFile_ = configDir + kFolderName + "/" + kFolderName + ".ini";
        places.pupilDataDir_ = (dataHome.empty() ? configDir : dataHome) + kFolderName + "/";
        places.textDir_ = inputs.home.empty() ? programDir : Folder(inputs.home);
    }
    return places;
}

ProgramPlaces::Inputs ProgramPlaces::Observe(const std::string& programFile) {
    namespace fs = std::filesystem;
    Inputs inputs;
    inputs.programFile = programFile;
    const std::string programDir = FolderOf(programFile);
    std::error_code error;
    inputs.programDirWritable = ::access(programDir.c_str(), W_OK) == 0;
    inputs.dataBesideProgram = fs::is_regular_file(programDir + kHelpFileName, error);
    inputs.dataInShare =
        fs::is_regular_file(programDir + "../share/" + kFolderName + "/" + kHelpFileName, error);
    inputs.xdgConfigHome = Variable("XDG_CONFIG_HOME");
    inputs.xdgDataHome = Variable("XDG_DATA_HOME");
    inputs.home = Variable("HOME");
    return inputs;
}

bool ProgramPlaces::MakeSettingsDir() const {
    std::error_code error;
    const std::filesystem::path folder = FolderOf(settingsFile_);
    std::filesystem::create_directories(folder, error);
    return std::filesystem::is_directory(folder, error);
}
