// Per-key speeds from a scripted keystroke stream on a fake clock: each character timed from
// the keystroke before it, per key press on the Czech keyboard, pauses left out, the keys
// struck instead counted; and the measures kept over the last occurrences only.

#include "Cp1250.h"
#include "FakeClock.h"
#include "KeyStatistics.h"
#include "KeyTimer.h"
#include "KeyboardLayout.h"

#include <gtest/gtest.h>

namespace {

unsigned char Byte(std::string_view utf8) {
    return static_cast<unsigned char>(Cp1250::FromUtf8(utf8)[0]);
}

struct Stroke {
    uint32_t after; // ms since the keystroke before
    std::string_view expected;
    std::string_view struck;
};

} // namespace

TEST(KeyTimingTest, ScriptedStreamGivesSpeedPerKeyPress) {
    FakeClock clock;
    KeyStatistics statistics;
    KeyTimer timer(clock, KeyboardLayout::Qwertz(), statistics);
    const Stroke script[] = {
        {5000, "d", "d"},                   // the first keystroke of a text: untimed
        {300, "d", "d"},                    // 300 ms per press
        {900, "ď", "ď"},                    // dead key, Shift, d: 300 ms per press
        {600, "D", "D"},                    // Shift and d: 300 ms per press
        {2500, "d", "d"},                   // after a pause: untimed
        {200, "d", "f"},                    // wrong: counted, untimed
        {100, "d", "d"},                    // 100 ms
        {400, "\n", "\n"}, {150, "ď", "ď"}, // timed from Enter: 50 ms per press
        {300, "ď", "e"},
    };
    timer.Restart();
    for (const Stroke& stroke : script) {
        clock.Advance(stroke.after);
        const unsigned char expected = stroke.expected == "\n" ? 10 : Byte(stroke.expected);
        const unsigned char struck = stroke.struck == "\n" ? 10 : Byte(stroke.struck);
        timer.Judge(expected, struck, expected == struck);
    }

    const KeyMeasure d = statistics.Measure('d');
    EXPECT_EQ(d.occurrences, 5);
    EXPECT_EQ(d.timed, 2);
    EXPECT_DOUBLE_EQ(d.speed, 60000.0 * 2 / (300 + 100));
    EXPECT_DOUBLE_EQ(d.errorRate, 0.2);
    const KeyMeasure dCaron = statistics.Measure(Byte("ď"));
    EXPECT_EQ(dCaron.occurrences, 3);
    EXPECT_EQ(dCaron.timed, 2);
    EXPECT_DOUBLE_EQ(dCaron.speed, 60000.0 * 2 / (300 + 50));
    EXPECT_EQ(statistics.Measure('D').speed, 200);
    EXPECT_EQ(statistics.Measure(10).occurrences, 0);
    EXPECT_EQ(statistics.StruckInstead('d'),
              (std::vector<std::pair<unsigned char, int>>{{'f', 1}}));

    const std::vector<KeyTotal> totals = timer.Totals().Take();
    ASSERT_EQ(totals.size(), 3U);
    EXPECT_EQ(totals[0], (KeyTotal{'D', 1, 0, 1, 300}));
    EXPECT_EQ(totals[1], (KeyTotal{'d', 5, 1, 2, 400}));
    EXPECT_EQ(totals[2], (KeyTotal{Byte("ď"), 3, 1, 2, 350}));
    EXPECT_TRUE(timer.Totals().Take().empty());
}

TEST(KeyTimingTest, KeepsTheLastFiftyOccurrencesAndSavesThem) {
    KeyStatistics statistics;
    for (int i = 0; i < 60; ++i) {
        statistics.Add('k',
                       {i < 10 ? 1000.0F : 200.0F, static_cast<unsigned char>(i < 10 ? 'l' : 0)});
    }
    const KeyMeasure k = statistics.Measure('k');
    EXPECT_EQ(k.occurrences, 50);
    EXPECT_DOUBLE_EQ(k.speed, 300);
    EXPECT_DOUBLE_EQ(k.errorRate, 0);

    statistics.Add('l', {0, 'k'});
    KeyStatistics loaded;
    loaded.Load(statistics.Save() + "garbage line\n300 1\n");
    EXPECT_EQ(loaded.Save(), statistics.Save());
}
