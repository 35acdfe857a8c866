#include "PracticeIntro.h"

#include "Cp1250.h"
#include "Lekce.h"
#include "LessonKeys.h"

#include <charconv>
#include <string_view>

namespace {

constexpr std::string_view kPrefixUtf8 = "Procvičení";
constexpr std::string_view kLessonUtf8 = " k lekci ";
constexpr std::string_view kTailUtf8 = " – ";
constexpr std::string_view kEndUtf8 = " s Vašimi nejčastějšími chybami";

std::string Text(std::string_view utf8) {
    return Cp1250::FromUtf8(utf8);
}

std::string_view Contents(const PracticeIntro& intro) {
    if (!intro.letterGroups) {
        return "slova";
    }
    return intro.words ? "slova a skupiny písmen" : "skupiny písmen";
}

bool Skip(std::string_view& rest, const std::string& expected) {
    if (rest.substr(0, expected.size()) != expected) {
        return false;
    }
    rest.remove_prefix(expected.size());
    return true;
}

} // namespace

std::string PracticeIntro::Line() const {
    std::string line = Text(kPrefixUtf8);
    if (lesson > 0) {
        line += Text(kLessonUtf8) + std::to_string(lesson);
    }
    line += ": ";
    for (size_t i = 0; i < practised.size(); ++i) {
        line += i == 0 ? "" : " ";
        line += practised[i];
    }
    return line + Text(kTailUtf8) + Text(Contents(*this)) + Text(kEndUtf8);
}

std::optional<PracticeIntro> PracticeIntro::Parse(const std::string& line) {
    std::string_view rest = line;
    PracticeIntro intro;
    if (!Skip(rest, Text(kPrefixUtf8))) {
        return std::nullopt;
    }
    if (Skip(rest, Text(kLessonUtf8))) {
        const auto [end, error] =
            std::from_chars(rest.data(), rest.data() + rest.size(), intro.lesson);
        if (error != std::errc() || intro.lesson < 1 || intro.lesson > LessonKeys::kLessons) {
            return std::nullopt;
        }
        rest.remove_prefix(static_cast<size_t>(end - rest.data()));
    }
    if (!Skip(rest, ": ")) {
        return std::nullopt;
    }
    const size_t tail = rest.find(Text(kTailUtf8));
    if (tail == 0 || tail == std::string_view::npos) {
        return std::nullopt;
    }
    // One character, then a space before each further one.
    for (size_t i = 0; i < tail; i += 2) {
        if (i + 1 < tail && rest[i + 1] != ' ') {
            return std::nullopt;
        }
        intro.practised += rest[i];
    }
    rest.remove_prefix(tail + Text(kTailUtf8).size());
    for (const bool words : {true, false}) {
        for (const bool groups : {false, true}) {
            intro.words = words;
            intro.letterGroups = groups;
            if (rest == Text(Contents(intro)) + Text(kEndUtf8) && (words || groups)) {
                return intro;
            }
        }
    }
    return std::nullopt;
}

int PracticeIntro::PractisedLesson(const LEKCE& store) {
    if (store.CurrentLesson >= 0) {
        return 0;
    }
    const std::optional<PracticeIntro> intro = Parse(store.IntroLine);
    return intro ? intro->lesson : 0;
}
