#include "WindowBounds.h"

#include "IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

WindowBounds Bounds(int left, int top, int width, int height) {
    WindowBounds b;
    b.left = left;
    b.top = top;
    b.width = width;
    b.height = height;
    return b;
}

std::filesystem::path TempIni(const char* name, const std::string& content) {
    const auto path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

} // namespace

TEST(WindowBounds, NoSettingsFileCentresEightHundredBySixHundredOnA1024x768Screen) {
    const IniFile ini((std::filesystem::temp_directory_path() / "klaptos-no-such.ini").string());
    EXPECT_EQ(WindowBounds::Read(ini).FittedToScreen(1024, 768), Bounds(112, 84, 800, 600));
}

TEST(WindowBounds, TooWideAWindowLosesAHundredPixelsAndKeepsAFittingLeftEdge) {
    EXPECT_EQ(Bounds(50, 84, 3000, 600).FittedToScreen(1024, 768), Bounds(50, 84, 924, 600));
}

TEST(WindowBounds, LeftEdgeThatLetsTheWindowStickOutIsCentred) {
    EXPECT_EQ(Bounds(300, 84, 800, 600).FittedToScreen(1024, 768), Bounds(112, 84, 800, 600));
}

TEST(WindowBounds, TopIsTestedAgainstTheScreenHeightAloneSoSevenHundredStays) {
    EXPECT_EQ(Bounds(112, 700, 800, 600).FittedToScreen(1024, 768), Bounds(112, 700, 800, 600));
}

TEST(WindowBounds, TopBelowTheScreenIsCentred) {
    EXPECT_EQ(Bounds(112, 768, 800, 600).FittedToScreen(1024, 768), Bounds(112, 84, 800, 600));
}

TEST(WindowBounds, NegativeSizesAreReplacedOnANarrowScreen) {
    EXPECT_EQ(Bounds(-1, -1, -5, -5).FittedToScreen(800, 600), Bounds(50, 50, 700, 500));
}

TEST(WindowBounds, ReadsItsSectionWhateverTheLetterCaseAndKeepsDefaultsForBadValues) {
    const auto path = TempIni("klaptos-window-bounds.ini", "[window]\r\nleft=10\r\nTOP=20\r\n"
                                                           "Width=abc\r\n");
    const IniFile ini(path.string());
    EXPECT_EQ(WindowBounds::Read(ini), Bounds(10, 20, 800, 600));
    std::filesystem::remove(path);
}

TEST(WindowBounds, WritesLeftTopWidthHeightInThisOrder) {
    const auto path = std::filesystem::temp_directory_path() / "klaptos-window-write.ini";
    std::filesystem::remove(path);
    {
        IniFile ini(path.string());
        Bounds(1, 2, 3, 4).Write(ini);
    }
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "[Window]\r\nLeft=1\r\nTop=2\r\nWidth=3\r\nHeight=4\r\n");
    std::filesystem::remove(path);
}
