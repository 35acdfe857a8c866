#include "ProgramOptions.h"

#include "Cp1250.h"
#include "IniFile.h"
#include "RecordingSound.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

class ProgramOptionsFile : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::filesystem::temp_directory_path() /
               ("klaptos-options-" + std::to_string(::getpid()) + "-" + info->name());
        std::filesystem::create_directories(dir_);
        path_ = (dir_ / "klaptos.ini").string();
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    void WriteFile(const std::string& optionsLines) const {
        std::ofstream(path_, std::ios::binary) << "[Options]\r\n" << optionsLines;
    }

    [[nodiscard]] ProgramOptions Read() const {
        const IniFile ini(path_);
        ProgramOptions options;
        options.ReadOptions(ini);
        return options;
    }

    // The lines of section "Options" as written to the file.
    [[nodiscard]] std::vector<std::string> WrittenOptions() const {
        std::ifstream in(path_, std::ios::binary);
        std::vector<std::string> lines;
        bool inOptions = false;
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            if (!line.empty() && line.front() == '[') {
                inOptions = line == "[Options]";
            } else if (inOptions && !line.empty()) {
                lines.push_back(line);
            }
        }
        return lines;
    }

    [[nodiscard]] std::string WrittenValue(const std::string& key) const {
        for (const std::string& line : WrittenOptions()) {
            if (line.rfind(key + "=", 0) == 0) {
                return line.substr(key.size() + 1);
            }
        }
        return "(missing)";
    }

    std::filesystem::path dir_;
    std::string path_;
};

} // namespace

TEST_F(ProgramOptionsFile, WithoutAFileEveryOptionHasItsDefault) {
    const ProgramOptions o = Read();
    EXPECT_EQ(o.CharSpace, 1);
    EXPECT_TRUE(o.ErrorBeep);
    EXPECT_EQ(o.Sound, 0);
    EXPECT_TRUE(o.Caret);
    EXPECT_TRUE(o.Speed);
    EXPECT_EQ(o.SpeedMax, 200);
    EXPECT_EQ(o.CloseQuery, 2);
    EXPECT_FALSE(o.IsMaximized);
    EXPECT_TRUE(o.ErrIsRep);
    EXPECT_EQ(o.ErrRep, 1);
    EXPECT_FALSE(o.MoveOnError);
    EXPECT_TRUE(o.AutoStop);
}

TEST(ProgramOptions, TheRecordStartsWithMoveOnErrorOnUntilTheFileIsRead) {
    EXPECT_TRUE(ProgramOptions{}.MoveOnError);
}

TEST_F(ProgramOptionsFile, IntegerValuesOutOfRangeAreCorrected) {
    struct Row {
        const char* line;
        int ProgramOptions::*field;
        int expected;
    };
    const Row rows[] = {
        {"CharSpace=20", &ProgramOptions::CharSpace, 1},
        {"CharSpace=16", &ProgramOptions::CharSpace, 1},
        {"CharSpace=-1", &ProgramOptions::CharSpace, 1},
        {"CharSpace=0", &ProgramOptions::CharSpace, 0},
        {"CharSpace=15", &ProgramOptions::CharSpace, 15},
        {"CharSpace=0x0A", &ProgramOptions::CharSpace, 10},
        {"CloseQuery=7", &ProgramOptions::CloseQuery, 2},
        {"CloseQuery=-1", &ProgramOptions::CloseQuery, 2},
        {"CloseQuery=0", &ProgramOptions::CloseQuery, 0},
        {"CloseQuery=1", &ProgramOptions::CloseQuery, 1},
        {"Sound=-1", &ProgramOptions::Sound, 0},
        {"Sound=9", &ProgramOptions::Sound, 0},
        {"Sound=6", &ProgramOptions::Sound, 0},
        {"Sound=5", &ProgramOptions::Sound, 5},
        {"SpeedIx=1", &ProgramOptions::SpeedMax, 400},
        {"SpeedIx=2", &ProgramOptions::SpeedMax, 600},
        {"SpeedIx=0", &ProgramOptions::SpeedMax, 200},
        {"SpeedIx=5", &ProgramOptions::SpeedMax, 200},
        {"SpeedIx=-1", &ProgramOptions::SpeedMax, 200},
        // A negative count would repeat even a line without errors, for ever.
        {"ErrRep=-1", &ProgramOptions::ErrRep, 1},
        {"ErrRep=-3", &ProgramOptions::ErrRep, 1},
        {"ErrRep=100", &ProgramOptions::ErrRep, 1},
        {"ErrRep=500", &ProgramOptions::ErrRep, 1},
        {"ErrRep=0", &ProgramOptions::ErrRep, 0},
        {"ErrRep=99", &ProgramOptions::ErrRep, 99},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        WriteFile(std::string(row.line) + "\r\n");
        EXPECT_EQ(Read().*(row.field), row.expected);
    }
}

