#include "SpeedMeter.h"

#include "Clock.h"
#include "HexDigit.h"
#include "IniFile.h"
#include "ProgramOptions.h"
#include "Settings.h"
#include "SpeedDisplay.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string_view>

namespace {

constexpr double kMsPerMinute = 60000.0;
constexpr int32_t kShortestMs = 1;
constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();
// The average covers the running interval and this many of the newest stored ones.
constexpr int kAveragedStored = 9;
constexpr int kMinKeystrokesForEstimate = 100;
constexpr double kMinProgressForEstimate = 0.001;
constexpr int64_t kSecondsShownAsMinutes = 120;

// Every result of the meter is a 32-bit field; a value that would not fit (days of
// hesitation, absurd totals from an edited settings file) stands at the limit instead of
// wrapping around into nonsense.
int32_t ClampToInt32(int64_t value) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), kInt32Max));
}

// A speed or estimate truncated toward zero; 0 without a positive divisor.
int32_t TruncatedRatio(double numerator, double divisor) {
    if (!(divisor > 0.0)) {
        return 0;
    }
    const double ratio = std::trunc(numerator / divisor);
    if (ratio >= static_cast<double>(kInt32Max)) {
        return kInt32Max;
    }
    if (ratio <= static_cast<double>(std::numeric_limits<int32_t>::min())) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(ratio);
}

std::string MinutesSeconds(int64_t seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 60),
                  static_cast<long long>(seconds % 60));
    return text;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Reads the hexadecimal number at the start of `part` the way "%x" does (leading blanks and
// an optional 0x prefix allowed). Signs are refused: the list never holds them, and a
// negative interval would only corrupt the speeds. A number beyond the 32-bit range is
// clamped to the largest interval rather than wrapped, so the rest of the list still loads.
bool ReadHexNumber(std::string_view part, int32_t& value) {
    size_t at = 0;
    while (at < part.size() && IsBlank(part[at])) {
        ++at;
    }
    if (at + 2 < part.size() && part[at] == '0' && (part[at + 1] == 'x' || part[at + 1] == 'X') &&
        HexDigit(part[at + 2]) >= 0) {
        at += 2;
    }
    if (at >= part.size() || HexDigit(part[at]) < 0) {
        return false;
    }
    int64_t number = 0;
    for (; at < part.size() && HexDigit(part[at]) >= 0; ++at) {
        number = std::min<int64_t>(number * 16 + HexDigit(part[at]), kInt32Max);
    }
    value = static_cast<int32_t>(number);
    return true;
}

} // namespace

// The clock is not asked here: a global meter may be built before its clock; Clear runs
// at program start.
SpeedMeter::SpeedMeter(const Clock& clock) : clock_(clock) {}

void SpeedMeter::Clear() {
    lineErrors = lessonErrors = 0;
    minSpeed = avgSpeed = absSpeed = maxSpeed = 0;
    lineMs = lessonMs = 0;
    lineKeystrokes = lessonKeystrokes = 0;
    lineCorrect = lessonCorrect = 0;
    intervals.fill(0);
    intervalCount = 0;
    lastTick = clock_.TickCount();
    pendingMs = 0;
}

void SpeedMeter::StartLine() {
    lineCorrect = 0;
    lineKeystrokes = 0;
    lineErrors = 0;
    lineMs = 0;
}

void SpeedMeter::Measure(bool keystroke) {
    const uint32_t now = clock_.TickCount();
    // A wrapped tick count, or a keystroke in the same tick, is no interval at all.
    const uint32_t elapsed = now > lastTick ? now - lastTick : 0;
    const int32_t dt =
        elapsed > static_cast<uint32_t>(kInt32Max) ? kInt32Max : static_cast<int32_t>(elapsed);
    if (keystroke) {
        lineKeystrokes = ClampToInt32(int64_t{lineKeystrokes} + 1);
        lessonKeystrokes = ClampToInt32(int64_t{lessonKeystrokes} + 1);
        lastTick = now;
    }

    // The running interval of a refresh is not over yet: it can only lengthen, so it may set
    // the slowest speed but never the fastest.
    int32_t longest = dt;
    int32_t shortest = keystroke ? dt : kInt32Max;
    int64_t sum = dt;
    int n = 1;
    const int stored = std::clamp(intervalCount, 0, kIntervalSlots);
    for (int i = 0; i < stored; ++i) {
        longest = std::max(longest, intervals[i]);
        shortest = std::min(shortest, intervals[i]);
        if (i < kAveragedStored) {
            sum += intervals[i];
            ++n;
        }
    }

    if (stored == 0) {
        minSpeed = maxSpeed = avgSpeed = absSpeed = 0;
    } else {
        // Two keys within one tick of the clock were as fast as it can tell: such an interval
        // counts as one millisecond, never as no speed at all.
        minSpeed = TruncatedRatio(kMsPerMinute, std::max(longest, kShortestMs));
        maxSpeed = TruncatedRatio(kMsPerMinute, std::max(shortest, kShortestMs));
        avgSpeed = TruncatedRatio(n * kMsPerMinute, static_cast<double>(std::max<int64_t>(sum, n)));
        absSpeed = TruncatedRatio(
            lessonCorrect * kMsPerMinute,
            static_cast<double>(std::max<int64_t>(int64_t{lessonMs} + dt, kShortestMs)));
    }

    if (keystroke) {
        lineMs = ClampToInt32(int64_t{lineMs} + dt);
        lessonMs = ClampToInt32(int64_t{lessonMs} + dt);
        pendingMs = 0;
        std::copy_backward(intervals.begin(), intervals.end() - 1, intervals.end());
        intervals[0] = dt;
        intervalCount = std::min(stored + 1, kIntervalSlots);
    } else {
        pendingMs = dt;
    }
}

