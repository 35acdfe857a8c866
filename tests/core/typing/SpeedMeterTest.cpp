#include "SpeedMeter.h"

#include "FakeClock.h"
#include "FakeWindow.h"
#include "IniFile.h"
#include "ProgramOptions.h"
#include "TempLessonDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <string>

namespace {

constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();

class SpeedMeterTest : public ::testing::Test {
protected:
    SpeedMeterTest() : meter(clock) { meter.Clear(); }

    // One right keystroke `ms` after the previous one, counted as the engine counts it.
    void RightKey(uint32_t ms) {
        clock.Advance(ms);
        meter.Measure(true);
        ++meter.lineCorrect;
        ++meter.lessonCorrect;
    }

    void Refresh(uint32_t ms) {
        clock.Advance(ms);
        meter.Measure(false);
    }

    void ShowSpeed(double progress = 0.0, bool stopMode = false) {
        meter.ShowSpeed(window, options, stopMode, progress);
    }

    FakeClock clock;
    SpeedMeter meter;
    FakeWindow window;
    ProgramOptions options;
};

TEST_F(SpeedMeterTest, ClearZeroesEverythingAndStartsTheTimeBaseNow) {
    RightKey(300);
    meter.lineErrors = meter.lessonErrors = 4;
    clock.Advance(5000);
    meter.Clear();
    EXPECT_EQ(meter.lessonKeystrokes, 0);
    EXPECT_EQ(meter.lessonCorrect, 0);
    EXPECT_EQ(meter.lessonErrors, 0);
    EXPECT_EQ(meter.lessonMs, 0);
    EXPECT_EQ(meter.intervalCount, 0);
    EXPECT_EQ(meter.intervals[0], 0);
    EXPECT_EQ(meter.lastTick, clock.TickCount());
}

TEST_F(SpeedMeterTest, FirstKeystrokeShowsNoSpeedAndStoresTheIntervalFromTheClear) {
    RightKey(700);
    EXPECT_EQ(meter.minSpeed, 0);
    EXPECT_EQ(meter.maxSpeed, 0);
    EXPECT_EQ(meter.avgSpeed, 0);
    EXPECT_EQ(meter.absSpeed, 0);
    EXPECT_EQ(meter.intervalCount, 1);
    EXPECT_EQ(meter.intervals[0], 700);
    EXPECT_EQ(meter.lineKeystrokes, 1);
    EXPECT_EQ(meter.lessonKeystrokes, 1);
    EXPECT_EQ(meter.lessonMs, 700);
    EXPECT_EQ(meter.lineMs, 700);
    EXPECT_EQ(meter.lastTick, clock.TickCount());
}

TEST_F(SpeedMeterTest, TenKeystrokes200MsApartAverage300WhileAnOldPauseSetsTheMinimum) {
    RightKey(2000);
    for (int i = 0; i < 10; ++i) {
        RightKey(200);
    }
    EXPECT_EQ(meter.avgSpeed, 300);
    EXPECT_EQ(meter.maxSpeed, 300);
    EXPECT_EQ(meter.minSpeed, 30);
    // 10 right keystrokes before this one in 2000 + 9 x 200 ms, plus this interval.
    EXPECT_EQ(meter.absSpeed, 10 * 60000 / 4000);
    EXPECT_EQ(meter.intervalCount, 11);
}

// Keys in the same millisecond were as fast as the clock can tell; a refresh in the same
// millisecond as a key is an interval not yet over and says nothing of the fastest speed.
TEST_F(SpeedMeterTest, AnIntervalOfNoMillisecondsIsTheFastestNeverNoSpeed) {
    RightKey(1000);
    RightKey(200);
    RightKey(0);
    EXPECT_EQ(meter.maxSpeed, 60000);
    EXPECT_EQ(meter.minSpeed, 60);
    EXPECT_EQ(meter.avgSpeed, 3 * 60000 / 1200);
    RightKey(100);
    Refresh(0);
    EXPECT_EQ(meter.maxSpeed, 60000);
    EXPECT_EQ(meter.minSpeed, 60);

    meter.Clear();
    RightKey(0);
    RightKey(0);
    EXPECT_EQ(meter.maxSpeed, 60000);
    EXPECT_EQ(meter.minSpeed, 60000);
    EXPECT_EQ(meter.avgSpeed, 60000);
    EXPECT_EQ(meter.absSpeed, 60000);

    meter.Clear();
    RightKey(500);
    RightKey(250);
    Refresh(0); // not 0, the refresh's own interval
    EXPECT_EQ(meter.maxSpeed, 240);
}

TEST_F(SpeedMeterTest, OnlyTheNewest32IntervalsAreKept) {
    RightKey(5000);
    for (int i = 0; i < 40; ++i) {
        RightKey(100 + i);
    }
    EXPECT_EQ(meter.intervalCount, SpeedMeter::kIntervalSlots);
    EXPECT_EQ(meter.intervals[0], 139);
    EXPECT_EQ(meter.intervals[31], 108);
    EXPECT_EQ(meter.minSpeed, 60000 / 139); // the 5000 ms pause has left the window
}

TEST_F(SpeedMeterTest, HesitationLowersMinimumAverageAndAbsoluteSpeedButNotTheMaximum) {
    for (int i = 0; i < 11; ++i) {
        RightKey(200);
    }
    const int32_t maxSpeed = meter.maxSpeed;
    const int32_t firstAbsSpeed = meter.absSpeed;
    const int32_t firstAvgSpeed = meter.avgSpeed;
    const int32_t firstMinSpeed = meter.minSpeed;
    const int32_t lessonMs = meter.lessonMs;
    const int32_t intervalCount = meter.intervalCount;

    int32_t minSpeed = meter.minSpeed;
    int32_t avgSpeed = meter.avgSpeed;
    int32_t absSpeed = meter.absSpeed;
    for (int second = 1; second <= 30; ++second) {
        Refresh(1000);
        EXPECT_LE(meter.minSpeed, minSpeed) << second;
        EXPECT_LE(meter.avgSpeed, avgSpeed) << second;
        EXPECT_LE(meter.absSpeed, absSpeed) << second;
        EXPECT_EQ(meter.maxSpeed, maxSpeed) << second;
        EXPECT_EQ(meter.pendingMs, second * 1000) << second;
        EXPECT_EQ(meter.intervalCount, intervalCount) << second;
        minSpeed = meter.minSpeed;
        avgSpeed = meter.avgSpeed;
        absSpeed = meter.absSpeed;
    }
    EXPECT_LT(meter.absSpeed, firstAbsSpeed);
    EXPECT_LT(meter.avgSpeed, firstAvgSpeed);
    EXPECT_LT(meter.minSpeed, firstMinSpeed);
    EXPECT_EQ(meter.lessonMs, lessonMs);

    RightKey(400);
    EXPECT_EQ(meter.intervals[0], 30400);
    EXPECT_EQ(meter.pendingMs, 0);
    EXPECT_EQ(meter.lessonMs, lessonMs + 30400);
}

TEST_F(SpeedMeterTest, IntervalIsZeroWhenTheTickCountDoesNotMoveForward) {
    struct Row {
        const char* name;
        uint32_t last, now;
    };
    const Row rows[] = {
        {"same tick", 5000, 5000},
        {"wrapped tick count", 0xFFFFFF00u, 0x10u},
    };
    for (const Row& row : rows) {
        clock.Set(row.last);
        meter.Clear();
        clock.Set(row.now);
        meter.Measure(true);
        EXPECT_EQ(meter.intervals[0], 0) << row.name;
        EXPECT_EQ(meter.lessonMs, 0) << row.name;
        EXPECT_EQ(meter.lastTick, row.now) << row.name;
    }
}

TEST_F(SpeedMeterTest, AnIntervalBeyondThe32BitRangeStaysAtTheLimit) {
    clock.Set(0);
    meter.Clear();
    clock.Set(0xF0000000u);
    meter.Measure(true);
    EXPECT_EQ(meter.intervals[0], kInt32Max);
    EXPECT_EQ(meter.lessonMs, kInt32Max);
    clock.Advance(1000);
    meter.Measure(true);
    EXPECT_EQ(meter.lessonMs, kInt32Max);
    EXPECT_EQ(meter.minSpeed, 0);
}

TEST_F(SpeedMeterTest, ResumeDropsTheTimeSpentStopped) {
    RightKey(300);
    clock.Advance(60000);
    meter.Measure(false);
    meter.Resume();
    EXPECT_EQ(meter.pendingMs, 0);
    RightKey(250);
    EXPECT_EQ(meter.intervals[0], 250);
    EXPECT_EQ(meter.lessonMs, 550);
}

TEST_F(SpeedMeterTest, StartLineZeroesOnlyTheLineCounters) {
    RightKey(300);
    meter.lineErrors = meter.lessonErrors = 2;
    meter.StartLine();
    EXPECT_EQ(meter.lineErrors, 0);
    EXPECT_EQ(meter.lineCorrect, 0);
    EXPECT_EQ(meter.lineKeystrokes, 0);
    EXPECT_EQ(meter.lineMs, 0);
    EXPECT_EQ(meter.lessonErrors, 2);
    EXPECT_EQ(meter.lessonCorrect, 1);
    EXPECT_EQ(meter.lessonKeystrokes, 1);
    EXPECT_EQ(meter.lessonMs, 300);
    EXPECT_EQ(meter.intervalCount, 1);
}

TEST_F(SpeedMeterTest, ErrorFrequencyIsAPercentageWithOneDecimalAfterAComma) {
    struct Row {
        int errors, keystrokes;
        const char* shown;
    };
    const Row rows[] = {
        {7, 300, "2,3"}, {1, 40, "2,5"}, {0, 0, "0,0"}, {3, 0, "0,0"}, {5, 5, "100,0"}};
    for (const Row& row : rows) {
        meter.lessonErrors = row.errors;
        meter.lessonKeystrokes = row.keystrokes;
        meter.ShowErrors(window, options);
        EXPECT_EQ(window.frequency, row.shown) << row.errors << "/" << row.keystrokes;
    }
}

TEST_F(SpeedMeterTest, LineErrorsAreEmphasizedExactlyWhenTheLineWouldBeRepeated) {
    struct Row {
        bool errIsRep;
        int errRep, lineErrors;
        bool emphasized;
    };
    const Row rows[] = {
        {true, 1, 1, false}, {true, 1, 2, true}, {false, 1, 5, false}, {true, 0, 1, true}};
    for (const Row& row : rows) {
        options.ErrIsRep = row.errIsRep;
        options.ErrRep = row.errRep;
        meter.lineErrors = row.lineErrors;
        meter.lessonErrors = row.lineErrors + 10;
        meter.ShowErrors(window, options);
        EXPECT_EQ(window.lineErrorsEmphasized, row.emphasized)
            << row.errIsRep << " " << row.errRep << " " << row.lineErrors;
        EXPECT_EQ(window.lineErrors, row.lineErrors);
        EXPECT_EQ(window.lessonErrors, row.lineErrors + 10);
    }
}

TEST_F(SpeedMeterTest, BarIsLimitedToTheScaleButTheFieldShowsTheSpeed) {
    struct Row {
        int avg, bar;
    };
    for (const Row& row : {Row{250, 200}, Row{120, 120}, Row{-5, 0}}) {
        meter.avgSpeed = row.avg;
        ShowSpeed();
        EXPECT_EQ(window.speedBar, row.bar) << row.avg;
        EXPECT_EQ(window.avgSpeed, std::to_string(row.avg));
    }
}

TEST_F(SpeedMeterTest, HiddenPanelKeepsItsFieldsButTheTimesRunOn) {
    window.speedPanelVisible = false;
    meter.avgSpeed = 100;
    meter.lessonMs = 61000;
    ShowSpeed();
    EXPECT_EQ(window.avgSpeed, "");
    EXPECT_EQ(window.speedBar, -1);
    EXPECT_EQ(window.elapsed, "1:01");
    EXPECT_EQ(window.timeLeft, "-?-");
}

TEST_F(SpeedMeterTest, StopModeShowsNothing) {
    meter.avgSpeed = 100;
    meter.lessonMs = 61000;
    ShowSpeed(0.5, true);
    EXPECT_EQ(window.avgSpeed, "");
    EXPECT_EQ(window.elapsed, "");
    EXPECT_EQ(window.timeLeft, "");
}

TEST_F(SpeedMeterTest, ElapsedTimeCountsTheRunningIntervalAndDoesNotWrapMinutes) {
    meter.lessonMs = 3720000;
    meter.pendingMs = 5999;
    ShowSpeed();
    EXPECT_EQ(window.elapsed, "62:05");
}

TEST_F(SpeedMeterTest, TimeLeftAppearsAfter100KeystrokesAndOneTenthPercent) {
    struct Row {
        const char* name;
        int keystrokes, lessonMs;
        double progress;
        const char* shown;
    };
    const Row rows[] = {
        {"99 keystrokes", 99, 95000, 0.5, "-?-"},
        {"95 s left, rounded up to ten seconds", 100, 95000, 0.5, "1:40"},
        {"150 s left, whole minutes", 100, 150000, 0.5, "3"},
        {"119 s left", 100, 119000, 0.5, "2:00"},
        {"120 s left", 100, 120000, 0.5, "2"},
        {"149 s left rounds down", 100, 149000, 0.5, "2"},
        {"nothing left", 100, 60000, 1.0, "0:00"},
        {"progress beyond the end", 100, 60000, 1.5, "0:00"},
        {"progress exactly one per mille", 500, 60000, 0.001, "-?-"},
        {"no progress", 500, 60000, 0.0, "-?-"},
    };
    for (const Row& row : rows) {
        meter.lessonKeystrokes = row.keystrokes;
        meter.lessonMs = row.lessonMs;
        ShowSpeed(row.progress);
        EXPECT_EQ(window.timeLeft, row.shown) << row.name;
    }
}

TEST_F(SpeedMeterTest, TimeLeftLeavesTheRunningIntervalOut) {
    meter.lessonKeystrokes = 100;
    meter.lessonMs = 95000;
    meter.pendingMs = 50000;
    ShowSpeed(0.5);
    EXPECT_EQ(window.timeLeft, "1:40");
}

TEST(SpeedMeterDisplay, ClearSpeedDisplayEmptiesTheFields) {
    FakeWindow window;
    window.avgSpeed = "120";
    window.speedBar = 120;
    ClearSpeedDisplay(window);
    EXPECT_EQ(window.avgSpeed, "");
    EXPECT_EQ(window.speedBar, 0);
    EXPECT_EQ(window.elapsed, "0:00");
    EXPECT_EQ(window.timeLeft, "-?-");
}

TEST(SpeedMeterDisplay, ScaleLabelsDivideTheMaximumIntoEighths) {
    using Labels = std::array<int, 9>;
    EXPECT_EQ(SpeedScaleLabels(200), (Labels{0, 25, 50, 75, 100, 125, 150, 175, 200}));
    EXPECT_EQ(SpeedScaleLabels(400), (Labels{0, 50, 100, 150, 200, 250, 300, 350, 400}));
    EXPECT_EQ(SpeedScaleLabels(600), (Labels{0, 75, 150, 225, 300, 375, 450, 525, 600}));
    EXPECT_EQ(SpeedScaleLabels(0), SpeedScaleLabels(200));
    EXPECT_EQ(SpeedScaleLabels(-3), SpeedScaleLabels(200));
}

TEST_F(SpeedMeterTest, IntervalsAreWrittenNewestFirstInHexadecimal) {
    RightKey(500);
    RightKey(700);
    RightKey(300);
    EXPECT_EQ(meter.IntervalsText(), "12c,2bc,1f4,");
    meter.Clear();
    EXPECT_EQ(meter.IntervalsText(), "");
}

TEST_F(SpeedMeterTest, IntervalListIsReadUpToTheFirstBadEntry) {
    struct Row {
        const char* text;
        std::vector<int32_t> read;
    };
    const Row rows[] = {
        {"1f4,2bc,zz,12c,", {500, 700}},
        {"1f4", {}},
        {"1f4,2bc", {500}},
        {"", {}},
        {",1f4,", {}},
        {"1F4,", {500}},
        {"12zz,5,", {0x12, 5}}, // a number is read from the start of its part
        {"-5,1,", {}},
        {"ffffffffff,3,", {kInt32Max, 3}},
    };
    for (const Row& row : rows) {
        meter.ParseIntervals(row.text);
        EXPECT_EQ(std::vector<int32_t>(meter.intervals.begin(),
                                       meter.intervals.begin() + meter.intervalCount),
                  row.read)
            << row.text;
    }
}

TEST_F(SpeedMeterTest, IntervalListBeyond32EntriesIsCut) {
    std::string text;
    for (int i = 1; i <= 40; ++i) {
        text += std::to_string(i) + ",";
    }
    meter.ParseIntervals(text);
    EXPECT_EQ(meter.intervalCount, 32);
    EXPECT_EQ(meter.intervals[31], 0x32);
}

class SpeedMeterFileTest : public SpeedMeterTest {
protected:
    [[nodiscard]] std::string IniPath() const { return dir.Path() + "klaptos.ini"; }

