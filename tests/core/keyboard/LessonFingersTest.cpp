// The keyboard tables against the lesson files: every character of every lesson can be
// written on the lesson's layout, and where an intro line names the finger for a key, the
// table names the same one.

#include "Cp1250.h"
#include "FakeClock.h"
#include "KeyboardLayout.h"
#include "Lekce.h"
#include "RecordingReporter.h"
#include "SpeedMeter.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kLessons = 44;
// The first lesson whose letters need a dead key (ď ť ň ó).
constexpr int kFirstDeadKeyLesson = 41;

struct Loaded {
    FakeClock clock;
    SpeedMeter meter{clock};
    RecordingReporter reporter;
    LEKCE store{KLAPTOS_BIN_DIR, reporter};
};

// Fingers counted from the left hand's little finger, as FingerWord gives them.
constexpr int kThumb = 4;
constexpr int kNoFinger = -1;

// A key the intro line names and the finger it says strikes it.
struct NamedFinger {
    std::string key; // UTF-8
    Finger finger;
    friend bool operator==(const NamedFinger&, const NamedFinger&) = default;
};

std::optional<Hand> HandWord(const std::string& word) {
    for (const char* left : {"levý", "levá", "levé", "levým", "Levý"}) {
        if (word == left) {
            return Hand::Left;
        }
    }
    for (const char* right : {"pravý", "pravá", "pravé", "pravým", "Pravý"}) {
        if (word == right) {
            return Hand::Right;
        }
    }
    return std::nullopt;
}

