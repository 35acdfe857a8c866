// The settings written at the end of a run land together or not at all, even when the
// program is killed in the middle of writing them.

#include "IniFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteAll(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The same keys, in the same order, as the main window writes when the program ends.
void WriteFinalSettings(const std::string& path, int generation) {
    IniFile ini(path);
    IniFile::Batch batch(ini);
    const char* const window[] = {"Left", "Top", "Width", "Height"};
    for (int i = 0; i < 4; ++i) {
        ini.WriteInteger("Window", window[i], generation * 10 + i);
    }
    ini.WriteString("Font", "Name", "Liberation Mono");
    ini.WriteInteger("Font", "Size", 12 + generation);
    ini.WriteBool("Font", "Bold", generation % 2 == 1);
    ini.WriteBool("Font", "Italic", false);
    const char* const options[] = {"SpeedIx",     "IsMaximized", "ErrRep",     "ErrIsRep",
                                   "CharSpace",   "ErrorBeep",   "Caret",      "Speed",
                                   "MoveOnError", "AutoStop",    "CloseQuery", "Sound"};
    for (const char* key : options) {
        ini.WriteInteger("Options", key, generation % 2);
    }
    ini.WriteInteger("Statistika", "ChCelkem", generation);
    ini.WriteInteger("Statistika", "MsCelkem", generation * 1000);
    ini.WriteInteger("Statistika", "UhozyCelkem", generation * 50);
    ini.WriteInteger("Statistika", "UhozyOK", generation * 49);
    ini.WriteString("Statistika", "MsMem", "1f4,2bc,");
    ini.WriteInteger("Lekce", "Cislo", generation);
    ini.WriteInteger("Lekce", "CisloAkt", generation);
    ini.WriteString("Lekce", "UzivSoubor", "");
    ini.WriteInteger("Lekce", "CisloRadku", generation + 1);
    ini.WriteInteger("Lekce", "QWERTZ", 1);
    batch.Commit();
}

class IniFileCrash : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("klaptos-crash-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        path_ = (dir_ / "klaptos.ini").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path dir_;
    std::string path_;
};

const std::string kForeign = "[Jiný program]\r\nklíč=hodnota\r\n; poznámka\r\n";

} // namespace

TEST_F(IniFileCrash, HeldWritesReachTheDiskOnlyWhenReleased) {
    WriteAll(path_, kForeign);
    IniFile ini(path_);
    ini.HoldWrites();
    ini.WriteInteger("Lekce", "CisloRadku", 5);
    ini.WriteString("Font", "Name", "Liberation Mono");
    EXPECT_EQ(ReadAll(path_), kForeign);
    ini.ReleaseWrites();
    EXPECT_EQ(ReadAll(path_),
              kForeign + "[Lekce]\r\nCisloRadku=5\r\n[Font]\r\nName=Liberation Mono\r\n");
}

TEST_F(IniFileCrash, ABatchLeftWithoutCommitChangesNothingOnTheDisk) {
    WriteAll(path_, kForeign);
    {
        IniFile ini(path_);
        IniFile::Batch batch(ini);
        ini.WriteInteger("Lekce", "CisloRadku", 5);
    }
    EXPECT_EQ(ReadAll(path_), kForeign);
}

TEST_F(IniFileCrash, AFailedCommitThrowsAndLeavesTheOldFile) {
    fs::create_directories(dir_ / "klaptos.ini");
    IniFile ini(path_);
    IniFile::Batch batch(ini);
    ini.WriteInteger("Lekce", "CisloRadku", 5); // held: nothing is tried yet
    EXPECT_THROW(batch.Commit(), IniWriteError);
}

// Kills a process writing the final settings at many moments, from before its first write
// to after its last, and checks that the file on the disk is always the whole old file or
// the whole new one, with the other program's section kept.
TEST_F(IniFileCrash, KillingTheFinalWriteLeavesTheOldOrTheNewWholeFile) {
    const std::string scratch = (dir_ / "scratch.ini").string();
    WriteAll(scratch, kForeign);
    WriteFinalSettings(scratch, 1);
    const std::string oldFile = ReadAll(scratch);
    WriteFinalSettings(scratch, 2);
    const std::string newFile = ReadAll(scratch);
    ASSERT_NE(oldFile, newFile);
    ASSERT_EQ(newFile.find(kForeign), 0u);

    // How long one final write takes here, to spread the kills across it.
    const auto start = std::chrono::steady_clock::now();
    WriteFinalSettings(scratch, 2);
    const auto writeUs = std::max<long>(50, std::chrono::duration_cast<std::chrono::microseconds>(
                                                std::chrono::steady_clock::now() - start)
                                                .count());

    std::mt19937 random(12345);
    std::uniform_int_distribution<long> delay(0, 2 * writeUs + 2000);
    int sawOld = 0;
    int sawNew = 0;
    for (int round = 0; round < 150; ++round) {
        WriteAll(path_, oldFile);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            WriteFinalSettings(path_, 2);
            ::_exit(0);
        }
        ::usleep(static_cast<useconds_t>(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        const std::string onDisk = ReadAll(path_);
        ASSERT_TRUE(onDisk == oldFile || onDisk == newFile)
            << "round " << round << " left a mixed or partial file:\n"
            << onDisk;
        (onDisk == oldFile ? sawOld : sawNew)++;
    }
    // Both outcomes occur, so the kills really fell before and after the replacement.
    EXPECT_GT(sawOld, 0);
    EXPECT_GT(sawNew, 0);

    // The temporary files of the killed writes are gone after the next write.
    WriteFinalSettings(path_, 3);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"klaptos.ini", "scratch.ini"}));
}

// Only leftovers of this file, of processes that have ended, are removed: a write going on
// in another running copy of the program keeps its temporary file.
TEST_F(IniFileCrash, AWriteRemovesOnlyLeftoversOfEndedProcesses) {
    const pid_t ended = ::fork();
    ASSERT_GE(ended, 0);
    if (ended == 0) {
        ::_exit(0);
    }
    ::waitpid(ended, nullptr, 0);
    const std::string dead = "klaptos.ini.~" + std::to_string(ended) + ".7";
    const std::vector<std::string> kept = {"klaptos.ini.~1.7", // init runs
                                           "other.ini.~" + std::to_string(ended) + ".7",
                                           "klaptos.ini.~" + std::to_string(ended) + ".x"};
    for (const std::string& name : kept) {
        WriteAll(dir_ / name, "x");
    }
    WriteAll(dir_ / dead, "x");
    WriteFinalSettings(path_, 1);
    EXPECT_FALSE(fs::exists(dir_ / dead));
    for (const std::string& name : kept) {
        EXPECT_TRUE(fs::exists(dir_ / name)) << name;
    }
}
