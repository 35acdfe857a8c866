#include "Lekce.h"

#include "Cp1250.h"
#include "IniFile.h"
#include "KeyboardLayout.h"
#include "RecordingReporter.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string Cp(std::string_view utf8) {
    return Cp1250::FromUtf8(utf8);
}

const std::string kAdvice =
    "\r\nUpravte formát souboru, abyste se vyhnuli této zprávě. Návod najdete v HELPu.";

// Every field of the store, to see that a failed load left it exactly as it was.
auto Fields(const LEKCE& s) {
    return std::make_tuple(s.Lines, s.IntroLine, s.LessonNumber, s.UserFileName, s.SavedLineNumber,
                           s.Qwertz, s.CurrentLesson, s.DisplayFileName, s.LineNumber, s.TotalChars,
                           s.CharsBefore, s.LineSize);
}

class Loaders : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "klaptos-lessons-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        store = std::make_unique<LEKCE>(dir.string(), reporter);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string path = (dir / name).string();
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
        return path;
    }
    // A user text already loaded and started, so that a failed load has something to keep.
    void LoadSomething() {
        Write("before.txt", Cp("Úvod\nprvní\ndruhý\n"));
        ASSERT_TRUE(store->LoadTextFile((dir / "before.txt").string()));
        std::string text;
        store->NextLine(text);
        store->NextLine(text);
        reporter.reports.clear();
    }
    [[nodiscard]] std::vector<std::string> Reports() const {
        std::vector<std::string> texts;
        for (const auto& report : reporter.reports) {
            texts.push_back((report.isError ? "error: " : "info: ") + report.Utf8());
        }
        return texts;
    }
    std::vector<std::string> LinesOfUserFile(const std::string& bytes) {
        store->LoadTextFile(Write("user.txt", bytes));
        return store->Lines;
    }

    fs::path dir;
    RecordingReporter reporter;
    std::unique_ptr<LEKCE> store;
};

// ---- Lesson files -------------------------------------------------------------------

