// The copy texts of the timed copy test as they are staged beside the program (opisy/): there
// are enough of them, each long enough for a 10-minute copy and two for a 20-minute one by the
// Czech norm's keystrokes, written only in characters both Czech layouts can type, in the
// shape the copy test reads, and in words the Czech spelling dictionary knows.

#include "Cp1250.h"
#include "KeyboardLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <unistd.h> // getpid

namespace {

constexpr std::size_t kMinTexts = 12;
constexpr int kMinKeystrokes = 3500;  // 10 minutes at the highest grade needs 2,400
constexpr int kLongKeystrokes = 9000; // 20 minutes at 400 a minute needs 8,000
constexpr std::size_t kMinLongTexts = 2;

// Words the dictionary lacks, each checked by hand: the hour's unit symbol ("7.45 h") and
// proper names in their right form.
const std::set<std::string> kNotInDictionary{"h", "Lešně", "Pančavskému", "Valois"};
// Abbreviations of several parts: the dictionary knows "č." but not their other parts.
constexpr std::array<std::string_view, 3> kAbbreviations{"s. r. o.", "č. j.", "Č. j."}; // UTF-8
constexpr std::string_view kCzechLetters = "áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ";            // UTF-8
constexpr std::string_view kDictionary = "/usr/share/hunspell/cs_CZ";

// The norm counts each key struck and each Shift or AltGr held for it.
int Keystrokes(const KeyboardLayout& layout, unsigned char byte) {
    int count = 0;
    for (const KeyStroke& stroke : layout.SequenceFor(byte).strokes) {
        count += 1 + static_cast<int>(stroke.modifiers.size());
    }
    return count;
}

int Keystrokes(const KeyboardLayout& layout, std::string_view bytes) {
    int count = 0;
    for (const char c : bytes) {
        count += Keystrokes(layout, static_cast<unsigned char>(c));
    }
    return count;
}

unsigned char Byte(std::string_view utf8) {
    const std::string bytes = Cp1250::FromUtf8(utf8);
    return bytes.size() == 1 ? static_cast<unsigned char>(bytes[0]) : 0;
}

struct CopyText {
    std::string name;
    std::string bytes;
    std::string title;
    std::vector<std::string> paragraphs;

    [[nodiscard]] int Keystrokes(const KeyboardLayout& layout) const {
        int count = 0;
        for (const std::string& paragraph : paragraphs) {
            count += ::Keystrokes(layout, paragraph);
        }
        return count;
    }
};

// The title, an empty line, then the paragraphs, one line each and separated by one empty
// line; CR LF ends every line, the last one too.
CopyText Parse(std::string name, std::string bytes) {
    CopyText text{std::move(name), std::move(bytes), {}, {}};
    std::size_t start = 0;
    for (std::size_t line = 0; start < text.bytes.size(); ++line) {
        std::size_t end = text.bytes.find("\r\n", start);
        if (end == std::string::npos) {
            end = text.bytes.size();
        }
        const std::string content = text.bytes.substr(start, end - start);
        if (line == 0) {
            text.title = content;
        } else if (line % 2 == 0) {
            text.paragraphs.push_back(content);
        }
        start = end + 2;
    }
    return text;
}

std::vector<CopyText> StagedTexts() {
    const std::filesystem::path folder = std::filesystem::path(KLAPTOS_BIN_DIR) / "opisy";
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".txt") {
            files.push_back(entry.path());
        }
    }
    std::ranges::sort(files);
    std::vector<CopyText> texts;
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::string bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>{});
        texts.push_back(Parse(file.filename().string(), std::move(bytes)));
    }
    return texts;
}

