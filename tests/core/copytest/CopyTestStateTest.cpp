// The countdown of a timed copy, its remembered choices and the pupil's name for the sheet.

#include "CopyCountdown.h"
#include "CopyTestSetup.h"
#include "FakeClock.h"
#include "IniFile.h"
#include "PupilName.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

TEST(CopyCountdown, StartsAtTheFirstKeystrokeAndShowsTheSecondsLeftRoundedUp) {
    FakeClock clock(0xFFFFF000U); // the tick count wraps round during the test
    CopyCountdown countdown(clock, 1);
    clock.Advance(5000);
    EXPECT_EQ(countdown.RemainingText(), "1:00") << "not started: time does not run";
    EXPECT_FALSE(countdown.Expired());
    countdown.Start();
    struct Step {
        unsigned advance;
        const char* shown;
        unsigned toNextChange;
        bool expired;
    };
    const Step steps[] = {
        {0, "1:00", 1000, false},    {1, "1:00", 999, false},  {999, "0:59", 1000, false},
        {50500, "0:09", 500, false}, {8499, "0:01", 1, false}, {1, "0:00", 0, true},
        {70000, "0:00", 0, true},
    };
    for (const Step& step : steps) {
        clock.Advance(step.advance);
        countdown.Start(); // a later keystroke does not start it again
        EXPECT_EQ(countdown.RemainingText(), step.shown);
        EXPECT_EQ(countdown.MsToNextChange(), step.toNextChange) << step.shown;
        EXPECT_EQ(countdown.Expired(), step.expired) << step.shown;
    }
}

class CopyTestSetupFile : public testing::Test {
protected:
    void SetUp() override { std::filesystem::remove(path_); }
    void TearDown() override { std::filesystem::remove(path_); }
    void Write(const std::string& content) const { std::ofstream(path_) << content; }
    [[nodiscard]] std::string Read() const {
        std::ifstream in(path_);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // A file of each test's own: ctest runs the tests of this fixture side by side.
    const std::string path_ =
        (std::filesystem::temp_directory_path() /
         ("klaptos-copy-setup-" + std::to_string(::getpid()) + "-" +
          testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini"))
            .string();
};

TEST_F(CopyTestSetupFile, RemembersTheChoicesOnceTheCopyWasUsed) {
    Write("[Options]\r\nSound=1\r\n");
    {
        IniFile ini(path_);
        CopyTestSetup setup;
        setup.ReadSettings(ini);
        EXPECT_FALSE(setup.used);
        EXPECT_EQ(setup.minutes, 10);
        EXPECT_EQ(setup.rules, CopyRules::School);
        setup.WriteSettings(ini);
    }
    EXPECT_EQ(Read(), "[Options]\r\nSound=1\r\n") << "an unused copy leaves the file alone";

    {
        IniFile ini(path_);
        CopyTestSetup setup;
        setup.textFile = "/data/opisy/01-zahrada.txt";
        setup.minutes = 20;
        setup.rules = CopyRules::Competition;
        setup.pupilName = "Jana";
        setup.used = true;
        setup.WriteSettings(ini);
    }
    EXPECT_EQ(Read(), "[Options]\r\nSound=1\r\n[Opis]\r\nText=/data/opisy/01-zahrada.txt\r\n"
                      "Minuty=20\r\nPravidla=1\r\nJmeno=Jana\r\n");
    IniFile ini(path_);
    CopyTestSetup again;
    again.ReadSettings(ini);
    EXPECT_TRUE(again.used);
    EXPECT_EQ(again.minutes, 20);
    EXPECT_EQ(again.rules, CopyRules::Competition);
    EXPECT_EQ(again.pupilName, "Jana");
}

TEST_F(CopyTestSetupFile, ADurationThatIsNoChoiceReadsAsTenMinutes) {
    for (const char* minutes : {"7", "0", "25", "x"}) {
        Write(std::string("[Opis]\r\nMinuty=") + minutes + "\r\nPravidla=3\r\n");
        IniFile ini(path_);
        CopyTestSetup setup;
        setup.ReadSettings(ini);
        EXPECT_EQ(setup.minutes, 10) << minutes;
        EXPECT_EQ(setup.rules, CopyRules::School) << minutes;
    }
}

TEST(PupilName, IsTheAccountsFullNameOrItsLogin) {
    EXPECT_EQ(PupilName::FromAccount("Jana Nováková,Třída 3.B,,", "jana"), "Jana Nováková");
    EXPECT_EQ(PupilName::FromAccount("  Petr Malý  ", "petr"), "Petr Malý");
    EXPECT_EQ(PupilName::FromAccount(",,,", "zak"), "zak");
    EXPECT_EQ(PupilName::FromAccount("", "zak"), "zak");
}

} // namespace