TEST_F(Loaders, EachLessonComesFromItsFile) {
    for (const char* file : {"KTOSCA.DAT", "KTOSCBY.DAT", "KTOSCBZ.DAT", "KTOSCC.DAT"}) {
        std::string content;
        for (int n = 1; n <= 44; ++n) {
            char marker[16];
            std::snprintf(marker, sizeof marker, "$LEKCE:%02d", n);
            content +=
                std::string(marker) + "\r\nLekce " + std::to_string(n) + "\r\n" + file + "\r\n";
        }
        Write(file, content);
    }
    struct Case {
        int n;
        bool qwertz;
        const char* file;
    };
    for (const Case c : {Case{11, false, "KTOSCA.DAT"}, Case{11, true, "KTOSCA.DAT"},
                         Case{12, false, "KTOSCBY.DAT"}, Case{12, true, "KTOSCBZ.DAT"},
                         Case{22, false, "KTOSCBY.DAT"}, Case{22, true, "KTOSCBZ.DAT"},
                         Case{23, false, "KTOSCC.DAT"}, Case{23, true, "KTOSCC.DAT"}}) {
        ASSERT_TRUE(store->LoadLesson(c.n, c.qwertz)) << c.n;
        EXPECT_EQ(store->Lines, std::vector<std::string>{c.file}) << c.n;
        EXPECT_EQ(store->IntroLine, "Lekce " + std::to_string(c.n));
    }
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(Loaders, LoadedLessonSetsTheFieldsOfALesson) {
    Write("KTOSCBY.DAT", Cp("$LEKCE:13\nÚvod\nab\nc\n"));
    LoadSomething();
    const std::string userFile = store->UserFileName;
    ASSERT_TRUE(store->LoadLesson(13, false));
    EXPECT_EQ(store->IntroLine, Cp("Úvod"));
    EXPECT_EQ(store->Lines, (std::vector<std::string>{"ab", "c"}));
    EXPECT_EQ(store->TotalChars, 5);
    EXPECT_EQ(store->CurrentLesson, 13);
    EXPECT_EQ(store->LessonNumber, 13);
    EXPECT_FALSE(store->Qwertz);
    EXPECT_EQ(store->UserFileName, userFile);
    EXPECT_EQ(store->DisplayFileName, "");
    EXPECT_EQ(store->LineNumber, 0);
    EXPECT_EQ(store->CharsBefore, 0);
    EXPECT_EQ(store->LineSize, 0);
}

TEST_F(Loaders, MarkerWithTrailingTextIsFound) {
    Write("KTOSCA.DAT", "$LEKCE:04\nx\nx\n$LEKCE:05 pátá lekce\núvod\nasdf\n");
    ASSERT_TRUE(store->LoadLesson(5, true));
    EXPECT_EQ(store->Lines, std::vector<std::string>{"asdf"});
}

TEST_F(Loaders, MarkerOfAnotherShapeIsNotFound) {
    for (const char* marker : {"$LEKCE:5", " $LEKCE:05", "$lekce:05", "\t$LEKCE:05"}) {
        Write("KTOSCA.DAT", std::string(marker) + "\núvod\nasdf\n");
        reporter.reports.clear();
        EXPECT_FALSE(store->LoadLesson(5, true)) << marker;
        EXPECT_EQ(Reports(), std::vector<std::string>{"error: Instalace programu bude asi neúplná "
                                                      "či poškozena, protože v souborech lekcí "
                                                      "chybí lekce 5"})
            << marker;
    }
}

TEST_F(Loaders, FirstOfTwoEqualMarkersIsUsed) {
    Write("KTOSCA.DAT", Cp("úvod souboru\n$LEKCE:02\nprvní\naa\n\n$LEKCE:02\ndruhá\nbb\n"));
    ASSERT_TRUE(store->LoadLesson(2, true));
    EXPECT_EQ(store->IntroLine, Cp("první"));
    EXPECT_EQ(store->Lines, std::vector<std::string>{"aa"});
}

TEST_F(Loaders, EmptyLineEndsTheLessonAndHidesWhatFollows) {
    Write("KTOSCA.DAT", "$LEKCE:01\núvod\naa\nbb\n\t\r\ncc\n$LEKCE:02\núvod\ndd\n");
    ASSERT_TRUE(store->LoadLesson(1, true));
    EXPECT_EQ(store->Lines, (std::vector<std::string>{"aa", "bb"}));
}

TEST_F(Loaders, AnyMarkerEndsTheLesson) {
    Write("KTOSCA.DAT", "$LEKCE:01\núvod\naa\n$LEKCE:xx\nbb\n");
    ASSERT_TRUE(store->LoadLesson(1, true));
    EXPECT_EQ(store->Lines, std::vector<std::string>{"aa"});
}

TEST_F(Loaders, LastLessonLineWithoutLineEndCounts) {
    Write("KTOSCC.DAT", "$LEKCE:44\r\núvod\r\naa\r\nbb");
    ASSERT_TRUE(store->LoadLesson(44, false));
    EXPECT_EQ(store->Lines, (std::vector<std::string>{"aa", "bb"}));
}

TEST_F(Loaders, LongLessonLineIsCutSilently) {
    const std::string line80(80, 'j');
    Write("KTOSCA.DAT", "$LEKCE:01\n" + std::string(100, 'u') + "\n" + line80 + "\n");
    ASSERT_TRUE(store->LoadLesson(1, true));
    EXPECT_EQ(store->Lines, std::vector<std::string>{std::string(69, 'j')});
    EXPECT_EQ(store->IntroLine, std::string(100, 'u')) << "the introductory line is not cut";
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(Loaders, LessonLineIsCleanedBeforeItIsCut) {
    Write("KTOSCA.DAT", "$LEKCE:01\nÚvod\ta\nab\tcd\x01"
                        "e\t\n" +
                            std::string(60, 'j') + "\t\t" + std::string(20, 'k') +
                            "\n\x01\x02\nskryto\n");
    ASSERT_TRUE(store->LoadLesson(1, true));
    EXPECT_EQ(store->Lines, (std::vector<std::string>{"ab cde", std::string(60, 'j') + "  " +
                                                                    std::string(7, 'k')}))
        << "a line of control characters only is empty and ends the lesson";
    EXPECT_EQ(store->IntroLine, "Úvod a") << "lesson files are read as their bytes";
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(Loaders, MarkerOnTheLastLineWithoutLineEndIsNotFound) {
    Write("KTOSCA.DAT", "$LEKCE:01\núvod\naa\n$LEKCE:02");
    LoadSomething();
    const auto before = Fields(*store);
    EXPECT_FALSE(store->LoadLesson(2, true));
    EXPECT_EQ(Fields(*store), before);
    EXPECT_EQ(Reports(), std::vector<std::string>{"error: Instalace programu bude asi neúplná či "
                                                  "poškozena, protože v souborech lekcí chybí "
                                                  "lekce 2"});
}

TEST_F(Loaders, LessonWithoutTextLinesEmptiesTheStoreButKeepsItsIntroduction) {
    Write("KTOSCA.DAT", Cp("$LEKCE:07\nSedmá lekce\n\naa\n"));
    LoadSomething();
    store->LessonNumber = 3;
    store->Qwertz = false;
    const std::string userFile = store->UserFileName;

    EXPECT_FALSE(store->LoadLesson(7, true));
    EXPECT_EQ(Reports(), std::vector<std::string>{"error: Instalace programu bude asi neúplná či "
                                                  "poškozena, protože lekce 7 obsahuje 0 řádků."});
    EXPECT_EQ(store->LineCount(), 0);
    EXPECT_EQ(store->CurrentLesson, 0);
    EXPECT_EQ(store->LineNumber, 0);
    EXPECT_EQ(store->TotalChars, 0);
    EXPECT_EQ(store->IntroLine, Cp("Sedmá lekce"));
    EXPECT_EQ(store->DisplayFileName, "");
    EXPECT_EQ(store->LessonNumber, 3);
    EXPECT_FALSE(store->Qwertz);
    EXPECT_EQ(store->UserFileName, userFile);
}

TEST_F(Loaders, MissingLessonFileNamesItsFullPath) {
    LoadSomething();
    const auto before = Fields(*store);
    EXPECT_FALSE(store->LoadLesson(30, true));
    EXPECT_EQ(Reports(), std::vector<std::string>{
                             "error: Instalace programu bude asi neúplná či poškozena, protože "
                             "chybí soubor lekcí: " +
                             (dir / "KTOSCC.DAT").string()});
    EXPECT_EQ(Fields(*store), before);
}

TEST_F(Loaders, UnreadableLessonFileIsReportedAndChangesNothing) {
    const std::string path = (dir / "KTOSCA.DAT").string();
    const std::string expected =
        "error: Nemohu otevřít soubor lekcí: " + path +
        " Windows zablokovaly přístup k němu. Zkuste restartovat program, eventuálně Windows, "
        "popřípadně obnovit instalaci tohoto programu.";
    LoadSomething();
    const auto before = Fields(*store);

    fs::create_directory(path);
    EXPECT_FALSE(store->LoadLesson(1, true));
    fs::remove(path);
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_FALSE(store->LoadLesson(1, true)) << "a FIFO never blocks the load";
    fs::remove(path);
    fs::create_symlink("/dev/zero", path);
    EXPECT_FALSE(store->LoadLesson(1, true));
    fs::remove(path);
    fs::create_symlink(path, path);
    EXPECT_FALSE(store->LoadLesson(1, true)) << "a symlink to itself";

    EXPECT_EQ(Reports(), std::vector<std::string>(4, expected));
    EXPECT_EQ(Fields(*store), before);
}

TEST_F(Loaders, LessonDirectoryPathTooLongIsReportedAsNotOpened) {
    LEKCE deep(std::string(PATH_MAX + 10, 'd'), reporter);
    EXPECT_FALSE(deep.LoadLesson(1, true));
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_TRUE(reporter.reports[0].isError);
    EXPECT_TRUE(reporter.reports[0].Utf8().starts_with("Nemohu otevřít soubor lekcí: ddd"));
}

// ---- User files ---------------------------------------------------------------------

TEST_F(Loaders, LoadedUserFileSetsTheFieldsOfAUserText) {
    store->LessonNumber = 5;
    store->Qwertz = true;
    const std::string path = Write("text.txt", Cp("Můj text\nab\n$LEKCE:01\n"));
    ASSERT_TRUE(store->LoadTextFile(path));
    EXPECT_EQ(store->IntroLine, Cp("Můj text"));
    EXPECT_EQ(store->Lines, (std::vector<std::string>{"ab", "$LEKCE:01"}));
    EXPECT_EQ(store->TotalChars, 13);
    EXPECT_EQ(store->CurrentLesson, -1);
    EXPECT_EQ(store->UserFileName, path);
    EXPECT_EQ(store->DisplayFileName, path);
    EXPECT_EQ(store->LessonNumber, 5);
    EXPECT_TRUE(store->Qwertz);
    EXPECT_EQ(store->LineNumber, 0);
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(Loaders, EmptyUserFileLoadsNothing) {
    EXPECT_FALSE(store->LoadTextFile(Write("empty.txt", "")));
    EXPECT_EQ(Reports(), std::vector<std::string>{"info: Nenalezeny žádné řádky s textem!"});
}

TEST_F(Loaders, UserFileOfOneLineLoadsNothing) {
    LoadSomething();
    store->LessonNumber = 9;
    const std::string userFile = store->UserFileName;
    EXPECT_FALSE(store->LoadTextFile(Write("one.txt", Cp("Jen úvod\n"))));
    EXPECT_EQ(Reports(), std::vector<std::string>{"info: Nenalezeny žádné řádky s textem!"});
    EXPECT_EQ(store->LineCount(), 0);
    EXPECT_EQ(store->CurrentLesson, 0);
    EXPECT_EQ(store->LineNumber, 0);
    EXPECT_EQ(store->IntroLine, Cp("Jen úvod"));
    EXPECT_EQ(store->DisplayFileName, "");
    EXPECT_EQ(store->UserFileName, userFile);
    EXPECT_EQ(store->LessonNumber, 9);
}

TEST_F(Loaders, LineEndsDoNotChangeTheLines) {
    const std::vector<std::string> expected = {"ab", "c d", "  ", "e"};
    EXPECT_EQ(LinesOfUserFile("úvod\nab\nc\td\t\t\n  \ne\n"), expected);
    EXPECT_EQ(LinesOfUserFile("úvod\r\nab\r\nc\td\t\t\r\n  \r\ne\r\n"), expected);
    EXPECT_EQ(LinesOfUserFile("úvod\r\nab\r\nc\td\t\t\r\n  \r\ne"), expected);
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(Loaders, TrailingControlCharactersGoAndInnerOnesAreCleaned) {
    // A tab inside becomes one space, any other control character goes; so do trailing
    // tabs, which would be spaces nobody sees.
    EXPECT_EQ(LinesOfUserFile("úvod\n a\x01 b\tc\x7F \t\x1F\x07\r\x0B\n\xE8\xF8\n\x01\x02\n"),
              (std::vector<std::string>{" a b c ", "\xE8\xF8"}));
    EXPECT_EQ(Reports(),
              std::vector<std::string>{"info: Prázdné řádky byly přeskočené. " + kAdvice});
}

TEST_F(Loaders, LongUserLineIsWrappedWithANotice) {
    EXPECT_EQ(LinesOfUserFile("úvod\n" + std::string(80, 'k') + "\nab\n"),
              (std::vector<std::string>{std::string(69, 'k'), std::string(11, 'k'), "ab"}));
    EXPECT_EQ(Reports(),
              std::vector<std::string>{"info: Řádky delší než 69 znaků jsou zalomené. " + kAdvice});
}

TEST_F(Loaders, EmptyUserLinesAreSkippedWithANotice) {
    EXPECT_EQ(LinesOfUserFile("úvod\n\nab\n\t\r\n\ncd\n"), (std::vector<std::string>{"ab", "cd"}));
    EXPECT_EQ(Reports(),
              std::vector<std::string>{"info: Prázdné řádky byly přeskočené. " + kAdvice});
}

TEST_F(Loaders, NoticeNamesCutLinesBeforeEmptyLines) {
    LinesOfUserFile("úvod\n\n" + std::string(70, 'k') + "\n");
    EXPECT_EQ(Reports(), std::vector<std::string>{"info: Řádky delší než 69 znaků jsou zalomené. "
                                                  "Prázdné řádky byly přeskočené. " +
                                                  kAdvice});
    EXPECT_EQ(store->CurrentLesson, -1) << "the notice only informs";
}

TEST_F(Loaders, ControlCharactersGoBeforeALineIsMeasured) {
    EXPECT_EQ(LinesOfUserFile("úvod\n" + std::string(68, 'a') +
                              "\x01\x02"
                              "b\n"),
              std::vector<std::string>{std::string(68, 'a') + "b"});
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(Loaders, LineOfThreeHundredCharactersGivesTwoLines) {
    std::string line;
    for (int i = 0; i < 300; ++i) {
        line += static_cast<char>('a' + i % 26);
    }
    // Nothing is lost: the reads of 254 bytes join into the one line of the file.
    EXPECT_EQ(
        LinesOfUserFile("úvod\n" + line + "\n"),
        (std::vector<std::string>{line.substr(0, 69), line.substr(69, 69), line.substr(138, 69),
                                  line.substr(207, 69), line.substr(276)}));
    EXPECT_EQ(Reports(),
              std::vector<std::string>{"info: Řádky delší než 69 znaků jsou zalomené. " + kAdvice});
}

TEST_F(Loaders, CrLfAtTheReadLimitIsOneLineEnd) {
    const std::string line(253, 'x');
    EXPECT_EQ(LinesOfUserFile("úvod\r\n" + line + "\r\nab\r\n"),
              (std::vector<std::string>{std::string(69, 'x'), std::string(69, 'x'),
                                        std::string(69, 'x'), std::string(46, 'x'), "ab"}));
    EXPECT_EQ(Reports(),
              std::vector<std::string>{"info: Řádky delší než 69 znaků jsou zalomené. " + kAdvice})
        << "no empty line is seen";
}

TEST_F(Loaders, UnreadableUserFileIsReportedAndChangesNothing) {
    const std::string missing = (dir / "žádný.txt").string();
    const std::string folder = (dir / "folder").string();
    const std::string fifo = (dir / "fifo").string();
    const std::string loop = (dir / "loop").string();
    const std::string socketPath = (dir / "socket").string();
    fs::create_directory(folder);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink(loop, loop);
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    LoadSomething();
    const auto before = Fields(*store);
    const std::vector<std::string> paths = {missing,
                                            folder,
                                            fifo,
                                            loop,
                                            socketPath,
                                            "/dev/zero",
                                            "/dev/urandom",
                                            "",
                                            std::string("/etc/hostname\0.txt", 18),
                                            (dir / std::string(PATH_MAX + 10, 'p')).string()};
    for (const std::string& path : paths) {
        reporter.reports.clear();
        EXPECT_FALSE(store->LoadTextFile(path)) << path;
        ASSERT_EQ(reporter.reports.size(), 1u) << path;
        EXPECT_TRUE(reporter.reports[0].isError);
        EXPECT_EQ(reporter.reports[0].message,
                  Cp("Nemohu otevřít soubor: ") + Cp1250::FromUtf8(path) +
                      Cp(" Windows zablokovaly přístup k němu. Zkuste restartovat program, "
                         "eventuálně Windows."))
            << path;
        EXPECT_EQ(Fields(*store), before) << path;
    }
    ::close(sock);
}

TEST_F(Loaders, PathInAMessageShowsItsCzechLetters) {
    store->LoadTextFile((dir / "žluťoučký.txt").string());
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_NE(reporter.reports[0].message.find("\x9Elu\x9Dou\xE8k\xFD.txt"), std::string::npos);
}

// Whatever the bytes, the lines hold 1 to 69 characters, no NUL, and end in a printable one.
// Lines the typing line can show and the pupil can finish: every character one of the layout's
// key sequences writes.
void ExpectSoundLines(const std::vector<std::string>& lines, bool qwertz) {
    const KeyboardLayout& layout = KeyboardLayout::Of(qwertz);
    for (const std::string& line : lines) {
        ASSERT_GE(line.size(), 1u);
        ASSERT_LE(line.size(), 69u);
        ASSERT_GE(static_cast<unsigned char>(line.back()), 32);
        ASSERT_EQ(line.find('\0'), std::string::npos);
        for (const char c : line) {
            ASSERT_TRUE(layout.SequenceFor(static_cast<unsigned char>(c)).Writable())
                << "byte " << int(static_cast<unsigned char>(c)) << " in " << Cp1250::ToUtf8(line);
        }
    }
}

TEST_F(Loaders, NulBytesGoLikeOtherControlCharacters) {
    EXPECT_EQ(LinesOfUserFile(std::string("úvod\na\0b\0\0\n\0\0\nc\n", 17)),
              (std::vector<std::string>{"ab", "c"}));
}

TEST_F(Loaders, RandomBytesLoadAsSoundLines) {
    std::mt19937 random(99);
    std::string bytes(1 << 20, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random());
    }
    for (const bool qwertz : {true, false}) {
        store->Qwertz = qwertz;
        ExpectSoundLines(LinesOfUserFile(bytes), qwertz);
        EXPECT_GT(store->LineCount(), 1000);
        EXPECT_EQ(store->TotalChars, [&] {
            int32_t sum = 0;
            for (const auto& line : store->Lines) {
                sum += static_cast<int32_t>(line.size()) + 1;
            }
            return sum;
        }());
    }
}

TEST_F(Loaders, Utf8FileLoadsInTheCodePage) {
    EXPECT_EQ(LinesOfUserFile("\xEF\xBB\xBFúvod\nžluť\n"), std::vector<std::string>{Cp("žluť")});
    EXPECT_EQ(store->IntroLine, Cp("úvod"));
    EXPECT_TRUE(reporter.reports.empty());
}

// ---- Encodings of own texts --------------------------------------------------------

std::string Utf16(std::u16string_view text, bool littleEndian) {
    std::string bytes;
    for (const char16_t unit : text) {
        const char low = static_cast<char>(unit & 0xFF);
        const char high = static_cast<char>(unit >> 8);
        bytes += littleEndian ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
}

TEST_F(Loaders, OwnTextInEveryEncodingGivesTheSameCodePageLines) {
    const std::string utf8 = "Pohádka\r\nŽil byl jednou jeden král…\r\n„Dobrý den,“ řekl\tkůň.\r\n";
    const std::u16string utf16 =
        u"\uFEFFPohádka\r\nŽil byl jednou jeden král…\r\n„Dobrý den,“ řekl\tkůň.\r\n";
    // The code page holds "…" and the quotation marks, but the keyboard has no key for them.
    const std::vector<std::string> converted = {Cp("Žil byl jednou jeden král..."),
                                                Cp("\"Dobrý den,\" řekl kůň.")};
    const std::vector<std::string> notice = {
        "info: Nahrazené znaky: … → ... (1×), „ → \" (1×), “ → \" (1×). " + kAdvice};
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
        std::vector<std::string> notices;
    };
    for (const Case& c : {Case{"UTF-8", utf8, converted, notice},
                          Case{"UTF-8 with BOM", "\xEF\xBB\xBF" + utf8, converted, notice},
                          Case{"UTF-16 LE", Utf16(utf16, true), converted, notice},
                          Case{"UTF-16 BE", Utf16(utf16, false), converted, notice},
                          Case{"code page 1250", Cp(utf8), converted, notice}}) {
        reporter.reports.clear();
        EXPECT_EQ(LinesOfUserFile(c.bytes), c.lines) << c.name;
        EXPECT_EQ(store->IntroLine, Cp("Pohádka")) << c.name;
        EXPECT_EQ(Reports(), c.notices) << c.name;
    }
}

TEST_F(Loaders, NoticeCountsEachReplacedCharacterAfterTheOtherSentences) {
    LinesOfUserFile("úvod\nSeñor… ñ…\u00A0ø…\n\n" + std::string(70, 'x') + " 😀\n");
    EXPECT_EQ(store->Lines,
              (std::vector<std::string>{"Senor... n... o...", std::string(69, 'x'), "x ?"}));
    EXPECT_EQ(Reports(), std::vector<std::string>{
                             "info: Řádky delší než 69 znaků jsou zalomené. Prázdné řádky byly "
                             "přeskočené. Nahrazené znaky: ñ → n (2×), … → ... (3×), U+00A0 → "
                             "mezera (1×), ø → o (1×), 😀 → ? (1×). " +
                             kAdvice});
}

TEST_F(Loaders, CharactersTheLayoutCannotWriteBecomeWhatThePupilTypesAndAreNamed) {
    // Typographic quotes, dashes and signs as a word processor writes them in code page 1250;
    // ¤ has no typed form of its own.
    const std::string text = Cp("Úvod „v uvozovkách“\n"
                                "„Ahoj,“ řekla. ‚Jo‘ – a pak — nic…\n"
                                "3 × 4\u00A0m, 5 ‰ a ro\u00ADzdělení ¤\n");
    const std::vector<std::string> typed = {Cp("\"Ahoj,\" řekla. 'Jo' - a pak - nic..."),
                                            Cp("3 x 4 m, 5 promile a rozdělení ?")};
    const std::string notice =
        "info: Nahrazené znaky: „ → \" (1×), “ → \" (1×), ‚ → ' (1×), ‘ → ' (1×), – → - (1×), "
        "— → - (1×), … → ... (1×), × → x (1×), U+00A0 → mezera (1×), ‰ → promile (1×), "
        "U+00AD → vypuštěno (1×), ¤ → ? (1×). " +
        kAdvice;
    for (const bool qwertz : {true, false}) {
        reporter.reports.clear();
        store->Qwertz = qwertz;
        EXPECT_EQ(LinesOfUserFile(text), typed) << qwertz;
        // The intro line is only shown, never typed.
        EXPECT_EQ(store->IntroLine, Cp("Úvod „v uvozovkách“"));
        EXPECT_EQ(Reports(), std::vector<std::string>{notice}) << qwertz;
        ExpectSoundLines(store->Lines, qwertz);
    }
}

TEST_F(Loaders, FiftyMegabyteUserFileLoadsWhole) {
    std::string chunk;
    for (int i = 0; i < 1000; ++i) {
        chunk += "Příliš žluťoučký kůň úpěl ďábelské ódy, řádek " + std::to_string(i) + ".\r\n";
    }
    const std::string path = (dir / "big.txt").string();
    std::size_t lines = 0;
    {
        std::ofstream out(path, std::ios::binary);
        out << "úvod\r\n";
        for (std::size_t size = 0; size < (50u << 20); size += chunk.size()) {
            out << chunk;
            lines += 1000;
        }
    }
    ASSERT_TRUE(store->LoadTextFile(path));
    EXPECT_EQ(static_cast<std::size_t>(store->LineCount()), lines);
    ExpectSoundLines(store->Lines, store->Qwertz);
}

TEST_F(Loaders, UserFileStopsAfterAMillionLines) {
    std::string bytes = "úvod\n";
    for (int i = 0; i < 1'100'000; ++i) {
        bytes += "a\n";
    }
    ASSERT_TRUE(store->LoadTextFile(Write("many.txt", bytes)));
    EXPECT_EQ(store->LineCount(), 1'000'000);
    EXPECT_EQ(store->TotalChars, 2'000'000);
    EXPECT_EQ(Reports(),
              std::vector<std::string>{
                  "info: Text je delší než 1000000 řádků, další řádky se nenačetly. " + kAdvice});
}

TEST_F(Loaders, TextOfExactlyAMillionLinesIsWholeAndSilent) {
    std::string bytes = "úvod\n";
    for (int i = 0; i < 1'000'000; ++i) {
        bytes += "a\n";
    }
    bytes += "\n\t\n";
    ASSERT_TRUE(store->LoadTextFile(Write("million.txt", bytes)));
    EXPECT_EQ(store->LineCount(), 1'000'000);
    EXPECT_TRUE(reporter.reports.empty()) << "empty lines after the limit lose nothing";
}

TEST_F(Loaders, LimitReachedInsideAWrappedLineIsNoticed) {
    std::string bytes = "úvod\n";
    for (int i = 0; i < 999'999; ++i) {
        bytes += "a\n";
    }
    bytes += std::string(100, 'b') + "\n";
    ASSERT_TRUE(store->LoadTextFile(Write("million.txt", bytes)));
    EXPECT_EQ(store->Lines.back(), std::string(69, 'b'));
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_NE(reporter.reports[0].Utf8().find("další řádky se nenačetly"), std::string::npos);
}

// ---- Position in the settings file --------------------------------------------------

class Position : public Loaders {
protected:
    void SetUp() override {
        Loaders::SetUp();
        iniPath = (dir / "klaptos.ini").string();
    }
    void WriteIni(const std::string& lekce) const {
        std::ofstream out(iniPath, std::ios::binary);
        out << "[Lekce]\r\n" << lekce;
    }
    // A fresh store, as at the next start, restored from the settings file.
    std::unique_ptr<LEKCE> Restore() {
        auto restored = std::make_unique<LEKCE>(dir.string(), reporter);
        const IniFile ini(iniPath);
        lineRestored = restored->RestorePosition(ini);
        return restored;
    }

    std::string iniPath;
    bool lineRestored = false; // the text's statistics still apply
};

TEST_F(Position, SaveWritesTheSectionInItsOrder) {
    LoadSomething();
    store->LessonNumber = 12;
    store->Qwertz = true;
    IniFile ini(iniPath);
    store->SavePosition(ini);
    std::ifstream in(iniPath, std::ios::binary);
    const std::string content{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(content, "[Lekce]\r\nCislo=12\r\nCisloAkt=-1\r\nUzivSoubor=" + store->UserFileName +
                           "\r\nCisloRadku=2\r\nQWERTZ=1\r\n");
}

TEST_F(Position, RestoreComesBackToTheSavedLineOfTheUserText) {
    const std::string path = Write("text.txt", "úvod\nab\nc\ndef\n");
    ASSERT_TRUE(store->LoadTextFile(path));
    std::string text;
    for (int i = 0; i < 3; ++i) {
        store->NextLine(text);
    }
    store->LessonNumber = 4;
    {
        IniFile ini(iniPath);
        store->SavePosition(ini);
    }
    const auto restored = Restore();
    EXPECT_EQ(restored->CurrentLesson, -1);
    EXPECT_EQ(restored->UserFileName, path);
    EXPECT_EQ(restored->LessonNumber, 4);
    EXPECT_EQ(restored->SavedLineNumber, 3);
    EXPECT_EQ(restored->LineNumber, 2);
    EXPECT_EQ(restored->CharsBefore, 3);
    EXPECT_EQ(restored->LineSize, 2);
    ASSERT_TRUE(restored->NextLine(text));
    EXPECT_EQ(text, "def");
    EXPECT_EQ(restored->CharsBefore, 5);
    EXPECT_TRUE(lineRestored) << "the pupil continues with the statistics";
}

TEST_F(Position, RestoreReloadsTheLessonOnItsLayout) {
    Write("KTOSCBY.DAT", "$LEKCE:12\núvod\nqwerty\n");
    Write("KTOSCBZ.DAT", "$LEKCE:12\núvod\nqwertz\n");
    WriteIni("CisloAkt=12\r\nQWERTZ=0\r\n");
    EXPECT_EQ(Restore()->Lines, std::vector<std::string>{"qwerty"});
    WriteIni("CisloAkt=12\r\nQWERTZ=5\r\n");
    const auto restored = Restore();
    EXPECT_EQ(restored->Lines, std::vector<std::string>{"qwertz"});
    EXPECT_TRUE(restored->Qwertz);
}

TEST_F(Position, WithoutASettingsFileLessonOneOnQwertzStartsAtLineOne) {
    Write("KTOSCA.DAT", "$LEKCE:01\núvod\nfff jjj\nfj\n");
    const auto restored = Restore();
    EXPECT_EQ(restored->CurrentLesson, 1);
    EXPECT_EQ(restored->LessonNumber, 1);
    EXPECT_TRUE(restored->Qwertz);
    EXPECT_EQ(restored->LineNumber, 0);
    EXPECT_EQ(restored->UserFileName, "");
    EXPECT_TRUE(lineRestored) << "line 1 is a valid saved line";
}

TEST_F(Position, SavedLineOutsideTheTextStartsAtLineOneAndDropsTheStatistics) {
    const std::string path = Write("text.txt", "úvod\nab\nc\ndef\n");
    for (const char* line : {"0", "4", "-2"}) {
        WriteIni("CisloAkt=-1\r\nUzivSoubor=" + path + "\r\nCisloRadku=" + line + "\r\n");
        const auto restored = Restore();
        EXPECT_EQ(restored->LineCount(), 3) << line;
        EXPECT_EQ(restored->LineNumber, 0) << line;
        EXPECT_FALSE(lineRestored) << line;
    }
}

TEST_F(Position, VanishedUserFileStartsEmptyAndSilent) {
    for (const std::string& gone : {(dir / "gone.txt").string(), dir.string(), std::string()}) {
        WriteIni("Cislo=7\r\nCisloAkt=-1\r\nUzivSoubor=" + gone + "\r\nCisloRadku=2\r\n");
        const auto restored = Restore();
        EXPECT_EQ(restored->LineCount(), 0) << gone;
        EXPECT_EQ(restored->CurrentLesson, 0) << gone;
        EXPECT_EQ(restored->LessonNumber, 7) << gone;
        EXPECT_EQ(restored->UserFileName, gone);
        EXPECT_TRUE(reporter.reports.empty()) << gone;
    }
}

TEST_F(Position, NoLessonOutsideOneToFortyFour) {
    Write("KTOSCA.DAT", "$LEKCE:01\núvod\naa\n");
    for (const char* current : {"0", "45", "-2", "100"}) {
        WriteIni(std::string("CisloAkt=") + current + "\r\n");
        EXPECT_EQ(Restore()->LineCount(), 0) << current;
    }
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(Position, RestoredUserFileRepeatsItsNoticeAtEveryStart) {
    const std::string path = Write("text.txt", "úvod\n\nab\n");
    WriteIni("CisloAkt=-1\r\nUzivSoubor=" + path + "\r\n");
    Restore();
    Restore();
    EXPECT_EQ(Reports(),
              std::vector<std::string>(2, "info: Prázdné řádky byly přeskočené. " + kAdvice));
}

} // namespace