TEST_F(ProgramOptionsFile, FlagsAreReadFromTheFile) {
    WriteFile("ErrorBeep=0\r\nCaret=0\r\nSpeed=0\r\nIsMaximized=1\r\nErrIsRep=0\r\n"
              "MoveOnError=1\r\nAutoStop=0\r\n");
    const ProgramOptions o = Read();
    EXPECT_FALSE(o.ErrorBeep);
    EXPECT_FALSE(o.Caret);
    EXPECT_FALSE(o.Speed);
    EXPECT_TRUE(o.IsMaximized);
    EXPECT_FALSE(o.ErrIsRep);
    EXPECT_TRUE(o.MoveOnError);
    EXPECT_FALSE(o.AutoStop);
}

TEST_F(ProgramOptionsFile, CorrectedValuesAreWhatIsWrittenBack) {
    WriteFile("CharSpace=20\r\nCloseQuery=7\r\nSound=-1\r\nSpeedIx=5\r\nErrRep=-1\r\n");
    const ProgramOptions options = Read();
    {
        IniFile ini(path_);
        options.WriteOptions(ini);
    }
    EXPECT_EQ(WrittenValue("CharSpace"), "1");
    EXPECT_EQ(WrittenValue("CloseQuery"), "2");
    EXPECT_EQ(WrittenValue("Sound"), "0");
    EXPECT_EQ(WrittenValue("SpeedIx"), "0");
    EXPECT_EQ(WrittenValue("ErrRep"), "1");
}

TEST_F(ProgramOptionsFile, SpeedBarScaleIsWrittenAsItsIndex) {
    const std::pair<int, const char*> rows[] = {{100, "0"}, {200, "0"}, {201, "1"}, {400, "1"},
                                                {599, "1"}, {600, "2"}, {1000, "2"}};
    for (const auto& [speedMax, index] : rows) {
        SCOPED_TRACE(speedMax);
        ProgramOptions options;
        options.SpeedMax = speedMax;
        IniFile ini(path_);
        options.WriteOptions(ini);
        EXPECT_EQ(WrittenValue("SpeedIx"), index);
    }
}

TEST_F(ProgramOptionsFile, ANewFileHoldsTheKeysInTheirWritingOrder) {
    ProgramOptions options;
    options.ErrRep = 3;
    options.MoveOnError = false;
    {
        IniFile ini(path_);
        options.WriteOptions(ini);
    }
    EXPECT_EQ(WrittenOptions(),
              (std::vector<std::string>{"SpeedIx=0", "IsMaximized=0", "ErrRep=3", "ErrIsRep=1",
                                        "CharSpace=1", "ErrorBeep=1", "Caret=1", "Speed=1",
                                        "MoveOnError=0", "AutoStop=1", "CloseQuery=2", "Sound=0"}));
}

TEST(PlayErrorSound, EachSoundNumberPlaysItsSystemSound) {
    const SystemSound expected[] = {SystemSound::SimpleBeep,  SystemSound::Asterisk,
                                    SystemSound::Exclamation, SystemSound::CriticalStop,
                                    SystemSound::Question,    SystemSound::Default};
    for (int sound = 0; sound < 6; ++sound) {
        SCOPED_TRACE(sound);
        RecordingSound player;
        PlayErrorSound(player, sound);
        EXPECT_EQ(player.played, std::vector<SystemSound>{expected[sound]});
    }
}

TEST(PlayErrorSound, NumbersOutsideTheListPlayNothing) {
    RecordingSound player;
    for (int sound : {-1, 6, 9, 1000}) {
        PlayErrorSound(player, sound);
    }
    EXPECT_TRUE(player.played.empty());
}

TEST(SoundItemCaptions, ListTheSoundsInTheOrderOfTheirNumbers) {
    const std::vector<std::string> expected = {
        "Reproduktor",           "Zvuk Windows - hvězdička ", "Zvuk Windows - zvolání",
        "Zvuk Windows - pozor ", "Zvuk Windows - dotaz",      "Zvuk Windows - OK"};
    const auto& captions = SoundItemCaptions();
    ASSERT_EQ(captions.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(Cp1250::ToUtf8(captions[i]), expected[i]) << i;
    }
}
