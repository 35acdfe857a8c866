#include "SessionSettings.h"

#include "FakeClock.h"
#include "IniFile.h"
#include "Lekce.h"
#include "ProgramOptions.h"
#include "RecordingReporter.h"
#include "SpeedMeter.h"
#include "TempLessonDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

class SessionSettingsTest : public ::testing::Test {
protected:
    [[nodiscard]] std::string IniPath() const { return dir.Path() + "klaptos.ini"; }
    void WriteIni(const std::string& text) const {
        std::ofstream(IniPath(), std::ios::binary) << text;
    }
    [[nodiscard]] std::string ReadIni() const {
        std::ifstream in(IniPath(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    TempLessonDir dir;
    FakeClock clock;
    SpeedMeter meter{clock};
    RecordingReporter reporter;
    LEKCE store{dir.Path(), reporter};
    ProgramOptions options;
    SessionSettings session{options, meter, store};
};

// The end of a run writes the five sections in their order, after anything the file held
// that the program does not know, and the features' keys last.
TEST_F(SessionSettingsTest, WritesTheFiveSectionsInTheirOrderAroundForeignLines) {
    WriteIni("; the pupil's note\r\n[Mine]\r\nKey=1\r\n");
    options.ErrRep = 3;
    options.MoveOnError = false;
    meter.lessonErrors = 2;
    meter.lessonKeystrokes = 40;
    meter.lessonCorrect = 38;
    meter.lessonMs = 9000;
    store.LessonNumber = 7;
    store.CurrentLesson = 7;
    store.LineNumber = 3;
    store.Qwertz = true;
    WindowBounds bounds;
    bounds.left = 10;
    bounds.top = 20;
    bounds.width = 600;
    bounds.height = 400;
    FontSettings font;
    font.name = "Mono";
    font.size = 14;
    font.bold = true;
    IniFile ini(IniPath());
    session.WriteAll(ini, bounds, font,
                     [](IniFile& file) { file.WriteInteger("Options", "Feature", 5); });
    EXPECT_EQ(ReadIni(), "; the pupil's note\r\n[Mine]\r\nKey=1\r\n"
                         "[Window]\r\nLeft=10\r\nTop=20\r\nWidth=600\r\nHeight=400\r\n"
                         "[Font]\r\nName=Mono\r\nSize=14\r\nBold=1\r\nItalic=0\r\n"
                         "[Options]\r\nSpeedIx=0\r\nIsMaximized=0\r\nErrRep=3\r\nErrIsRep=1\r\n"
                         "CharSpace=1\r\nErrorBeep=1\r\nCaret=1\r\nSpeed=1\r\nMoveOnError=0\r\n"
                         "AutoStop=1\r\nCloseQuery=2\r\nSound=0\r\nFeature=5\r\n"
                         "[Statistika]\r\nChCelkem=2\r\nMsCelkem=9000\r\nUhozyCelkem=40\r\n"
                         "UhozyOK=38\r\nMsMem=\r\n"
                         "[Lekce]\r\nCislo=7\r\nCisloAkt=7\r\nUzivSoubor=\r\nCisloRadku=3\r\n"
                         "QWERTZ=1\r\n");
}

// What the start reads comes back from what the end wrote; sizes outside 6..72 points
// read (and are written) as the default 12.
TEST_F(SessionSettingsTest, StartReadsWhatTheEndWroteAndCorrectsTheFontSize) {
    WriteIni("[Window]\r\nLeft=5\r\nTop=6\r\nWidth=700\r\nHeight=500\r\n"
             "[Font]\r\nName=Mono\r\nSize=2000\r\nItalic=1\r\n"
             "[Options]\r\nErrRep=-1\r\nSpeedIx=1\r\n[Statistika]\r\nChCelkem=4\r\n");
    const SessionSettings::Start start = session.ReadStart(IniFile(IniPath()));
    FontSettings font;
    font.name = "Mono";
    font.italic = true;
    EXPECT_EQ(start.font, font);
    WindowBounds bounds;
    bounds.left = 5;
    bounds.top = 6;
    bounds.width = 700;
    bounds.height = 500;
    EXPECT_EQ(start.bounds, bounds);
    EXPECT_EQ(options.ErrRep, 1);
    EXPECT_EQ(options.SpeedMax, 400);
    EXPECT_EQ(meter.lessonErrors, 4);

    for (const int size : {5, 73, -12}) {
        font.size = size;
        IniFile ini(IniPath());
        session.WriteAll(ini, bounds, font);
        EXPECT_EQ(FontSettings::Read(IniFile(IniPath())).size, 12) << size;
    }
}

// The statistics of a text go on only when its saved line is found again.
TEST_F(SessionSettingsTest, RestoringTheTextTellsWhetherItGoesOnAtTheSavedLine) {
    dir.AddLesson(1, "úvod", {"fff jjj", "fj"});
    for (const auto& [line, kept] : {std::pair{"2", true}, std::pair{"9", false}}) {
        WriteIni(std::string("[Lekce]\r\nCisloAkt=1\r\nCisloRadku=") + line + "\r\n");
        EXPECT_EQ(session.RestoreText(IniFile(IniPath())), kept) << line;
        EXPECT_EQ(store.LineCount(), 2) << line;
    }
}

} // namespace