// Everything wrong with a file's shape at once, so that one run names every fault.
std::vector<std::string> ShapeShortcomings(const CopyText& text) {
    constexpr std::array<unsigned char, 5> kUndefined{0x81, 0x83, 0x88, 0x90, 0x98};
    std::vector<std::string> found;
    if (!std::regex_match(text.name, std::regex(R"(\d\d-[a-z0-9]+(-[a-z0-9]+)*\.txt)"))) {
        found.push_back("the name is not NN-slug.txt");
    }
    if (!text.bytes.ends_with("\r\n")) {
        found.push_back("the last line has no CR LF");
    }
    std::size_t start = 0;
    for (int line = 1; start < text.bytes.size(); ++line) {
        std::size_t end = text.bytes.find("\r\n", start);
        end = end == std::string::npos ? text.bytes.size() : end;
        const std::string content = text.bytes.substr(start, end - start);
        const std::string where = "line " + std::to_string(line) + ": ";
        const bool separator = line % 2 == 0;
        if (separator != content.empty()) {
            found.push_back(where + (separator ? "not empty" : "empty"));
        }
        if (content.starts_with(' ') || content.ends_with(' ')) {
            found.push_back(where + "a space at an end");
        }
        if (content.find("  ") != std::string::npos) {
            found.push_back(where + "two spaces in a row");
        }
        for (const char c : content) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 0x20 || std::ranges::count(kUndefined, byte) != 0) {
                found.push_back(where + "byte " + std::to_string(byte));
            }
        }
        start = end + 2;
    }
    if (text.paragraphs.empty()) {
        found.push_back("no paragraph");
    }
    return found;
}

// The characters of the title and the paragraphs that a layout cannot write, as UTF-8.
std::set<std::string> Unwritable(const CopyText& text, const KeyboardLayout& layout) {
    std::set<std::string> found;
    std::string all = text.title;
    for (const std::string& paragraph : text.paragraphs) {
        all += paragraph;
    }
    for (const char c : all) {
        if (!layout.SequenceFor(static_cast<unsigned char>(c)).Writable()) {
            found.insert(Cp1250::ToUtf8(std::string(1, c)));
        }
    }
    return found;
}

struct Word {
    std::string utf8;
    bool beforeDot = false; // perhaps an abbreviation: "Ing.", "např."
};

// The words of a line: runs of letters, the abbreviations of several parts left out.
std::vector<Word> WordsOf(std::string line) {
    for (const std::string_view abbreviation : kAbbreviations) {
        const std::string bytes = Cp1250::FromUtf8(abbreviation);
        for (auto at = line.find(bytes); at != std::string::npos; at = line.find(bytes, at)) {
            line.replace(at, bytes.size(), bytes.size(), ' ');
        }
    }
    static const std::string czech = Cp1250::FromUtf8(kCzechLetters);
    std::vector<Word> words;
    std::string word;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        const char c = i < line.size() ? line[i] : ' ';
        if (std::isalpha(static_cast<unsigned char>(c)) != 0 ||
            czech.find(c) != std::string::npos) {
            word += c;
            continue;
        }
        if (!word.empty()) {
            words.push_back({Cp1250::ToUtf8(word), c == '.'});
        }
        word.clear();
    }
    return words;
}

// The dictionary's own entries that end in a full stop; hunspell cuts the stop off a word
// before it looks the word up, so it cannot say that "Ing." is right.
std::set<std::string> DictionaryAbbreviations() {
    std::ifstream in(std::string(kDictionary) + ".dic");
    std::set<std::string> found;
    for (std::string line; std::getline(in, line);) {
        const std::string entry = line.substr(0, line.find('/'));
        if (entry.size() > 1 && entry.ends_with('.')) {
            found.insert(entry);
        }
    }
    return found;
}

