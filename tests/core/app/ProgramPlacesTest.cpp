#include "ProgramPlaces.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <tuple>

namespace {

struct Expected {
    std::string dataDir;
    std::string settingsFile;
    std::string pupilDataDir;
    std::string textDir;
    bool portable;
};

struct Case {
    const char* name;
    ProgramPlaces::Inputs inputs;
    Expected expected;
};

ProgramPlaces::Inputs In(const char* program, bool writable, bool beside, bool share,
                         const char* config = "", const char* data = "",
                         const char* home = "/home/eva") {
    return {program, writable, beside, share, config, data, home};
}

const Case kCases[] = {
    {"BuildFolderKeepsEverythingBesideTheProgram",
     In("/src/build/bin/klaptos", true, true, false),
     {"/src/build/bin/", "/src/build/bin/klaptos.ini", "/src/build/bin/", "/src/build/bin/", true}},
    {"RenamedPortableCopyNamesItsSettingsAfterItself",
     In("/media/usb/psani/klaptos2.bin", true, true, false),
     {"/media/usb/psani/", "/media/usb/psani/klaptos2.ini", "/media/usb/psani/",
      "/media/usb/psani/", true}},
    {"ReadOnlyPortableCopyKeepsItsFilesButSettingsGoToTheHomeFolder",
     In("/media/cd/klaptos", false, true, false),
     {"/media/cd/", "/home/eva/.config/klaptos/klaptos.ini", "/home/eva/.local/share/klaptos/",
      "/home/eva/", false}},
    {"InstalledProgramUsesShareAndTheDefaultBaseFolders",
     In("/usr/bin/klaptos", false, false, true),
     {"/usr/share/klaptos/", "/home/eva/.config/klaptos/klaptos.ini",
      "/home/eva/.local/share/klaptos/", "/home/eva/", false}},
    {"InstalledProgramFollowsTheXdgVariables",
     In("/usr/local/bin/klaptos", false, false, true, "/tmp/cfg", "/tmp/data/"),
     {"/usr/local/share/klaptos/", "/tmp/cfg/klaptos/klaptos.ini", "/tmp/data/klaptos/",
      "/home/eva/", false}},
    {"InstalledProgramRunByRootStillKeepsNothingInBin",
     In("/usr/bin/klaptos", true, false, true, "", "", "/root"),
     {"/usr/share/klaptos/", "/root/.config/klaptos/klaptos.ini", "/root/.local/share/klaptos/",
      "/root/", false}},
    {"RelativeXdgVariablesAreIgnored",
     In("/opt/k/bin/klaptos", false, false, true, "cfg", "data"),
     {"/opt/k/share/klaptos/", "/home/eva/.config/klaptos/klaptos.ini",
      "/home/eva/.local/share/klaptos/", "/home/eva/", false}},
    {"WithoutHomeTheXdgVariablesAloneDecide",
     In("/usr/bin/klaptos", false, false, true, "/run/cfg", "", ""),
     {"/usr/share/klaptos/", "/run/cfg/klaptos/klaptos.ini", "/run/cfg/klaptos/", "/usr/bin/",
      false}},
    {"WithNoHomeAtAllSettingsStayBesideTheProgram",
     In("/usr/bin/klaptos", false, false, true, "", "", ""),
     {"/usr/share/klaptos/", "/usr/bin/klaptos.ini", "/usr/bin/", "/usr/bin/", true}},
    {"MissingFilesAreLookedForBesideTheProgram",
     In("/opt/broken/klaptos", false, false, false),
     {"/opt/broken/", "/home/eva/.config/klaptos/klaptos.ini", "/home/eva/.local/share/klaptos/",
      "/home/eva/", false}},
};

class ProgramPlacesRule : public testing::TestWithParam<Case> {};

TEST_P(ProgramPlacesRule, DecidesEveryPlace) {
    const ProgramPlaces places = ProgramPlaces::Decide(GetParam().inputs);
    const Expected got{places.DataDir(), places.SettingsFile(), places.PupilDataDir(),
                       places.TextDir(), places.Portable()};
    const Expected& want = GetParam().expected;
    EXPECT_EQ(
        std::tie(got.dataDir, got.settingsFile, got.pupilDataDir, got.textDir, got.portable),
        std::tie(want.dataDir, want.settingsFile, want.pupilDataDir, want.textDir, want.portable));
}

INSTANTIATE_TEST_SUITE_P(Cases, ProgramPlacesRule, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

class ScratchTree : public testing::Test {
protected:
    void SetUp() override {
        root = std::filesystem::temp_directory_path() /
               ("klaptos-places-" + std::to_string(::getpid()));
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root / "bin");
    }
    void TearDown() override { std::filesystem::remove_all(root); }
    std::filesystem::path root;
};

TEST_F(ScratchTree, ObserveFindsTheHelpBesideTheProgramOrInShare) {
    const std::string program = (root / "bin" / "klaptos").string();
    EXPECT_FALSE(ProgramPlaces::Observe(program).dataBesideProgram);
    EXPECT_FALSE(ProgramPlaces::Observe(program).dataInShare);

    std::filesystem::create_directories(root / "share" / "klaptos");
    std::ofstream(root / "share" / "klaptos" / "napoveda.html") << "<html>";
    ProgramPlaces::Inputs installed = ProgramPlaces::Observe(program);
    EXPECT_TRUE(installed.dataInShare && !installed.dataBesideProgram);
    EXPECT_TRUE(installed.programDirWritable);
    EXPECT_EQ(ProgramPlaces::Decide(installed).DataDir(),
              (root / "share" / "klaptos").string() + "/");

    std::ofstream(root / "bin" / "napoveda.html") << "<html>";
    EXPECT_TRUE(ProgramPlaces::Observe(program).dataBesideProgram);
}

TEST_F(ScratchTree, SettingsFolderIsCreatedWithItsParentsOnlyWhenAsked) {
    const std::string config = (root / "home" / "cfg").string();
    ProgramPlaces::Inputs inputs = In("/usr/bin/klaptos", false, false, true, config.c_str());
    const ProgramPlaces places = ProgramPlaces::Decide(inputs);
    EXPECT_FALSE(std::filesystem::exists(root / "home"));
    EXPECT_TRUE(places.MakeSettingsDir());
    EXPECT_TRUE(std::filesystem::is_directory(root / "home" / "cfg" / "klaptos"));
    EXPECT_TRUE(places.MakeSettingsDir()); // an existing folder is fine too

    std::ofstream(root / "file") << "x";
    inputs.xdgConfigHome = (root / "file").string();
    EXPECT_FALSE(ProgramPlaces::Decide(inputs).MakeSettingsDir());
}

} // namespace