void SpeedMeter::Resume() {
    lastTick = clock_.TickCount();
    pendingMs = 0;
}

void SpeedMeter::CountRight() {
    lineCorrect = ClampToInt32(int64_t{lineCorrect} + 1);
    lessonCorrect = ClampToInt32(int64_t{lessonCorrect} + 1);
}

void SpeedMeter::CountError() {
    lineErrors = ClampToInt32(int64_t{lineErrors} + 1);
    lessonErrors = ClampToInt32(int64_t{lessonErrors} + 1);
}

void SpeedMeter::ShowErrors(SpeedDisplay& display, const ProgramOptions& options) const {
    display.ShowLineErrors(lineErrors, options.ErrIsRep && lineErrors > options.ErrRep);
    display.ShowLessonErrors(lessonErrors);
    const int32_t perMille =
        lessonKeystrokes > 0 ? ClampToInt32(int64_t{lessonErrors} * 1000 / lessonKeystrokes) : 0;
    display.ShowErrorFrequency(FormatPerMille(perMille));
}

void SpeedMeter::ShowSpeed(SpeedDisplay& display, const ProgramOptions& options, bool stopMode,
                           double progress) const {
    if (stopMode) {
        return;
    }
    if (display.IsSpeedPanelVisible()) {
        display.ShowSpeeds(minSpeed, avgSpeed, maxSpeed, absSpeed);
        display.ShowSpeedBar(std::clamp(avgSpeed, 0, std::max(options.SpeedMax, 0)));
    }

    display.ShowElapsed(MinutesSeconds((int64_t{lessonMs} + pendingMs) / 1000));

    if (progress > kMinProgressForEstimate && lessonKeystrokes >= kMinKeystrokesForEstimate) {
        const double left = lessonMs / progress - lessonMs;
        // Whole seconds rounded to nearest; kept in range before the conversion.
        const double seconds = std::trunc((left + 500.0) * 0.001);
        int64_t e = seconds > 1e15 ? int64_t{1000000000000000} : static_cast<int64_t>(seconds);
        e = std::max<int64_t>(e, 0);
        if (e < kSecondsShownAsMinutes) {
            display.ShowTimeLeft(MinutesSeconds((e + 9) / 10 * 10));
        } else {
            display.ShowTimeLeft(std::to_string((e + 30) / 60));
        }
    } else {
        display.ShowTimeLeft("-?-");
    }
}

void SpeedMeter::SaveStatistics(IniFile& ini) const {
    // After a restart typing resumes at the start of the current line, so the line's own
    // share is left out.
    Settings::LessonErrors.WriteInteger(ini, ClampToInt32(int64_t{lessonErrors} - lineErrors));
    Settings::LessonMs.WriteInteger(ini, ClampToInt32(int64_t{lessonMs} - lineMs));
    Settings::LessonKeystrokes.WriteInteger(
        ini, ClampToInt32(int64_t{lessonKeystrokes} - lineKeystrokes));
    Settings::LessonCorrect.WriteInteger(ini, ClampToInt32(int64_t{lessonCorrect} - lineCorrect));
    Settings::Intervals.WriteString(ini, IntervalsText());
}

void SpeedMeter::LoadStatistics(const IniFile& ini) {
    Clear();
    lessonErrors = Settings::LessonErrors.ReadInteger(ini);
    lessonMs = Settings::LessonMs.ReadInteger(ini);
    lessonKeystrokes = Settings::LessonKeystrokes.ReadInteger(ini);
    lessonCorrect = Settings::LessonCorrect.ReadInteger(ini);
    ParseIntervals(Settings::Intervals.ReadString(ini));
}

std::string SpeedMeter::IntervalsText() const {
    std::string text;
    const int stored = std::clamp(intervalCount, 0, kIntervalSlots);
    char entry[16];
    for (int i = 0; i < stored; ++i) {
        std::snprintf(entry, sizeof entry, "%x,", static_cast<unsigned>(intervals[i]));
        text += entry;
    }
    return text;
}

void SpeedMeter::ParseIntervals(const std::string& text) {
    intervals.fill(0);
    intervalCount = 0;
    std::string_view rest = text;
    while (intervalCount < kIntervalSlots) {
        const size_t comma = rest.find(',');
        if (comma == std::string_view::npos) {
            break;
        }
        int32_t value = 0;
        if (!ReadHexNumber(rest.substr(0, comma), value)) {
            break;
        }
        intervals[intervalCount] = value;
        ++intervalCount;
        rest.remove_prefix(comma + 1);
    }
}

void ClearSpeedDisplay(SpeedDisplay& display) {
    display.ClearSpeeds();
    display.ShowElapsed("0:00");
    display.ShowTimeLeft("-?-");
}

std::array<int, 9> SpeedScaleLabels(int max) {
    if (max <= 0) {
        max = 200;
    }
    std::array<int, 9> labels{};
    for (int i = 0; i < 9; ++i) {
        labels[i] = static_cast<int>(int64_t{max} * i / 8);
    }
    return labels;
}

std::string FormatPerMille(int perMille) {
    char text[32];
    // The sign stands once, in front: -25 is "-2,5".
    const long long magnitude = perMille < 0 ? -static_cast<long long>(perMille) : perMille;
    std::snprintf(text, sizeof text, "%s%lld,%lld", perMille < 0 ? "-" : "", magnitude / 10,
                  magnitude % 10);
    return text;
}