// The words hunspell's Czech dictionary does not know.
std::set<std::string> UnknownToHunspell(const std::set<std::string>& words) {
    const std::filesystem::path input = std::filesystem::temp_directory_path() /
                                        ("klaptos_copy_words_" + std::to_string(::getpid()));
    {
        std::ofstream out(input, std::ios::binary);
        for (const std::string& word : words) {
            out << word << '\n';
        }
    }
    const std::string command = "hunspell -d " + std::string(kDictionary) + " -i utf-8 -l < '" +
                                input.string() + "' 2>/dev/null";
    std::set<std::string> unknown;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe != nullptr) {
        std::array<char, 512> buffer{};
        while (std::fgets(buffer.data(), static_cast<int>(buffer.size()), pipe) != nullptr) {
            std::string word(buffer.data());
            while (!word.empty() && (word.back() == '\n' || word.back() == '\r')) {
                word.pop_back();
            }
            unknown.insert(word);
        }
    }
    const int status = pipe == nullptr ? -1 : ::pclose(pipe);
    std::filesystem::remove(input);
    EXPECT_EQ(status, 0) << "could not run `hunspell -d cs_CZ`: install hunspell and hunspell-cs "
                            "(scripts/setup.sh)";
    return unknown;
}

// For each text, the words that are neither in the dictionary nor among the reviewed
// exceptions; and the exceptions that no text needs any more.
struct Spelling {
    std::map<std::string, std::set<std::string>> unknown; // text name -> words
    std::set<std::string> unusedExceptions;
};

Spelling Spell(const std::vector<CopyText>& texts) {
    std::map<std::string, std::vector<Word>> words;
    std::set<std::string> all{"kůň", "kdfjů"}; // one word the dictionary knows, one it cannot
    for (const CopyText& text : texts) {
        for (const std::string& line : text.paragraphs) {
            for (const Word& word : WordsOf(line)) {
                words[text.name].push_back(word);
                all.insert(word.utf8);
            }
        }
        for (const Word& word : WordsOf(text.title)) {
            words[text.name].push_back(word);
            all.insert(word.utf8);
        }
    }
    const std::set<std::string> unknown = UnknownToHunspell(all);
    EXPECT_TRUE(unknown.contains("kdfjů") && !unknown.contains("kůň"))
        << "hunspell answers in an unexpected form; it reported " << unknown.size() << " words";
    const std::set<std::string> abbreviations = DictionaryAbbreviations();
    Spelling spelling;
    spelling.unusedExceptions = kNotInDictionary;
    for (const auto& [name, list] : words) {
        for (const Word& word : list) {
            if (!unknown.contains(word.utf8) ||
                (word.beforeDot && abbreviations.contains(word.utf8 + "."))) {
                continue;
            }
            if (kNotInDictionary.contains(word.utf8)) {
                spelling.unusedExceptions.erase(word.utf8);
                continue;
            }
            spelling.unknown[name].insert(word.utf8);
        }
    }
    return spelling;
}

// --- the norm and the checks themselves ---------------------------------------------------

TEST(CopyTextNorm, TheKeyboardModelCountsKeystrokesAsTheNormDoes) {
    struct Expected {
        std::string_view character; // UTF-8; "\n" is Enter
        int keystrokes;
    };
    // A plain key; a key with Shift or AltGr, or the acute before o; a dead key with Shift
    // before a small letter or the acute before a capital; the caron before a capital.
    constexpr std::array<Expected, 20> kTable{{
        {"a", 1}, {" ", 1}, {"\n", 1}, {"ě", 1},  {"ů", 1}, {",", 1}, {"-", 1},
        {"A", 2}, {"7", 2}, {"%", 2},  {"\"", 2}, {"?", 2}, {"@", 2}, {"ó", 2},
        {"ď", 3}, {"ň", 3}, {"Á", 3},  {"Ú", 3},  {"Č", 4}, {"Ž", 4},
    }};
    for (const bool qwertz : {true, false}) {
        const KeyboardLayout& layout = KeyboardLayout::Of(qwertz);
        for (const Expected& row : kTable) {
            EXPECT_EQ(Keystrokes(layout, Byte(row.character)), row.keystrokes)
                << row.character << (qwertz ? " QWERTZ" : " QWERTY");
        }
        EXPECT_FALSE(layout.SequenceFor(Byte("„")).Writable()) << "the layout has no „ key";
        EXPECT_FALSE(layout.SequenceFor(Byte("–")).Writable()) << "nor a dash";
    }
}