// The finger of a word such as "ukazováček" or "Prostředníčky", counted from the left hand.
std::optional<int> FingerWord(const std::string& word) {
    const std::array<const char*, 5> stems{"malíč", "prsteníč", "prostředníč", "ukazováč", "palec"};
    for (std::size_t i = 0; i < stems.size(); ++i) {
        if (word.find(stems[i] + 1) == 1) { // the first letter may be a capital
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

Finger FingerOf(Hand hand, int fromLeft) {
    if (fromLeft == kThumb) {
        return Finger::Thumb;
    }
    return hand == Hand::Left
               ? static_cast<Finger>(fromLeft)
               : static_cast<Finger>(static_cast<int>(Finger::RightLittle) - fromLeft);
}

std::optional<std::string> KeyWord(const std::string& word) {
    if (word == "čárku") {
        return ",";
    }
    if (word == "tečku") {
        return ".";
    }
    if (Cp1250::FromUtf8(word).size() == 1) {
        return word;
    }
    return std::nullopt;
}

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

// Sentences such as "Levý ukazováček sahá z f doprava na g, pravý ukazováček z j doleva na h"
// or "Ukazováčky leží na f a j": a finger is named, then the keys it rests on, starts from,
// passes or reaches ("na", "z", "přes"). A comma, semicolon or full stop ends the finger's
// clause, so a clause that names no finger ("ostatní prsty zůstávají na d f j k") gives nothing.
std::vector<NamedFinger> ParseReaches(const std::string& intro) {
    std::vector<NamedFinger> found;
    Hand hand = Hand::Left;
    bool handNamed = false;
    int finger = kNoFinger;
    bool plural = false;
    int pluralKeys = 0;
    const std::vector<std::string> words = Words(intro);
    for (std::size_t i = 0; i < words.size(); ++i) {
        std::string word = words[i];
        while (!word.empty() && word.front() == '(') {
            word.erase(0, 1);
        }
        bool clauseEnds = false;
        while (word.size() > 1 && std::string(",;.)").find(word.back()) != std::string::npos) {
            clauseEnds = clauseEnds || word.back() != ')';
            word.pop_back();
        }
        if (auto h = HandWord(word)) {
            hand = *h;
            handNamed = true;
        } else if (auto f = FingerWord(word)) {
            finger = *f;
            plural = word.ends_with("čky");
            pluralKeys = 0;
            if (plural) {
                handNamed = false;
            }
        } else if (finger != kNoFinger && i + 1 < words.size() &&
                   (word == "na" || word == "z" || word == "přes" || (plural && word == "a"))) {
            std::string next = words[i + 1];
            const bool nextEnds =
                next.size() > 1 && std::string(",;.").find(next.back()) != std::string::npos;
            if (nextEnds) {
                next.pop_back();
            }
            if (auto key = KeyWord(next)) {
                const bool known = plural || handNamed;
                const Hand keyHand = plural      ? (pluralKeys++ == 0 ? Hand::Left : Hand::Right)
                                     : handNamed ? hand
                                                 : Hand::Left;
                if (known || finger == kThumb) {
                    found.push_back({*key, FingerOf(keyHand, finger)});
                }
            }
        }
        if (clauseEnds) {
            handNamed = false;
            finger = kNoFinger;
        }
    }
    return found;
}

// "Číslice píšeme se Shiftem: 1 levý malíček, 2 prsteníček, 4 a 5 ukazováček, ...": keys
// before their finger; the hand holds until another is named; the list ends at a semicolon.
std::vector<NamedFinger> ParseList(const std::string& intro) {
    std::vector<NamedFinger> found;
    const std::size_t colon = intro.find("Shiftem:");
    if (colon == std::string::npos || intro.find(" a ", colon) == std::string::npos) {
        return found;
    }
    const std::size_t end = intro.find(';', colon);
    std::istringstream items(intro.substr(colon + 8, end - colon - 8));
    std::optional<Hand> hand;
    for (std::string item; std::getline(items, item, ',');) {
        std::vector<std::string> keys;
        for (const std::string& word : Words(item)) {
            if (auto h = HandWord(word)) {
                hand = h;
            } else if (auto f = FingerWord(word); f && hand) {
                for (const std::string& key : keys) {
                    found.push_back({key, FingerOf(*hand, *f)});
                }
            } else if (word != "a" && KeyWord(word)) {
                keys.push_back(word);
            }
        }
    }
    return found;
}

Finger TableFinger(const KeyboardLayout& layout, const std::string& keyUtf8) {
    const auto byte = static_cast<unsigned char>(Cp1250::FromUtf8(keyUtf8)[0]);
    const KeySequence& sequence = layout.SequenceFor(byte);
    EXPECT_TRUE(sequence.Writable()) << keyUtf8;
    if (!sequence.Writable()) {
        return Finger::Thumb;
    }
    return layout.Keys()[static_cast<std::size_t>(sequence.strokes.back().key)].finger;
}

TEST(KeyboardTables, AgreeWithEveryFingerTheIntroLinesName) {
    int checked = 0;
    for (const bool qwertz : {true, false}) {
        const KeyboardLayout& layout = KeyboardLayout::Of(qwertz);
        for (int n = 1; n <= kLessons; ++n) {
            Loaded loaded;
            ASSERT_TRUE(loaded.store.LoadLesson(n, qwertz));
            const std::string intro = Cp1250::ToUtf8(loaded.store.IntroLine);
            SCOPED_TRACE(intro);
            std::vector<NamedFinger> named = ParseReaches(intro);
            const std::vector<NamedFinger> listed = ParseList(intro);
            named.insert(named.end(), listed.begin(), listed.end());
            for (const NamedFinger& pair : named) {
                EXPECT_EQ(FingerName(TableFinger(layout, pair.key)), FingerName(pair.finger))
                    << "key " << pair.key << (qwertz ? " on QWERTZ" : " on QWERTY");
                ++checked;
            }
        }
    }
    // Every lesson that introduces keys names their fingers; a parser that lost its way
    // would find far fewer.
    EXPECT_GE(checked, 120);
}

TEST(KeyboardTables, WriteEveryCharacterOfEveryLessonWithAFingerAndNoDeadKeyBeforeItsLesson) {
    for (const bool qwertz : {true, false}) {
        const KeyboardLayout& layout = KeyboardLayout::Of(qwertz);
        for (int n = 1; n <= kLessons; ++n) {
            Loaded loaded;
            ASSERT_TRUE(loaded.store.LoadLesson(n, qwertz));
            for (const std::string& line : loaded.store.Lines) {
                for (const char c : line + '\n') {
                    const KeySequence& sequence = layout.SequenceFor(static_cast<unsigned char>(c));
                    ASSERT_TRUE(sequence.Writable())
                        << "lesson " << n << ": " << Cp1250::ToUtf8(std::string(1, c));
                    EXPECT_TRUE(n >= kFirstDeadKeyLesson || sequence.strokes.size() == 1)
                        << "lesson " << n << ": " << Cp1250::ToUtf8(std::string(1, c));
                    for (const KeyStroke& stroke : sequence.strokes) {
                        EXPECT_GE(stroke.key, 0);
                        for (const int modifier : stroke.modifiers) {
                            EXPECT_GE(modifier, 0);
                        }
                    }
                }
            }
        }
    }
}

} // namespace