    void WriteFile(const std::string& content) const {
        std::ofstream(IniPath(), std::ios::binary) << content;
    }

    TempLessonDir dir;
};

TEST_F(SpeedMeterFileTest, SavedStatisticsAreTheStateAtTheStartOfTheLine) {
    for (int i = 0; i < 5; ++i) {
        RightKey(400);
    }
    meter.StartLine();
    RightKey(600);
    RightKey(800);
    meter.lessonErrors = 12;
    meter.lineErrors = 3;

    IniFile ini(IniPath());
    meter.SaveStatistics(ini);
    EXPECT_EQ(ini.ReadInteger("Statistika", "ChCelkem", -1), 9);
    EXPECT_EQ(ini.ReadInteger("Statistika", "MsCelkem", -1), 2000);
    EXPECT_EQ(ini.ReadInteger("Statistika", "UhozyCelkem", -1), 5);
    EXPECT_EQ(ini.ReadInteger("Statistika", "UhozyOK", -1), 5);
    EXPECT_EQ(ini.ReadString("Statistika", "MsMem", ""), "320,258,190,190,190,190,190,");
}

TEST_F(SpeedMeterFileTest, StatisticsSurviveARestart) {
    for (int i = 0; i < 7; ++i) {
        RightKey(350 + 10 * i);
    }
    meter.lessonErrors = 4;
    meter.StartLine();
    {
        IniFile ini(IniPath());
        meter.SaveStatistics(ini);
    }

    FakeClock laterClock(999);
    SpeedMeter restored(laterClock);
    const IniFile ini(IniPath());
    restored.LoadStatistics(ini);
    EXPECT_EQ(restored.lessonErrors, 4);
    EXPECT_EQ(restored.lessonMs, meter.lessonMs);
    EXPECT_EQ(restored.lessonKeystrokes, 7);
    EXPECT_EQ(restored.lessonCorrect, 7);
    EXPECT_EQ(restored.intervalCount, 7);
    EXPECT_EQ(restored.intervals, meter.intervals);
    EXPECT_EQ(restored.lineKeystrokes, 0);
    EXPECT_EQ(restored.lastTick, 999u);
}

TEST_F(SpeedMeterFileTest, NegativeAndMissingTotalsAreReadAsZero) {
    WriteFile(
        "[Statistika]\r\nChCelkem=-4\r\nMsCelkem=-1\r\nUhozyOK=7\r\nMsMem=1f4,2bc,zz,12c,\r\n");
    RightKey(100); // something to be cleared
    const IniFile ini(IniPath());
    meter.LoadStatistics(ini);
    EXPECT_EQ(meter.lessonErrors, 0);
    EXPECT_EQ(meter.lessonMs, 0);
    EXPECT_EQ(meter.lessonKeystrokes, 0);
    EXPECT_EQ(meter.lessonCorrect, 7);
    EXPECT_EQ(meter.intervalCount, 2);
    EXPECT_EQ(meter.intervals[0], 500);
    EXPECT_EQ(meter.intervals[1], 700);
}

} // namespace
