// Reads any bytes as a settings file through the readers the main window uses at start, and
// checks what reaches the values' users: every option within its range, a font size the
// window can show, window bounds that, once fitted and laid out, lie on the screen, and errors
// per character only of characters a text can expect, within the text's totals.

#include "ErrorMap.h"
#include "FuzzFiles.h"
#include "HeatScale.h"
#include "IniFile.h"
#include "KeyErrorCounts.h"
#include "KeyboardLayout.h"
#include "ProgramOptions.h"
#include "SessionSettings.h"
#include "Settings.h"
#include "SpeedMeter.h"
#include "ViewLayout.h"
#include "WeakKeys.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

struct Screen {
    int width;
    int height;
};
constexpr Screen kScreens[] = {{640, 480}, {1024, 768}, {1920, 1080}};

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckOptions(const ProgramOptions& o) {
    Require(Settings::CharSpace.Accepts(o.CharSpace));
    Require(o.SpeedMax == 200 || o.SpeedMax == 400 || o.SpeedMax == 600);
    Require(Settings::CloseQuery.Accepts(o.CloseQuery));
    Require(Settings::Sound.Accepts(o.Sound));
    Require(Settings::ErrRep.Accepts(o.ErrRep));
}

void CheckStatistics(const SpeedMeter& m) {
    Require(m.lessonErrors >= 0 && m.lessonMs >= 0 && m.lessonKeystrokes >= 0 &&
            m.lessonCorrect >= 0);
}

// The window as the main window places it: the saved bounds fitted to the screen, then the
// layout around a typing line as wide as the font and the character space make it.
void CheckWindow(const WindowBounds& saved, const FontSettings& font, const ProgramOptions& o) {
    for (const Screen& screen : kScreens) {
        const WindowBounds b = saved.FittedToScreen(screen.width, screen.height);
        Require(b.width >= 0 && b.width < screen.width);
        Require(b.height >= 0 && b.height < screen.height);
        Require(b.left >= 0 && b.left + b.width <= screen.width);
        Require(b.top >= 0 && b.top < screen.height);

        LayoutInput in;
        in.viewWidth = 71 * (font.size * 4 / 5 + o.CharSpace);
        in.viewHeight = 6 * (font.size * 3 / 2);
        in.frameExtraWidth = 1;
        in.viewHomeTop = 1;
        in.clientWidth = b.width;
        in.clientHeight = b.height;
        in.windowLeft = b.left;
        in.windowTop = b.top;
        in.frameWidth = 2;
        in.frameHeight = 21;
        in.panelWidth = 509;
        in.panelHeight = 225;
        in.statusBarHeight = 22;
        in.screenWidth = screen.width;
        in.screenHeight = screen.height;
        const LayoutResult out = LayoutTypingView(in);
        const int outerWidth = out.clientWidth + in.frameWidth;
        const int outerHeight = out.clientHeight + in.frameHeight;
        Require(out.windowLeft >= 0 && out.windowLeft + outerWidth <= screen.width);
        Require(out.windowTop >= 0 && out.windowTop + outerHeight <= screen.height);
    }
}

// [Chyby] as the error counter reads it after the meter's [Statistika].
void CheckKeyErrors(const IniFile& ini, const SpeedMeter& m) {
    KeyErrorCounts counts;
    counts.Load(ini);
    for (int i = 0; i < KeyErrorCounts::kBytes; ++i) {
        const auto c = static_cast<unsigned char>(i);
        const int attempts = counts.Attempts(c);
        const int errors = counts.Errors(c);
        Require(KeyErrorCounts::Countable(c) || attempts == 0);
        Require(attempts >= 0 && attempts <= m.lessonKeystrokes);
        Require(errors >= 0 && errors <= attempts && errors <= m.lessonErrors);
        int64_t struck = 0;
        for (int j = 0; j < KeyErrorCounts::kBytes; ++j) {
            const int count = counts.Struck(c, static_cast<unsigned char>(j));
            Require(count >= 0);
            struck += count;
        }
        Require(struck <= errors);
    }
    for (const WeakKey& weak : WeakKeys::Rank(counts)) {
        Require(KeyErrorCounts::Countable(weak.character));
    }
    // Each key's step from its characters' counts added up without overflow: a key no counted
    // character uses has none.
    for (const bool qwertz : {true, false}) {
        const KeyboardLayout& layout = KeyboardLayout::Of(qwertz);
        ErrorMap map(layout);
        map.Add(counts);
        for (const auto& [key, step] : map.Steps()) {
            (void)step;
            bool used = false;
            for (int i = 1; i < KeyErrorCounts::kBytes && !used; ++i) {
                const auto c = static_cast<unsigned char>(i);
                for (const KeyStroke& stroke : layout.SequenceFor(c).strokes) {
                    used = used || (counts.Attempts(c) > 0 &&
                                    (stroke.key == key ||
                                     std::find(stroke.modifiers.begin(), stroke.modifiers.end(),
                                               key) != stroke.modifiers.end()));
                }
            }
            Require(used);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = WriteFuzzFile("klaptos.ini", data, size);
    const IniFile ini(path);
    static QuietReporter reporter;
    static const StillClock clock;
    ProgramOptions options;
    SpeedMeter meter(clock);
    LEKCE store(FuzzDir().string(), reporter);
    const SessionSettings::Start start = SessionSettings(options, meter, store).ReadStart(ini);

    CheckOptions(options);
    CheckStatistics(meter);
    Require(Settings::FontSize.Accepts(start.font.size));
    Require(start.font.name.size() <= 2047);
    CheckWindow(start.bounds, start.font, options);
    CheckKeyErrors(ini, meter);
    return 0;
}