TEST(CopyTextChecks, FindEveryFaultOfADamagedText) {
    const std::string bytes = Cp1250::FromUtf8("Zkouška\r\n\r\nPrvní „odstavec“ je tu.\r\n"
                                               "Druhý  hned za ním \r\n\r\nJe tu chibička.");
    const CopyText text = Parse("3-zkouska.txt", bytes);
    EXPECT_EQ(ShapeShortcomings(text),
              (std::vector<std::string>{"the name is not NN-slug.txt", "the last line has no CR LF",
                                        "line 4: not empty", "line 4: a space at an end",
                                        "line 4: two spaces in a row", "line 5: empty",
                                        "line 6: not empty"}));
    EXPECT_EQ(Unwritable(text, KeyboardLayout::Qwertz()), (std::set<std::string>{"„", "“"}));
    const Spelling spelling =
        Spell({Parse("01-a.txt", Cp1250::FromUtf8("Ing. Eva Malá, s. r. o.\r\n\r\n"
                                                  "Potok je zde i 7.45 h chibička."))});
    EXPECT_EQ(spelling.unknown,
              (std::map<std::string, std::set<std::string>>{{"01-a.txt", {"chibička"}}}))
        << "an abbreviation of the dictionary, one of several parts and an exception pass";
    EXPECT_EQ(spelling.unusedExceptions, (std::set<std::string>{"Lešně", "Pančavskému", "Valois"}));
}

// --- the staged texts ---------------------------------------------------------------------

TEST(CopyTexts, AreEnoughAndLongEnoughForTenAndTwentyMinuteCopies) {
    const std::vector<CopyText> texts = StagedTexts();
    ASSERT_GE(texts.size(), kMinTexts) << "staged in " << KLAPTOS_BIN_DIR << "/opisy";
    std::size_t longTexts = 0;
    for (const CopyText& text : texts) {
        const int keystrokes = text.Keystrokes(KeyboardLayout::Qwertz());
        EXPECT_GE(keystrokes, kMinKeystrokes) << text.name;
        EXPECT_EQ(text.Keystrokes(KeyboardLayout::Qwerty()), keystrokes) << text.name;
        longTexts += keystrokes >= kLongKeystrokes ? 1 : 0;
    }
    EXPECT_GE(longTexts, kMinLongTexts);
}

TEST(CopyTexts, HaveTheShapeTheCopyTestReads) {
    for (const CopyText& text : StagedTexts()) {
        EXPECT_EQ(ShapeShortcomings(text), std::vector<std::string>{}) << text.name;
    }
}

TEST(CopyTexts, UseOnlyCharactersBothCzechLayoutsWrite) {
    for (const CopyText& text : StagedTexts()) {
        EXPECT_EQ(Unwritable(text, KeyboardLayout::Qwertz()), std::set<std::string>{})
            << text.name << " QWERTZ";
        EXPECT_EQ(Unwritable(text, KeyboardLayout::Qwerty()), std::set<std::string>{})
            << text.name << " QWERTY";
    }
}

TEST(CopyTexts, AreWordsOfTheCzechDictionaryOrReviewedExceptions) {
    ASSERT_TRUE(std::filesystem::exists(std::string(kDictionary) + ".dic"))
        << "the Czech dictionary is missing: install hunspell-cs (scripts/setup.sh)";
    const std::vector<CopyText> texts = StagedTexts();
    ASSERT_FALSE(texts.empty());
    const Spelling spelling = Spell(texts);
    EXPECT_EQ(spelling.unknown, (std::map<std::string, std::set<std::string>>{}));
    EXPECT_EQ(spelling.unusedExceptions, std::set<std::string>{})
        << "an exception no text needs any more: take it out of the list";
}

} // namespace
