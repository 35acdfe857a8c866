#include "IniFile.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "klaptos-ini-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        path_ = (dir_ / "klaptos.ini").string();
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(dir_, fs::perms::owner_all, ignored);
        fs::remove_all(dir_, ignored);
    }

    // Runs `body` as a user whom permissions stop: when the tests run as root (as CI does), in
    // a child process that has become "nobody" and owns the test's folder. Returns its result.
    int AsUnprivileged(const std::function<int()>& body) const {
        if (::geteuid() != 0) {
            return body();
        }
        constexpr uid_t kNobody = 65534;
        for (const auto& entry : fs::recursive_directory_iterator(dir_)) {
            EXPECT_EQ(::lchown(entry.path().c_str(), kNobody, kNobody), 0);
        }
        EXPECT_EQ(::chown(dir_.c_str(), kNobody, kNobody), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
                ::_exit(100);
            }
            ::_exit(body());
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 101;
    }

    void WriteFile(const std::string& bytes) const {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    [[nodiscard]] std::string ReadFile() const {
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // What a file holding `text` reads as for key "Key" of section "S".
    [[nodiscard]] int IntegerOf(const std::string& value, int def = 77) {
        WriteFile("[S]\r\nKey=" + value + "\r\n");
        return IniFile(path_).ReadInteger("S", "Key", def);
    }

    fs::path dir_;
    std::string path_;
};

struct IntegerCase {
    const char* name;
    std::string value;
    int expected;
};

class IniIntegerTest : public IniFileTest, public ::testing::WithParamInterface<IntegerCase> {};

TEST_P(IniIntegerTest, ValueReadsAsExpected) {
    EXPECT_EQ(IntegerOf(GetParam().value), GetParam().expected);
}

// Default 77 wherever the value is no number.
INSTANTIATE_TEST_SUITE_P(
    IniFile, IniIntegerTest,
    ::testing::Values(
        IntegerCase{"Decimal", "12", 12}, IntegerCase{"Negative", "-3", -3},
        IntegerCase{"PlusSign", "+7", 7}, IntegerCase{"SpacesAroundAreIgnored", "  42\t ", 42},
        IntegerCase{"HexLowerPrefix", "0x0A", 10}, IntegerCase{"HexUpperPrefix", "0X1f", 31},
        IntegerCase{"HexCoversAll32Bits", "0xFFFFFFFF", -1},
        IntegerCase{"HexTooWide", "0x100000000", 77},
        IntegerCase{"PrefixAloneIsDecimalZero", "0x", 0},
        IntegerCase{"PrefixWithoutHexDigits", "0xg", 77}, IntegerCase{"Letters", "abc", 77},
        IntegerCase{"Empty", "", 77}, IntegerCase{"SignAlone", "-", 77},
        IntegerCase{"LeadingDigitsAreRead", "12abc", 12},
        IntegerCase{"LeadingHexDigitsAreRead", "0x1fz", 31},
        IntegerCase{"Largest", "2147483647", INT_MAX},
        IntegerCase{"Smallest", "-2147483648", INT_MIN},
        IntegerCase{"JustTooLarge", "2147483648", 77},
        IntegerCase{"JustTooSmall", "-2147483649", 77},
        IntegerCase{"FarTooLarge", "99999999999999999999999", 77}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(IniFile(path_).ReadInteger("Window", "Width", 800), 800);
    EXPECT_EQ(IniFile(path_).ReadString("Font", "Name", "Courier New"), "Courier New");
    WriteFile("[Window]\r\nLeft=5\r\n");
    const IniFile ini(path_);
    EXPECT_EQ(ini.ReadInteger("Window", "Width", 800), 800);
    EXPECT_EQ(ini.ReadInteger("Font", "Left", -1), -1);
}

TEST_F(IniFileTest, BooleanIsAnyNonZeroInteger) {
    WriteFile("[S]\r\nTwo=2\r\nZero=0\r\nMinus=-1\r\nWord=yes\r\n");
    const IniFile ini(path_);
    EXPECT_TRUE(ini.ReadBool("S", "Two", false));
    EXPECT_FALSE(ini.ReadBool("S", "Zero", true));
    EXPECT_TRUE(ini.ReadBool("S", "Minus", false));
    EXPECT_TRUE(ini.ReadBool("S", "Word", true));
    EXPECT_FALSE(ini.ReadBool("S", "Word", false));
    EXPECT_TRUE(ini.ReadBool("S", "Missing", true));
}

TEST_F(IniFileTest, StringIsTrimmedAndKeepsItsBytes) {
    WriteFile("[S]\r\nName =  Courier \xE8\xF8 New \t\r\n");
    EXPECT_EQ(IniFile(path_).ReadString("S", "Name", "x"), "Courier \xE8\xF8 New");
}

TEST_F(IniFileTest, StringIsCutTo2047Characters) {
    WriteFile("[S]\r\nLong=" + std::string(100000, 'x') + "\r\n");
    EXPECT_EQ(IniFile(path_).ReadString("S", "Long", ""), std::string(2047, 'x'));
}

TEST_F(IniFileTest, NamesAreComparedWithoutLetterCase) {
    WriteFile("[window]\r\nleft=112\r\n[FONT]\r\nNAME=Mono\r\n");
    const IniFile ini(path_);
    EXPECT_EQ(ini.ReadInteger("Window", "Left", -1), 112);
    EXPECT_EQ(ini.ReadString("Font", "Name", ""), "Mono");
}

TEST_F(IniFileTest, FirstOfDuplicateSectionsAndKeysWins) {
    WriteFile("[S]\r\nA=1\r\nA=2\r\n[T]\r\nB=0\r\n[s]\r\nA=3\r\nC=4\r\n");
    const IniFile ini(path_);
    EXPECT_EQ(ini.ReadInteger("S", "A", -1), 1);
    EXPECT_EQ(ini.ReadInteger("S", "C", -1), -1) << "keys of the second [S] are not seen";
}

TEST_F(IniFileTest, WritingADuplicateKeyChangesTheFirstOnly) {
    WriteFile("[S]\r\nA=1\r\nA=2\r\n[S]\r\nA=3\r\n");
    IniFile(path_).WriteInteger("S", "A", 9);
    EXPECT_EQ(ReadFile(), "[S]\r\nA=9\r\nA=2\r\n[S]\r\nA=3\r\n");
}

TEST_F(IniFileTest, KeysBeforeAnySectionAreIgnoredAndKept) {
    WriteFile("Left=1\r\n[Window]\r\nTop=2\r\n");
    IniFile ini(path_);
    EXPECT_EQ(ini.ReadInteger("Window", "Left", -1), -1);
    ini.WriteInteger("Window", "Left", 3);
    EXPECT_EQ(ReadFile(), "Left=1\r\n[Window]\r\nTop=2\r\nLeft=3\r\n");
}

TEST_F(IniFileTest, ByteOrderMarkDoesNotHideTheFirstSection) {
    WriteFile("\xEF\xBB\xBF[Window]\r\nLeft=7\r\n");
    IniFile ini(path_);
    EXPECT_EQ(ini.ReadInteger("Window", "Left", -1), 7);
    ini.WriteInteger("Window", "Top", 8);
    EXPECT_EQ(ReadFile(), "\xEF\xBB\xBF[Window]\r\nLeft=7\r\nTop=8\r\n");
}

TEST_F(IniFileTest, EveryKindOfLineEndReadsAndIsWrittenBackAsCrLf) {
    for (const std::string end : {"\n", "\r", "\r\n"}) {
        WriteFile("[Window]" + end + "Left=7" + end + "Name=a b" + end + "[Font]" + end +
                  "Size=12");
        IniFile ini(path_);
        EXPECT_EQ(ini.ReadInteger("Window", "Left", -1), 7);
        EXPECT_EQ(ini.ReadString("Window", "Name", ""), "a b");
        EXPECT_EQ(ini.ReadInteger("Font", "Size", -1), 12);
        ini.WriteInteger("Window", "Left", 8);
        EXPECT_EQ(ReadFile(), "[Window]\r\nLeft=8\r\nName=a b\r\n[Font]\r\nSize=12\r\n")
            << "line end " << static_cast<int>(end.back());
    }
    WriteFile("[S]\rA=1\r\nB=2\nC=3\r\r\nD=4");
    const IniFile mixed(path_);
    EXPECT_EQ(mixed.ReadInteger("S", "A", 0) + mixed.ReadInteger("S", "B", 0) +
                  mixed.ReadInteger("S", "C", 0) + mixed.ReadInteger("S", "D", 0),
              10);
}

TEST_F(IniFileTest, LinesWithoutEqualsSignAreNoKeys) {
    WriteFile("[S]\r\nLeft\r\n; Left=4\r\n=5\r\nLeft=6\r\n");
    EXPECT_EQ(IniFile(path_).ReadInteger("S", "Left", -1), 6);
}

TEST_F(IniFileTest, FirstWriteCreatesTheFileWithCrLf) {
    IniFile ini(path_);
    ini.WriteInteger("Window", "Left", -12);
    ini.WriteBool("Font", "Bold", true);
    ini.WriteBool("Font", "Italic", false);
    ini.WriteString("Lekce", "UzivSoubor", "/home/\xFE\xE1k/text.txt");
    EXPECT_EQ(ReadFile(), "[Window]\r\nLeft=-12\r\n[Font]\r\nBold=1\r\nItalic=0\r\n"
                          "[Lekce]\r\nUzivSoubor=/home/\xFE\xE1k/text.txt\r\n");
}

TEST_F(IniFileTest, WritingReplacesTheValueInPlace) {
    WriteFile("[Window]\r\nLeft=1\r\nTop=2\r\n[Font]\r\nSize=12\r\n");
    IniFile ini(path_);
    ini.WriteInteger("window", "LEFT", 300);
    EXPECT_EQ(ReadFile(), "[Window]\r\nLeft=300\r\nTop=2\r\n[Font]\r\nSize=12\r\n");
    EXPECT_EQ(ini.ReadInteger("Window", "Left", -1), 300);
}

TEST_F(IniFileTest, NewKeyGoesAfterTheLastLineOfItsSection) {
    WriteFile("[Window]\r\nLeft=1\r\n\r\n[Font]\r\nSize=12\r\n");
    IniFile(path_).WriteInteger("Window", "Top", 2);
    EXPECT_EQ(ReadFile(), "[Window]\r\nLeft=1\r\nTop=2\r\n\r\n[Font]\r\nSize=12\r\n");
}

TEST_F(IniFileTest, NewSectionGoesAtTheEndOfTheFile) {
    WriteFile("[Window]\nLeft=1\n");
    IniFile(path_).WriteString("Font", "Name", "Mono");
    EXPECT_EQ(ReadFile(), "[Window]\r\nLeft=1\r\n[Font]\r\nName=Mono\r\n");
}

TEST_F(IniFileTest, ForeignLinesSectionsAndKeysSurviveByteForByte) {
    const std::string foreign = "; poznámka \x9A\xE8\r\n"
                                "[Jiné]\r\n"
                                "Klíč = hodnota  \r\n"
                                "nesmysl bez rovnítka\r\n"
                                "[Window]\r\n"
                                "Extra=\x01\x7F\xFF\r\n"
                                "Left=1\r\n";
    WriteFile(foreign);
    IniFile ini(path_);
    ini.WriteInteger("Window", "Left", 2);
    ini.WriteInteger("Window", "Top", 3);
    EXPECT_EQ(ReadFile(), "; poznámka \x9A\xE8\r\n"
                          "[Jiné]\r\n"
                          "Klíč = hodnota  \r\n"
                          "nesmysl bez rovnítka\r\n"
                          "[Window]\r\n"
                          "Extra=\x01\x7F\xFF\r\n"
                          "Left=2\r\n"
                          "Top=3\r\n");
}

TEST_F(IniFileTest, WritingTheWholeSettingsInOrderGivesTheKnownLayout) {
    {
        IniFile ini(path_);
        ini.WriteInteger("Window", "Left", 112);
        ini.WriteInteger("Window", "Top", 84);
        ini.WriteString("Font", "Name", "Courier New");
        ini.WriteBool("Font", "Bold", false);
        ini.WriteString("Statistika", "MsMem", "1f4,2bc,12c,");
        ini.WriteInteger("Lekce", "Cislo", 3);
        ini.WriteString("Lekce", "UzivSoubor", "");
        ini.WriteInteger("Lekce", "QWERTZ", 1);
    }
    const std::string expected = "[Window]\r\nLeft=112\r\nTop=84\r\n"
                                 "[Font]\r\nName=Courier New\r\nBold=0\r\n"
                                 "[Statistika]\r\nMsMem=1f4,2bc,12c,\r\n"
                                 "[Lekce]\r\nCislo=3\r\nUzivSoubor=\r\nQWERTZ=1\r\n";
    EXPECT_EQ(ReadFile(), expected);

    // A second run that writes the same values leaves the same file.
    {
        IniFile ini(path_);
        ini.WriteInteger("Window", "Left", ini.ReadInteger("Window", "Left", 0));
        ini.WriteString("Statistika", "MsMem", ini.ReadString("Statistika", "MsMem", ""));
        ini.WriteString("Lekce", "UzivSoubor", ini.ReadString("Lekce", "UzivSoubor", "x"));
    }
    EXPECT_EQ(ReadFile(), expected);
}

TEST_F(IniFileTest, ValueWithLineBreaksCannotAddKeys) {
    IniFile ini(path_);
    ini.WriteString("Lekce", "UzivSoubor", "a\r\n[Window]\nLeft=5");
    const IniFile again(path_);
    EXPECT_EQ(again.ReadInteger("Window", "Left", -1), -1);
    EXPECT_EQ(again.ReadString("Lekce", "UzivSoubor", ""), "a  [Window] Left=5");
}

TEST_F(IniFileTest, WriteLeavesNoTemporaryFileBehind) {
    IniFile ini(path_);
    ini.WriteInteger("S", "A", 1);
    ini.WriteInteger("S", "B", 2);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir_)) {
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST_F(IniFileTest, WriteKeepsTheFilePermissions) {
    WriteFile("[S]\r\n");
    ::chmod(path_.c_str(), 0640);
    IniFile(path_).WriteInteger("S", "A", 1);
    struct stat info {};
    ASSERT_EQ(::stat(path_.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(IniFileTest, SymbolicLinkStaysALinkAndItsTargetIsWritten) {
    const std::string target = (dir_ / "real.ini").string();
    {
        std::ofstream out(target, std::ios::binary);
        out << "[S]\r\n";
    }
    fs::create_symlink(target, path_);
    IniFile(path_).WriteInteger("S", "A", 1);
    EXPECT_TRUE(fs::is_symlink(path_));
    EXPECT_EQ(ReadFile(), "[S]\r\nA=1\r\n");
}

TEST_F(IniFileTest, WriteIntoAMissingDirectoryThrowsNamingTheFile) {
    const std::string path = (dir_ / "missing" / "klaptos.ini").string();
    IniFile ini(path);
    try {
        ini.WriteInteger("Window", "Left", 1);
        FAIL() << "no error";
    } catch (const IniWriteError& error) {
        EXPECT_STREQ(error.what(), ("Unable to write to " + path).c_str());
        EXPECT_EQ(error.Path(), path);
    }
}

TEST_F(IniFileTest, WriteOverADirectoryThrowsAndLeavesItAlone) {
    fs::create_directory(path_);
    IniFile ini(path_);
    EXPECT_THROW(ini.WriteInteger("Window", "Left", 1), IniWriteError);
    EXPECT_TRUE(fs::is_directory(path_));
    EXPECT_TRUE(fs::is_empty(path_));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(IniFileTest, WriteIntoAReadOnlyDirectoryThrowsAndKeepsTheOldFile) {
    WriteFile("[Window]\r\nLeft=1\r\n");
    const int outcome = AsUnprivileged([this] {
        fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
        IniFile ini(path_);
        try {
            ini.WriteInteger("Window", "Left", 2);
        } catch (const IniWriteError& error) {
            return error.what() == "Unable to write to " + path_ ? 0 : 2;
        }
        return 1;
    });
    EXPECT_EQ(outcome, 0) << "1: no error, 2: the wrong message";
    EXPECT_EQ(ReadFile(), "[Window]\r\nLeft=1\r\n");
}

// The pupil's comment, the keys and sections of others and all the settings would be lost
// if a file that was never read were written over with the program's defaults.
TEST_F(IniFileTest, AFileThatCannotBeReadIsNeverWrittenOver) {
    const std::string original = "; poznámka žáka\r\n[Window]\r\nLeft=1\r\n[Jiný]\r\nA=b\r\n";
    WriteFile(original);
    const int outcome = AsUnprivileged([this] {
        ::chmod(path_.c_str(), 0);
        IniFile ini(path_);
        const bool readAsEmpty = ini.Unreadable() && ini.ReadInteger("Window", "Left", -1) == -1;
        ini.WriteInteger("Window", "Left", 2);
        IniFile::Batch batch(ini);
        ini.WriteInteger("Lekce", "Cislo", 3);
        batch.Commit();
        ::chmod(path_.c_str(), 0600);
        return readAsEmpty ? 0 : 1;
    });
    EXPECT_EQ(outcome, 0);
    EXPECT_EQ(ReadFile(), original);
}

TEST_F(IniFileTest, AFileOverTheSizeLimitIsNeitherReadNorCutShort) {
    std::string bytes = "[Window]\r\nLeft=9\r\n[Junk]\r\n";
    bytes += std::string((16u << 20) - bytes.size(), 'x');
    bytes += "\r\n[Last]\r\nKey=1\r\n";
    WriteFile(bytes);
    IniFile ini(path_);
    EXPECT_TRUE(ini.Unreadable());
    ini.WriteInteger("Window", "Left", 3);
    EXPECT_EQ(fs::file_size(path_), bytes.size());
    EXPECT_TRUE(ReadFile().ends_with("[Last]\r\nKey=1\r\n"));
}

// A settings file that is a link to a device, as root, must not replace the device.
TEST_F(IniFileTest, OnlyARegularFileIsEverReplaced) {
    const fs::path fifo = dir_ / "fifo";
    const fs::path directory = dir_ / "directory";
    const fs::path device = dir_ / "null";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directory(directory);
    const bool haveDevice = ::mknod(device.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0;
    struct Case {
        const char* name;
        fs::path linkTarget; // empty: the FIFO itself stands in the file's place
        fs::file_type kept;
    };
    std::vector<Case> cases = {{"link to a FIFO", fifo, fs::file_type::fifo},
                               {"link to a directory", directory, fs::file_type::directory},
                               {"dangling link", dir_ / "missing.ini", fs::file_type::not_found},
                               {"FIFO in place", {}, fs::file_type::fifo}};
    if (haveDevice) {
        cases.push_back({"link to a device", device, fs::file_type::character});
    }
    for (const Case& c : cases) {
        fs::remove(path_);
        if (c.linkTarget.empty()) {
            ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0);
        } else {
            fs::create_symlink(c.linkTarget, path_);
        }
        IniFile ini(path_);
        EXPECT_FALSE(ini.Unreadable()) << c.name;
        EXPECT_THROW(ini.WriteInteger("Window", "Left", 1), IniWriteError) << c.name;
        EXPECT_EQ(fs::is_symlink(path_), !c.linkTarget.empty()) << c.name;
        const fs::path kept = c.linkTarget.empty() ? fs::path(path_) : c.linkTarget;
        EXPECT_EQ(fs::symlink_status(kept).type(), c.kept) << c.name;
        EXPECT_TRUE(fs::is_empty(directory)) << c.name;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()),
                  haveDevice ? 4 : 3)
            << c.name << ": a temporary file was left";
    }
}

TEST_F(IniFileTest, EmptyFileReadsDefaultsAndCanBeWritten) {
    WriteFile("");
    IniFile ini(path_);
    EXPECT_EQ(ini.ReadInteger("Window", "Left", -1), -1);
    ini.WriteInteger("Window", "Left", 4);
    EXPECT_EQ(ReadFile(), "[Window]\r\nLeft=4\r\n");
}

TEST_F(IniFileTest, NulBytesNeitherCrashNorLeakIntoValues) {
    WriteFile(std::string("[S]\0\r\nA=1\0"
                          "99\r\nB=x\0y\r\n\0\0\0",
                          24));
    IniFile ini(path_);
    EXPECT_EQ(ini.ReadInteger("S", "A", -1), 1);
    EXPECT_EQ(ini.ReadString("S", "B", ""), "x");
    ini.WriteInteger("S", "C", 3);
    EXPECT_EQ(IniFile(path_).ReadInteger("S", "C", -1), 3);
}

TEST_F(IniFileTest, RandomBytesReadAsDefaultsAndStayWritable) {
    std::mt19937 random(20240601);
    std::string bytes(1 << 20, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random());
    }
    WriteFile(bytes);
    IniFile ini(path_);
    EXPECT_EQ(ini.ReadInteger("Window", "Left", -1), -1);
    ini.WriteInteger("Window", "Left", 5);
    EXPECT_EQ(IniFile(path_).ReadInteger("Window", "Left", -1), 5);
}

TEST_F(IniFileTest, TenMegabyteFileIsReadAndWritten) {
    std::string bytes = "[Window]\r\nLeft=9\r\n[Junk]\r\n";
    while (bytes.size() < (10u << 20)) {
        bytes += "Key" + std::to_string(bytes.size()) + "=" + std::string(100, 'v') + "\r\n";
    }
    bytes += std::string(1 << 20, 'x'); // one long line without a line end
    WriteFile(bytes);
    IniFile ini(path_);
    EXPECT_EQ(ini.ReadInteger("Window", "Left", -1), 9);
    EXPECT_EQ(ini.ReadInteger("Junk", "Missing", -1), -1);
    ini.WriteInteger("Lekce", "Cislo", 3);
    EXPECT_EQ(IniFile(path_).ReadInteger("Lekce", "Cislo", -1), 3);
    EXPECT_EQ(fs::file_size(path_), bytes.size() + 2 + 9 + 9);
}

TEST_F(IniFileTest, FifoOrDirectoryInPlaceOfTheFileReadsAsEmpty) {
    ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0);
    EXPECT_EQ(IniFile(path_).ReadInteger("Window", "Left", -1), -1);
    const std::string directory = (dir_ / "sub").string();
    fs::create_directory(directory);
    EXPECT_EQ(IniFile(directory).ReadString("Window", "Left", "d"), "d");
}

} // namespace
